#include "platform/win32/win32_files.h"

#include <windows.h>

#include <vector>

namespace quivanto::win32 {
namespace {

std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

} // namespace

bool isOrdinaryFile(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos)
        return false;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    constexpr DWORD notOrdinary =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (found.dwFileAttributes & notOrdinary) == 0;
}

std::string moduleDirectory() {
    std::vector<char> name(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            std::string path(name.data(), length);
            return path.substr(0, path.find_last_of("\\/"));
        }
        name.resize(name.size() * 2); // truncated: a long path
    }
}

std::vector<std::string> logicalDrives() {
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD length =
            GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            return {};
        if (length < buffer.size())
            break;
        buffer.resize(length + 1);
    }
    // The roots follow one another, each ended by a zero, the list by an empty one.
    std::vector<std::string> roots;
    for (const char* root = buffer.data(); *root != '\0'; root += roots.back().size() + 1)
        roots.emplace_back(root);
    return roots;
}

std::string profileFolder() {
    const DWORD length = GetEnvironmentVariableA("USERPROFILE", nullptr, 0);
    if (length == 0)
        return {};
    std::string folder(length, '\0');
    const DWORD written = GetEnvironmentVariableA("USERPROFILE", folder.data(), length);
    folder.resize(written < length ? written : 0);
    return folder;
}

std::optional<FolderEntries> folderEntries(const std::string& folder) {
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // An empty drive root has not even "." to find.
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return FolderEntries{};
        return std::nullopt;
    }
    FolderEntries entries;
    do {
        const std::string name = found.cFileName;
        const DWORD attributes = found.dwFileAttributes;
        if (name == "." || name == ".." ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
            continue;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            entries.folders.push_back(name);
        else
            entries.files.push_back(name);
    } while (FindNextFileA(search, &found));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    if (!complete)
        return std::nullopt;
    return entries;
}

std::string currentFolder() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    folder.resize(GetCurrentDirectoryA(size, folder.data()));
    return folder;
}

std::error_code flushFile(const std::string& file) {
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastError();
    std::error_code result;
    if (!FlushFileBuffers(handle))
        result = lastError();
    CloseHandle(handle);
    return result;
}

std::error_code replaceFileAtomically(const std::string& from, const std::string& to) {
    constexpr int attempts = 20;
    constexpr DWORD pauseMs = 50;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD error = GetLastError();
        const bool heldOpen = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!heldOpen || attempt == attempts)
            return {static_cast<int>(error), std::system_category()};
        Sleep(pauseMs);
    }
}

FileStatus fileStatus(const std::string& path, Links links) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileStatus::Kind::Missing : FileStatus::Kind::Other, 0, true, 0};
    }
    FileStatus status;
    status.access = data.dwFileAttributes;
    status.writable = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
    if (links == Links::Own && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        status.kind = FileStatus::Kind::Other;
    else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        status.kind = FileStatus::Kind::Directory;
    else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0)
        status.kind = FileStatus::Kind::Other;
    else
        status.kind = FileStatus::Kind::Regular;
    if (status.kind == FileStatus::Kind::Regular)
        status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return status;
}

std::error_code removeFile(const std::string& path) {
    if (DeleteFileA(path.c_str()))
        return {};
    const std::error_code refused = lastError();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0)
        return refused;
    if (!SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return refused;
    if (DeleteFileA(path.c_str()))
        return {};
    const std::error_code error = lastError();
    SetFileAttributesA(path.c_str(), attributes); // left as it was found
    return error;
}

} // namespace quivanto::win32
