#include "core/list_file.h"

#include "core/item_line.h"
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace quivanto {
namespace {

constexpr std::string_view LineEnd = "\r\n";

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string describe(const std::filesystem::path& file, std::string_view what,
                     const std::error_code& reason) {
    std::string text = "Quivanto could not ";
    text += what;
    text += " the list file \"";
    text += file.string();
    text += "\": ";
    text += reason.message();
    text += '.';
    return text;
}

[[noreturn]] void fail(const std::filesystem::path& file, std::string_view what,
                       std::error_code reason) {
    throw ListFileError(describe(file, what, reason), reason);
}

std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

FileHandle openFile(const std::filesystem::path& file, const char* mode, std::string_view what) {
    errno = 0;
    FileHandle handle(std::fopen(file.string().c_str(), mode), &std::fclose);
    if (!handle)
        fail(file, what, lastError());
    return handle;
}

void writeAll(std::FILE* out, std::string_view bytes, const std::filesystem::path& file) {
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        fail(file, "write", lastError());
}

void closeFile(FileHandle& handle, const std::filesystem::path& file) {
    errno = 0;
    const bool flushed = std::fflush(handle.get()) == 0;
    const std::error_code reason = lastError();
    std::FILE* raw = handle.release();
    if (std::fclose(raw) != 0 || !flushed)
        fail(file, "write", flushed ? lastError() : reason);
}

void rejectFolder(const std::filesystem::path& file) {
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored))
        fail(file, "use", std::make_error_code(std::errc::is_a_directory));
}

} // namespace

std::vector<std::string> splitListBytes(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

bool needsLineEndBeforeAppend(std::string_view bytes) {
    if (bytes.empty())
        return false;
    return !(bytes.back() == '\r' || bytes.ends_with(LineEnd));
}

std::vector<std::string> defaultItemLines() {
    return {makeItemLine("Explorer", "explorer.exe"), makeItemLine("Notepad", "notepad.exe")};
}

ListFile::ListFile(std::filesystem::path folder, Platform& platform)
    : listPath_(folder / ListFileName)
    , scratchPath_(folder / ScratchFileName)
    , platform_(platform) {}

void ListFile::ensureExists() {
    std::error_code error;
    const auto status = std::filesystem::status(listPath_, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        // A rewrite interrupted by an older version can leave the list only in temp.dat.
        if (std::filesystem::is_regular_file(scratchPath_, error) &&
            std::filesystem::file_size(scratchPath_, error) > 0 && !error) {
            if (const auto replaced = platform_.replaceFile(scratchPath_, listPath_))
                fail(listPath_, "recover", replaced);
            return;
        }
        writeDefaultList();
        return;
    }
    rejectFolder(listPath_);
    const auto size = std::filesystem::file_size(listPath_, error);
    if (error)
        fail(listPath_, "read", error);
    if (size == 0)
        writeDefaultList();
}

std::string ListFile::readBytes(const std::filesystem::path& file) const {
    rejectFolder(file);
    auto in = openFile(file, "rb", "read");
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(in.get()))
        fail(file, "read", lastError());
    return bytes;
}

std::vector<std::string> ListFile::readLines() const {
    return splitListBytes(readBytes(listPath_));
}

void ListFile::writeDefaultList() {
    rewrite(defaultItemLines());
}

void ListFile::appendItemLine(std::string_view line) {
    rejectFolder(listPath_);
    std::string bytes;
    {
        std::error_code error;
        if (std::filesystem::exists(listPath_, error)) {
            // Only the last two bytes matter: is the last line finished?
            auto in = openFile(listPath_, "rb", "read");
            if (std::fseek(in.get(), -2, SEEK_END) != 0)
                std::fseek(in.get(), 0, SEEK_SET);
            char tail[2];
            bytes.assign(tail, std::fread(tail, 1, sizeof tail, in.get()));
        }
    }
    std::string addition;
    if (needsLineEndBeforeAppend(bytes))
        addition += LineEnd;
    addition += line;
    addition += LineEnd;
    auto out = openFile(listPath_, "ab", "write");
    writeAll(out.get(), addition, listPath_);
    closeFile(out, listPath_);
    if (const auto flushed = platform_.flushToDisk(listPath_))
        fail(listPath_, "write", flushed);
}

bool ListFile::deleteItemLine(std::string_view line) {
    auto lines = readLines();
    const auto found = std::find(lines.begin(), lines.end(), line);
    if (found == lines.end())
        return false;
    lines.erase(found);
    rewrite(lines);
    return true;
}

bool ListFile::replaceItemLine(std::string_view newLine, std::string_view oldLine) {
    auto lines = readLines();
    const auto found = std::find(lines.begin(), lines.end(), oldLine);
    if (found == lines.end())
        return false;
    *found = newLine;
    rewrite(lines);
    return true;
}

void ListFile::rewrite(const std::vector<std::string>& lines) {
    rejectFolder(listPath_);
    {
        auto out = openFile(scratchPath_, "wb", "write");
        std::string bytes;
        std::size_t total = 0;
        for (const auto& line : lines)
            total += line.size() + LineEnd.size();
        bytes.reserve(total); // written in one piece, never copied again while it grows
        for (const auto& line : lines) {
            bytes += line;
            bytes += LineEnd;
        }
        writeAll(out.get(), bytes, scratchPath_);
        closeFile(out, scratchPath_);
    }
    if (const auto flushed = platform_.flushToDisk(scratchPath_))
        fail(scratchPath_, "write", flushed);
    if (const auto replaced = platform_.replaceFile(scratchPath_, listPath_))
        fail(listPath_, "replace", replaced);
}

} // namespace quivanto
