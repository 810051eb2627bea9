#include "platform/standard_files.h"

#include <filesystem>

namespace quivanto::standard_files {
namespace fs = std::filesystem;

FileStatus fileStatus(const std::string& path, Links links) {
    std::error_code error;
    const auto status =
        links == Links::Follow ? fs::status(path, error) : fs::symlink_status(path, error);
    FileStatus result;
    switch (status.type()) {
    case fs::file_type::not_found:
        result.kind = FileStatus::Kind::Missing;
        return result;
    case fs::file_type::regular:
        result.kind = FileStatus::Kind::Regular;
        result.size = fs::file_size(path, error);
        if (error) // it went away or cannot be read: not a file to trust
            return {FileStatus::Kind::Other, 0, true, 0};
        break;
    case fs::file_type::directory:
        result.kind = FileStatus::Kind::Directory;
        break;
    default:
        result.kind = FileStatus::Kind::Other;
        break;
    }
    const auto perms = status.permissions();
    if (perms != fs::perms::unknown) {
        constexpr auto anyWrite =
            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        result.writable = (perms & anyWrite) != fs::perms::none;
        result.access = static_cast<std::uint32_t>(perms & fs::perms::mask);
    }
    return result;
}

std::error_code removeFile(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
    return error;
}

void copyAccess(const std::string& from, const std::string& to) {
    std::error_code error;
    const auto status = fs::status(from, error);
    if (!error)
        fs::permissions(to, status.permissions(), error);
}

std::optional<FolderEntries> folderEntries(const std::string& folder) {
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

std::string workingFolder() {
    std::error_code error;
    const auto folder = fs::current_path(error);
    return error ? std::string{} : folder.string();
}

} // namespace quivanto::standard_files
