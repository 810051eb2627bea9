#pragma once

#include "platform/platform.h"

#include <exception>
#include <system_error>

// Numbers the user is told for failures the launch, drop and help commands did not expect:
// 53 no such file, 70 permission denied, 75 path or file access, and so on.
namespace quivanto {

namespace FailureCode {
inline constexpr int OutOfMemory = 7;
inline constexpr int InternalError = 51;
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathAccess = 75;
inline constexpr int NoProgramForFile = 1001;
} // namespace FailureCode

int failureCodeFor(const std::error_code& reason);
// The number for a failed open request or direct start; 0 for one that started.
int failureCodeFor(const LaunchResult& result);

// The number for a failure caught by a command's one handler.
int unexpectedFailureCode(const std::exception& failure);

} // namespace quivanto
