#include "dialogs/folder_listing.h"

#include "core/row_order.h"
#include "dialogs/browse_paths.h"

namespace quivanto {
namespace {

std::vector<std::string> listed(std::vector<std::string> names) {
    std::erase_if(names, [](const std::string& name) { return !isListedName(name); });
    sortRows(names);
    return names;
}

} // namespace

std::optional<FolderListing> listFolder(Platform& platform, const std::string& folder) {
    auto entries = platform.folderEntries(folder);
    if (!entries)
        return std::nullopt;
    return FolderListing{listed(std::move(entries->folders)), listed(std::move(entries->files))};
}

} // namespace quivanto
