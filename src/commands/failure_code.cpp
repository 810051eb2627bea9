#include "commands/failure_code.h"

#include "core/list_file.h"

#include <new>

namespace quivanto {

int failureCodeFor(const std::error_code& reason) {
    if (reason == std::errc::no_such_file_or_directory || reason == std::errc::not_a_directory)
        return FailureCode::FileNotFound;
    if (reason == std::errc::permission_denied || reason == std::errc::operation_not_permitted ||
        reason == std::errc::read_only_file_system)
        return FailureCode::PermissionDenied;
    if (reason == std::errc::no_space_on_device)
        return FailureCode::DiskFull;
    return FailureCode::PathAccess;
}

int failureCodeFor(const LaunchResult& result) {
    switch (result.status) {
    case LaunchStatus::Started:
        return 0;
    case LaunchStatus::NotFound:
        return FailureCode::FileNotFound;
    case LaunchStatus::NoProgramForFile:
        return FailureCode::NoProgramForFile;
    case LaunchStatus::AccessRefused:
        return FailureCode::PermissionDenied;
    case LaunchStatus::Other:
        break;
    }
    return FailureCode::PathAccess;
}

int unexpectedFailureCode(const std::exception& failure) {
    if (const auto* listFailure = dynamic_cast<const ListFileError*>(&failure))
        return failureCodeFor(listFailure->reason());
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
        return FailureCode::OutOfMemory;
    return FailureCode::InternalError;
}

} // namespace quivanto
