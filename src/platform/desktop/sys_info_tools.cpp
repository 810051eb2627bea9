#include "platform/desktop/sys_info_tools.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace quivanto {
namespace {

std::vector<std::filesystem::path> searchFolders(std::string_view searchPath, char listSeparator) {
    std::vector<std::filesystem::path> folders;
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(listSeparator, start);
        if (end == std::string_view::npos)
            end = searchPath.size();
        std::filesystem::path folder(searchPath.substr(start, end - start));
        if (folder.is_absolute())
            folders.push_back(std::move(folder));
        start = end + 1;
    }
    return folders;
}

bool isExecutableFile(const std::filesystem::path& file) {
    using std::filesystem::perms;
    std::error_code error;
    const auto status = std::filesystem::status(file, error); // follows links, as starting does
    if (error || !std::filesystem::is_regular_file(status))
        return false;
    return (status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) !=
           perms::none;
}

} // namespace

std::string findSystemInformationTool(std::string_view searchPath, char listSeparator) {
    const auto folders = searchFolders(searchPath, listSeparator);
    for (const std::string_view tool : SystemInformationTools) {
        for (const auto& folder : folders) {
            const auto candidate = folder / tool;
            if (isExecutableFile(candidate))
                return candidate.string();
        }
    }
    return {};
}

} // namespace quivanto
