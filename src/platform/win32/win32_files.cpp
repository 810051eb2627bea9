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

std::error_code flushFile(const std::filesystem::path& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastError();
    std::error_code result;
    if (!FlushFileBuffers(handle))
        result = lastError();
    CloseHandle(handle);
    return result;
}

std::error_code replaceFileAtomically(const std::filesystem::path& from,
                                      const std::filesystem::path& to) {
    constexpr int attempts = 20;
    constexpr DWORD pauseMs = 50;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD error = GetLastError();
        const bool heldOpen = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!heldOpen || attempt == attempts)
            return {static_cast<int>(error), std::system_category()};
        Sleep(pauseMs);
    }
}

} // namespace quivanto::win32
