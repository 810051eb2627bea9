#include "dialogs/drive_list.h"

#include "core/row_order.h"
#include "dialogs/browse_paths.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace quivanto {

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!quiet_)
            emit change();
    });
}

std::vector<std::string> DriveList::mountedRoots() {
    std::vector<std::string> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        std::string root = QFile::encodeName(volume.rootPath()).toStdString();
        const QByteArray type = volume.fileSystemType();
        if (root != "/" && isUserVolume(root, std::string_view(type.constData(), type.size())))
            volumes.push_back(std::move(root));
    }
    sortRows(volumes);
    volumes.erase(std::unique(volumes.begin(), volumes.end()), volumes.end());
    volumes.insert(volumes.begin(), "/");
    return volumes;
}

void DriveList::setRoots(std::vector<std::string> roots) {
    quiet_ = true;
    clear();
    roots_ = std::move(roots);
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const auto& root : roots_)
        addItem(icon, QString::fromUtf8(root.data(), static_cast<qsizetype>(root.size())));
    quiet_ = false;
}

std::string DriveList::drive() const {
    const int index = currentIndex();
    return index >= 0 ? roots_[static_cast<std::size_t>(index)] : std::string{};
}

void DriveList::setDrive(const std::string& root, bool announce) {
    const auto found = std::find(roots_.begin(), roots_.end(), root);
    if (found == roots_.end())
        return;
    quiet_ = !announce;
    setCurrentIndex(static_cast<int>(found - roots_.begin()));
    quiet_ = false;
}

} // namespace quivanto
