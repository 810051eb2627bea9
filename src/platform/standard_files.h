#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>
#include <system_error>

// File queries through the standard library, for back ends whose narrow names are the
// system's own text (on Windows they are UTF-8, not the ANSI code page, so the Windows
// back end answers with the system's calls instead).
namespace quivanto::standard_files {

FileStatus fileStatus(const std::string& path, Links links);
std::error_code removeFile(const std::string& path);
void copyAccess(const std::string& from, const std::string& to);
std::optional<FolderEntries> folderEntries(const std::string& folder);
std::string workingFolder();

} // namespace quivanto::standard_files
