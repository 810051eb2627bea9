#include "platform/win32/win32_process.h"

#include <shellapi.h>

namespace quivanto::win32 {

LaunchResult shellOpen(const std::string& target) {
    return openResultFor(reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, target.c_str(), "", "", SW_SHOWNOACTIVATE)));
}

LaunchResult openResultFor(INT_PTR result) {
    if (result > 32)
        return {};
    const int code = static_cast<int>(result);
    switch (result) {
    case SE_ERR_FNF:
    case SE_ERR_PNF:
        return {LaunchStatus::NotFound, code};
    case SE_ERR_ACCESSDENIED:
        return {LaunchStatus::AccessRefused, code};
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
        return {LaunchStatus::NoProgramForFile, code};
    default:
        return {LaunchStatus::Other, code};
    }
}

std::optional<std::string> quotedCommandLine(const std::string& program) {
    if (program.find('"') != std::string::npos)
        return std::nullopt;
    return '"' + program + '"';
}

WORD showWindowValue(ShowStyle style) {
    return style == ShowStyle::NormalActivate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
}

LaunchResult startResultFor(DWORD error) {
    const auto code = static_cast<int>(error);
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return {LaunchStatus::NotFound, code};
    case ERROR_ACCESS_DENIED:
        return {LaunchStatus::AccessRefused, code};
    default:
        return {LaunchStatus::Other, code};
    }
}

LaunchResult startProgram(const std::string& program, ShowStyle style) {
    auto commandLine = quotedCommandLine(program);
    if (!commandLine)
        return {LaunchStatus::NotFound, ERROR_INVALID_NAME};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindowValue(style);
    PROCESS_INFORMATION process{};
    // No application name: the quoted first argument names the program, and the system
    // still finds a bare name such as notepad.exe in its own folders and on the PATH.
    if (!CreateProcessA(nullptr, commandLine->data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return startResultFor(GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
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
