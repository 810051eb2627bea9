#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace quivanto {

// What the folder and file lists show of one folder: its listed subfolders and files,
// each in the list's alphabetical order.
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

// Reads a folder through the platform; nothing when it cannot be read. Links count as what
// they point to; entries that are neither folders nor ordinary files are left out, and so
// are what the system hides and names that a list line could not hold.
std::optional<FolderListing> listFolder(Platform& platform, const std::string& folder);

} // namespace quivanto
