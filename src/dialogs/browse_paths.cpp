#include "dialogs/browse_paths.h"

#include "core/item_line.h"

namespace quivanto {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// `folder` is `root` or lies below it.
bool holds(std::string_view root, std::string_view folder, char separator) {
    if (folder == root)
        return true;
    if (!startsWith(folder, root))
        return false;
    return root.ends_with(separator) || folder[root.size()] == separator;
}

} // namespace

std::vector<std::string> folderChain(std::string_view folder, char separator) {
    std::vector<std::string> chain;
    const std::size_t rootEnd = folder.find(separator);
    if (rootEnd == std::string_view::npos) {
        chain.emplace_back(folder);
        return chain;
    }
    chain.emplace_back(folder.substr(0, rootEnd + 1));
    std::size_t pos = rootEnd + 1;
    while (pos < folder.size()) {
        std::size_t next = folder.find(separator, pos);
        if (next == std::string_view::npos)
            next = folder.size();
        if (next > pos) // a doubled separator names nothing
            chain.emplace_back(folder.substr(0, next));
        pos = next + 1;
    }
    return chain;
}

std::string_view lastName(std::string_view folder, char separator) {
    if (folder.empty() || folder.ends_with(separator))
        return folder;
    const std::size_t last = folder.rfind(separator);
    return last == std::string_view::npos ? folder : folder.substr(last + 1);
}

std::string childFolder(std::string_view folder, std::string_view name, char separator) {
    std::string child(folder);
    if (!child.ends_with(separator))
        child += separator;
    child += name;
    return child;
}

bool isListedName(std::string_view name) {
    return !name.empty() && name.front() != '.' && !containsLineBreak(name);
}

std::string driveOfFolder(std::string_view folder, const std::vector<std::string>& roots,
                          char separator) {
    std::string best;
    for (const auto& root : roots) {
        if (!root.empty() && holds(root, folder, separator) && root.size() > best.size())
            best = root;
    }
    return best;
}

} // namespace quivanto
