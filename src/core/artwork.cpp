#include "core/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace quivanto {

QPixmap artworkPixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/quivanto/%1.svg").arg(name));
    QPixmap pixmap(logicalSize * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(artworkPixmap(QStringLiteral("icon"), QSize(size, size), 1.0));
    return icon;
}

} // namespace quivanto
