#include "platform/win32/win32_process.h"

#include <shellapi.h>

#include <climits>

namespace quivanto::win32 {

int shellOpen(const std::string& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, target.c_str(), "", "", SW_SHOWNOACTIVATE));
    // Success values are only known to exceed 32; keep them above it when narrowing.
    return result > INT_MAX ? INT_MAX : static_cast<int>(result);
}

std::optional<std::string> quotedCommandLine(const std::string& program) {
    if (program.find('"') != std::string::npos)
        return std::nullopt;
    return '"' + program + '"';
}

WORD showWindowValue(ShowStyle style) {
    return style == ShowStyle::NormalActivate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
}

int startErrorFor(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return StartError::FileNotFound;
    case ERROR_ACCESS_DENIED:
        return StartError::PermissionDenied;
    default:
        return StartError::PathAccess;
    }
}

int startProgram(const std::string& program, ShowStyle style) {
    auto commandLine = quotedCommandLine(program);
    if (!commandLine)
        return StartError::FileNotFound;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindowValue(style);
    PROCESS_INFORMATION process{};
    // No application name: the quoted first argument names the program, and the system
    // still finds a bare name such as notepad.exe in its own folders and on the PATH.
    if (!CreateProcessA(nullptr, commandLine->data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return startErrorFor(GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return StartError::None;
}

InstanceClaim claimInstance(const char* name) {
    InstanceClaim claim;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    if (mutex == nullptr) {
        claim.anotherRunning = error == ERROR_ACCESS_DENIED;
        return claim;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        claim.anotherRunning = true;
        return claim;
    }
    claim.mutex = mutex;
    return claim;
}

} // namespace quivanto::win32
