#include "qt/picture_button.h"

#include "qt/artwork.h"

#include <QPainter>

namespace quivanto {

PictureButton::PictureButton(const QString& artwork, const QString& toolTip, QWidget* parent)
    : QAbstractButton(parent)
    , artwork_(artwork) {
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

const QPixmap& PictureButton::picture() {
    const QSize pictureSize(qMin(width(), 16), qMin(height(), 16));
    if (picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF() ||
        picture_.deviceIndependentSize().toSize() != pictureSize)
        picture_ = artworkPixmap(artwork_, pictureSize, devicePixelRatioF());
    return picture_;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& pixmap = picture();
    const QSize pictureSize = pixmap.deviceIndependentSize().toSize();
    const QPoint origin((width() - pictureSize.width()) / 2, (height() - pictureSize.height()) / 2);
    painter.drawPixmap(origin, pixmap);
    if (hasFocus()) {
        // Keyboard users must see where they are.
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace quivanto
