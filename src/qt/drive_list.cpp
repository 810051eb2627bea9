#include "qt/drive_list.h"

#include <QStyle>

namespace quivanto {

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!quiet_)
            emit change();
    });
}

void DriveList::setRoots(const std::vector<std::string>& roots) {
    quiet_ = true;
    clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const auto& root : roots)
        addItem(icon, QString::fromUtf8(root.data(), static_cast<qsizetype>(root.size())));
    quiet_ = false;
}

void DriveList::choose(int index) {
    quiet_ = true;
    setCurrentIndex(index);
    quiet_ = false;
}

} // namespace quivanto
