#include "dialogs/folder_listing.h"

#include "core/row_order.h"
#include "dialogs/browse_paths.h"

#include <algorithm>
#include <filesystem>

namespace quivanto {

std::optional<FolderListing> listFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(fs::path(folder), error);
    if (error)
        return std::nullopt;
    FolderListing listing;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error)
            return std::nullopt;
        std::string name = entries->path().filename().string();
        if (!isListedName(name))
            continue;
        // The type usually comes with the name; only links cost a look at their target.
        std::error_code typeError;
        if (entries->is_directory(typeError))
            listing.folders.push_back(std::move(name));
        else if (entries->is_regular_file(typeError))
            listing.files.push_back(std::move(name));
    }
    if (error)
        return std::nullopt;
    sortRows(listing.folders);
    sortRows(listing.files);
    return listing;
}

} // namespace quivanto
