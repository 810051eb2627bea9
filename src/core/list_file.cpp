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

using FileHandle = ListFile::FileHandle;

std::string describe(const std::filesystem::path& file, std::string_view what,
                     std::string_view reason) {
    std::string text = "Quivanto could not ";
    text += what;
    text += " the list file \"";
    text += file.string();
    text += "\": ";
    text += reason;
    text += '.';
    return text;
}

[[noreturn]] void fail(const std::filesystem::path& file, std::string_view what,
                       std::error_code reason) {
    throw ListFileError(describe(file, what, reason.message()), reason);
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

// Only an ordinary file (or none) may stand for the list: a folder cannot be read, a device
// gives endless bytes and a pipe a read that never returns.
void requireOrdinaryFile(const std::filesystem::path& file, std::string_view what) {
    std::error_code ignored;
    const auto type = std::filesystem::status(file, ignored).type();
    if (type == std::filesystem::file_type::directory)
        fail(file, what, std::make_error_code(std::errc::is_a_directory));
    if (type != std::filesystem::file_type::regular &&
        type != std::filesystem::file_type::not_found) {
        const auto reason = std::make_error_code(std::errc::not_supported);
        throw ListFileError(describe(file, what, "it is not an ordinary file"), reason);
    }
}

// A list the user made read-only stays as it is, even where the system would let us
// replace it (a rename ignores the file's own permissions) or where we run as root.
void requireWritable(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return;
    constexpr auto anyWrite = std::filesystem::perms::owner_write |
                              std::filesystem::perms::group_write |
                              std::filesystem::perms::others_write;
    if ((status.permissions() & anyWrite) == std::filesystem::perms::none)
        fail(file, "write", std::make_error_code(std::errc::permission_denied));
    openFile(file, "ab", "write"); // the system's own answer, for one who is not root
}

} // namespace

std::vector<std::string> splitListBytes(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

bool needsLineEndBeforeAppend(std::string_view bytes) {
    if (bytes.empty())
        return false;
    return bytes.back() != '\r' && bytes.back() != '\n';
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
    requireOrdinaryFile(listPath_, "read");
    const auto size = std::filesystem::file_size(listPath_, error);
    if (error)
        fail(listPath_, "read", error);
    if (size == 0)
        writeDefaultList();
}

std::string ListFile::readBytes(const std::filesystem::path& file) const {
    requireOrdinaryFile(file, "read");
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
    requireOrdinaryFile(listPath_, "write");
    requireWritable(listPath_);
    std::string bytes;
    std::error_code error;
    const bool existed = std::filesystem::exists(listPath_, error);
    const auto sizeBefore = existed ? std::filesystem::file_size(listPath_, error) : 0;
    if (error)
        fail(listPath_, "read", error);
    if (existed) {
        // Only the last two bytes matter: is the last line finished?
        auto in = openFile(listPath_, "rb", "read");
        if (std::fseek(in.get(), -2, SEEK_END) != 0)
            std::fseek(in.get(), 0, SEEK_SET);
        char tail[2];
        bytes.assign(tail, std::fread(tail, 1, sizeof tail, in.get()));
    }
    std::string addition;
    if (needsLineEndBeforeAppend(bytes))
        addition += LineEnd;
    addition += line;
    addition += LineEnd;
    auto out = openFile(listPath_, "ab", "write");
    try {
        writeAll(out.get(), addition, listPath_);
        closeFile(out, listPath_);
        if (const auto flushed = platform_.flushToDisk(listPath_))
            fail(listPath_, "write", flushed);
    } catch (const ListFileError&) {
        // A full disk can take half a line: cut it off, so the list is as it was.
        out.reset();
        std::error_code ignored;
        if (existed)
            std::filesystem::resize_file(listPath_, sizeBefore, ignored);
        else
            std::filesystem::remove(listPath_, ignored);
        throw;
    }
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
    requireOrdinaryFile(listPath_, "write");
    requireWritable(listPath_);
    auto out = createScratchFile();
    try {
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
        if (const auto flushed = platform_.flushToDisk(scratchPath_))
            fail(scratchPath_, "write", flushed);
    } catch (const ListFileError&) {
        // An unfinished scratch file must never be taken for the list by a later start.
        out.reset();
        std::error_code ignored;
        std::filesystem::remove(scratchPath_, ignored);
        throw;
    }
    if (const auto replaced = platform_.replaceFile(scratchPath_, listPath_)) {
        // While the list is whole the scratch file is no use; without it, it is the list.
        std::error_code ignored;
        if (std::filesystem::exists(listPath_, ignored))
            std::filesystem::remove(scratchPath_, ignored);
        fail(listPath_, "replace", replaced);
    }
}

ListFile::FileHandle ListFile::createScratchFile() {
    std::error_code error;
    const auto found = std::filesystem::symlink_status(scratchPath_, error).type();
    if (found == std::filesystem::file_type::directory)
        fail(scratchPath_, "write", std::make_error_code(std::errc::is_a_directory));
    // A leftover is removed, even a read-only one, or a link left to make us write through
    // it into another file: the scratch file is always a new file of ours.
    if (found != std::filesystem::file_type::not_found) {
        std::filesystem::remove(scratchPath_, error);
        if (error)
            fail(scratchPath_, "write", error);
    }
    auto out = openFile(scratchPath_, "wb", "write");
    // The list keeps its permissions, so a private list does not become readable to all.
    const auto listStatus = std::filesystem::status(listPath_, error);
    if (!error)
        std::filesystem::permissions(scratchPath_, listStatus.permissions(), error);
    return out;
}

} // namespace quivanto
