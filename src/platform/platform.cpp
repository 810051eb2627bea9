#include "platform/platform.h"

namespace quivanto {

std::optional<FolderEntries> Platform::folderEntries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(fs::path(folder), error);
    if (error)
        return std::nullopt;
    FolderEntries listing;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error)
            return std::nullopt;
        std::string name = entries->path().filename().string();
        // The type usually comes with the name; only links cost a look at their target.
        std::error_code typeError;
        if (entries->is_directory(typeError))
            listing.folders.push_back(std::move(name));
        else if (entries->is_regular_file(typeError))
            listing.files.push_back(std::move(name));
    }
    if (error)
        return std::nullopt;
    return listing;
}

std::string Platform::workingFolder() {
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    return error ? std::string{} : folder.string();
}

} // namespace quivanto
