#pragma once

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

// Reads a folder; nothing when it cannot be read. Links count as what they point to;
// entries that are neither folders nor ordinary files are left out.
std::optional<FolderListing> listFolder(const std::string& folder);

} // namespace quivanto
