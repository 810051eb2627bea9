#include "platform/desktop/desktop_volumes.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <array>

namespace quivanto {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// `path` is `place` or lies below it.
bool within(std::string_view place, std::string_view path) {
    return path == place || (startsWith(path, place) && path[place.size()] == '/');
}

// Below these the system keeps its own mounts; media a user plugs in appear under
// /media, /mnt or /run/media instead.
constexpr std::array<std::string_view, 8> SystemPlaces = {"/proc", "/sys",  "/dev",     "/run",
                                                          "/boot", "/snap", "/var/lib", "/etc"};

constexpr std::array<std::string_view, 26> PseudoFileSystems = {
    "proc",    "sysfs",    "tmpfs",      "devtmpfs",  "devpts",     "cgroup",      "cgroup2",
    "overlay", "squashfs", "autofs",     "mqueue",    "debugfs",    "tracefs",     "securityfs",
    "pstore",  "bpf",      "configfs",   "fusectl",   "hugetlbfs",  "binfmt_misc", "efivarfs",
    "ramfs",   "nsfs",     "rpc_pipefs", "selinuxfs", "fuse.portal"};

// The drive list's order: ASCII letter case ignored, ties broken by the bytes.
bool caseFoldedLess(const std::string& a, const std::string& b) {
    const auto folded = [](const std::string& text) {
        std::string lower = text;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        return lower;
    };
    const std::string x = folded(a);
    const std::string y = folded(b);
    return x != y ? x < y : a < b;
}

} // namespace

bool isUserVolume(std::string_view rootPath, std::string_view fileSystemType) {
    if (rootPath == "/")
        return true;
    if (rootPath.empty() || rootPath.front() != '/')
        return false;
    for (const auto type : PseudoFileSystems) {
        if (fileSystemType == type)
            return false;
    }
    if (startsWith(fileSystemType, "fuse.gvfs") || startsWith(fileSystemType, "fuse.lxcfs"))
        return false;
    if (within("/run/media", rootPath))
        return rootPath != "/run/media";
    for (const auto place : SystemPlaces) {
        if (within(place, rootPath))
            return false;
    }
    return true;
}

std::vector<std::string> mountedRoots() {
    std::vector<std::string> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        std::string root = QFile::encodeName(volume.rootPath()).toStdString();
        const QByteArray type = volume.fileSystemType();
        if (root != "/" && isUserVolume(root, std::string_view(type.constData(), type.size())))
            volumes.push_back(std::move(root));
    }
    std::sort(volumes.begin(), volumes.end(), caseFoldedLess);
    volumes.erase(std::unique(volumes.begin(), volumes.end()), volumes.end());
    volumes.insert(volumes.begin(), "/");
    return volumes;
}

} // namespace quivanto
