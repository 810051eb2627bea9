#pragma once

#include <exception>
#include <system_error>

// Numbers for failures the launch and drop commands did not expect, in the scheme the
// direct start uses: 53 no such file, 70 permission denied, 75 path or file access.
namespace quivanto {

namespace FailureCode {
inline constexpr int OutOfMemory = 7;
inline constexpr int InternalError = 51;
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathAccess = 75;
} // namespace FailureCode

int failureCodeFor(const std::error_code& reason);

// The number for a failure caught by a command's one handler.
int unexpectedFailureCode(const std::exception& failure);

} // namespace quivanto
