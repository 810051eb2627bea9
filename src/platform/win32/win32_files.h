#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// File services the standard library lacks on Windows.
namespace quivanto::win32 {

// FindFirstFileA on the exact name: true only for a file that is neither a folder nor
// hidden nor a system file. Wildcards name no file of their own, so they find nothing.
bool isOrdinaryFile(const std::string& path);

// The folder of the running executable (GetModuleFileNameA), without a trailing separator.
std::string moduleDirectory();

// The drive roots (GetLogicalDriveStringsA), such as "C:\\", in the system's order.
std::vector<std::string> logicalDrives();

// The user's profile folder (USERPROFILE); empty when it is not set.
std::string profileFolder();

// FlushFileBuffers on the file.
std::error_code flushFile(const std::filesystem::path& file);

// MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: `to` is at every
// moment the old or the new file. A reader holding `to` open for a moment (a virus
// scanner, an indexer) makes the replace fail; it is retried for a short while.
std::error_code replaceFileAtomically(const std::filesystem::path& from,
                                      const std::filesystem::path& to);

} // namespace quivanto::win32
