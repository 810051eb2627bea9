#include "core/picture_button.h"

#include "core/artwork.h"

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

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSize pictureSize(qMin(width(), 16), qMin(height(), 16));
    const QPoint origin((width() - pictureSize.width()) / 2, (height() - pictureSize.height()) / 2);
    painter.drawPixmap(origin, artworkPixmap(artwork_, pictureSize, devicePixelRatioF()));
    if (hasFocus()) {
        // Keyboard users must see where they are.
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace quivanto
