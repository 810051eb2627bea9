#pragma once

#include "platform/platform.h"

#include <windows.h>

#include <optional>
#include <string>

// Starting things: the shell's open request, the direct start of a program, and the
// named mutex that marks the running copy.
namespace quivanto::win32 {

// ShellExecuteA(0, null, target, "", "", SW_SHOWNOACTIVATE).
LaunchResult shellOpen(const std::string& target);

// What a ShellExecuteA result says: above 32 the request was accepted; 32 or less is the
// shell's reason for refusing it.
LaunchResult openResultFor(INT_PTR result);

// The command line for a direct start: the program quoted as one argument, so that in
// C:\Program Files\x.exe the system cannot take C:\Program for the program. Empty when the
// name holds a quote, which no file name can.
std::optional<std::string> quotedCommandLine(const std::string& program);

// The window show value for a started program (SW_SHOWNOACTIVATE or SW_SHOWNORMAL).
WORD showWindowValue(ShowStyle style);

// CreateProcessA with the quoted program as the whole command line; no wait.
LaunchResult startProgram(const std::string& program, ShowStyle style);

// A system error code of a failed start as a launch result: a missing file or folder is
// NotFound, a refusal AccessRefused, anything else Other; the code goes with it.
LaunchResult startResultFor(DWORD error);

// The mutex name that marks the running copy in this logon session.
inline constexpr const char* InstanceMutexName = "Local\\Quivanto.Instance";

struct InstanceClaim {
    HANDLE mutex = nullptr;      // held by this process for as long as it runs
    bool anotherRunning = false; // the name is taken by another process
};

// Creates the named mutex. When it already exists, or the system refuses it to us
// because another user's copy in this session made it, another copy runs.
InstanceClaim claimInstance(const char* name);

} // namespace quivanto::win32
