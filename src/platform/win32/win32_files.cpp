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
