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

std::string describe(const std::string& file, std::string_view what, std::string_view reason) {
    std::string text = "Quivanto could not ";
    text += what;
    text += " the list file \"";
    text += file;
    text += "\": ";
    text += reason;
    text += '.';
    return text;
}

[[noreturn]] void fail(const std::string& file, std::string_view what, std::error_code reason) {
    throw ListFileError(describe(file, what, reason.message()), reason);
}

std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

FileHandle openFile(const std::string& file, const char* mode, std::string_view what) {
    errno = 0;
    FileHandle handle(std::fopen(file.c_str(), mode), &std::fclose);
    if (!handle)
        fail(file, what, lastError());
    return handle;
}

void writeAll(std::FILE* out, std::string_view bytes, const std::string& file) {
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        fail(file, "write", lastError());
}

void closeFile(FileHandle& handle, const std::string& file) {
    errno = 0;
    const bool flushed = std::fflush(handle.get()) == 0;
    const std::error_code reason = lastError();
    std::FILE* raw = handle.release();
    if (std::fclose(raw) != 0 || !flushed)
        fail(file, "write", flushed ? lastError() : reason);
}

// Only an ordinary file (or none) may stand for the list: a folder cannot be read, a device
// gives endless bytes and a pipe a read that never returns.
FileStatus requireOrdinaryFile(Platform& platform, const std::string& file, std::string_view what) {
    const FileStatus status = platform.fileStatus(file, Links::Follow);
    if (status.kind == FileStatus::Kind::Directory)
        fail(file, what, std::make_error_code(std::errc::is_a_directory));
    if (status.kind == FileStatus::Kind::Other) {
        const auto reason = std::make_error_code(std::errc::not_supported);
        throw ListFileError(describe(file, what, "it is not an ordinary file"), reason);
    }
    return status;
}

// A list the user made read-only stays as it is, even where the system would let us
// replace it (a rename ignores the file's own permissions) or where we run as root.
void requireWritable(const FileStatus& status, const std::string& file) {
    if (status.kind == FileStatus::Kind::Missing)
        return;
    if (!status.writable)
        fail(file, "write", std::make_error_code(std::errc::permission_denied));
    openFile(file, "ab", "write"); // the system's own answer, for one who is not root
}

// `folder` joined with a file name; an empty folder leaves the name relative.
std::string inFolder(const std::string& folder, const char* name, char separator) {
    if (folder.empty())
        return name;
    std::string path = folder;
    if (path.back() != separator && path.back() != '/')
        path += separator;
    return path + name;
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

ListFile::ListFile(const std::string& folder, Platform& platform)
    : folder_(folder)
    , listPath_(inFolder(folder, ListFileName, platform.pathSeparator()))
    , scratchPath_(inFolder(folder, ScratchFileName, platform.pathSeparator()))
    , platform_(platform) {}

std::string ListFile::besideList(const char* name) const {
    return inFolder(folder_, name, platform_.pathSeparator());
}

void ListFile::ensureExists() {
    if (platform_.fileStatus(listPath_, Links::Follow).kind == FileStatus::Kind::Missing) {
        // A rewrite interrupted by an older version can leave the list only in temp.dat.
        const FileStatus scratch = platform_.fileStatus(scratchPath_, Links::Follow);
        if (scratch.kind == FileStatus::Kind::Regular && scratch.size > 0) {
            if (const auto replaced = platform_.replaceFile(scratchPath_, listPath_))
                fail(listPath_, "recover", replaced);
            return;
        }
        writeDefaultList();
        return;
    }
    if (requireOrdinaryFile(platform_, listPath_, "read").size == 0)
        writeDefaultList();
}

std::string ListFile::readBytes(const std::string& file) const {
    std::string bytes;
    readBytesInto(file, bytes);
    return bytes;
}

void ListFile::readBytesInto(const std::string& file, std::string& bytes) const {
    requireOrdinaryFile(platform_, file, "read");
    auto in = openFile(file, "rb", "read");
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(in.get()))
        fail(file, "read", lastError());
}

std::vector<std::string> ListFile::readLines() const {
    return splitListBytes(readBytes(listPath_));
}

void ListFile::writeDefaultList() {
    rewrite(defaultItemLines());
}

void ListFile::appendItemLine(std::string_view line) {
    const FileStatus before = requireOrdinaryFile(platform_, listPath_, "write");
    std::string bytes;
    if (before.kind != FileStatus::Kind::Missing) {
        // Room for the addition too, so the list is read once and never copied.
        bytes.reserve(before.size + LineEnd.size() + line.size() + LineEnd.size());
        readBytesInto(listPath_, bytes);
    }
    // Every byte already there stays as it is; only an unfinished last line gets its end.
    if (needsLineEndBeforeAppend(bytes))
        bytes += LineEnd;
    bytes += line;
    bytes += LineEnd;
    replaceList(bytes);
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
    std::string bytes;
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + LineEnd.size();
    bytes.reserve(total); // written in one piece, never copied again while it grows
    for (const auto& line : lines) {
        bytes += line;
        bytes += LineEnd;
    }
    replaceList(bytes);
}

void ListFile::replaceList(std::string_view bytes) {
    const FileStatus list = requireOrdinaryFile(platform_, listPath_, "write");
    requireWritable(list, listPath_);
    if (list.kind != FileStatus::Kind::Missing) {
        replaceThroughScratch(bytes);
        return;
    }
    // Without a list, a scratch file cut short by a power cut would pass for the list at the
    // next start. An empty list stands first (start-up fills it with the defaults), so a
    // scratch file never stands alone.
    replaceThroughScratch({});
    try {
        replaceThroughScratch(bytes);
    } catch (const ListFileError&) {
        // Told, and nothing made: the empty list stood in only for this write.
        const FileStatus left = platform_.fileStatus(listPath_, Links::Own);
        if (left.kind == FileStatus::Kind::Regular && left.size == 0)
            platform_.removeFile(listPath_);
        throw;
    }
}

void ListFile::replaceThroughScratch(std::string_view bytes) {
    auto out = createScratchFile();
    try {
        writeAll(out.get(), bytes, scratchPath_);
        closeFile(out, scratchPath_);
        if (const auto flushed = platform_.flushToDisk(scratchPath_))
            fail(scratchPath_, "write", flushed);
    } catch (const ListFileError&) {
        // An unfinished scratch file must never be taken for the list by a later start.
        out.reset();
        platform_.removeFile(scratchPath_);
        throw;
    }
    if (const auto replaced = platform_.replaceFile(scratchPath_, listPath_)) {
        // While the list is whole the scratch file is no use; without it, it is the list.
        if (platform_.fileStatus(listPath_, Links::Follow).kind != FileStatus::Kind::Missing)
            platform_.removeFile(scratchPath_);
        fail(listPath_, "replace", replaced);
    }
}

ListFile::FileHandle ListFile::createScratchFile() {
    const auto found = platform_.fileStatus(scratchPath_, Links::Own).kind;
    if (found == FileStatus::Kind::Directory)
        fail(scratchPath_, "write", std::make_error_code(std::errc::is_a_directory));
    // A leftover is removed, even a read-only one, or a link left to make us write through
    // it into another file: the scratch file is always a new file of ours.
    if (found != FileStatus::Kind::Missing) {
        if (const auto removed = platform_.removeFile(scratchPath_))
            fail(scratchPath_, "write", removed);
    }
    auto out = openFile(scratchPath_, "wb", "write");
    // The list keeps its permissions, so a private list does not become readable to all.
    platform_.copyAccess(listPath_, scratchPath_);
    return out;
}

} // namespace quivanto
