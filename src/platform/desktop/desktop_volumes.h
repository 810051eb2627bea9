#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quivanto {

// Whether a mounted file system is one a user would recognise as a drive: removable media,
// other disks and network shares, not the kernel's and the run time's own mounts.
bool isUserVolume(std::string_view rootPath, std::string_view fileSystemType);

// "/" first, then the mounted volumes a user would recognise, sorted as the list's rows.
std::vector<std::string> mountedRoots();

} // namespace quivanto
