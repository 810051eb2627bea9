#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <optional>
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

// FindFirstFileA over the folder: names in the ANSI code page, as the A functions that
// later open them expect; hidden and system entries left out, as the system's own file
// lists leave them out. Nothing when the folder cannot be read.
std::optional<FolderEntries> folderEntries(const std::string& folder);

// GetCurrentDirectoryA.
std::string currentFolder();

// File names below are the ANSI code page's bytes, as the C library's fopen takes them.

// FlushFileBuffers on the file.
std::error_code flushFile(const std::string& file);

// MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: `to` is at every
// moment the old or the new file. A reader holding `to` open for a moment (a virus
// scanner, an indexer) makes the replace fail; it is retried for a short while.
std::error_code replaceFileAtomically(const std::string& from, const std::string& to);

// GetFileAttributesExA. A reparse point (a link) is Other when asked about itself; devices
// and names the system will not look at are Other too. The read-only attribute makes a
// file not writable.
FileStatus fileStatus(const std::string& path, Links links);

// DeleteFileA; a read-only file loses its read-only attribute first.
std::error_code removeFile(const std::string& path);

} // namespace quivanto::win32
