#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quivanto {

// The program's own SVG artwork, drawn sharp for the device pixel ratio.
QPixmap artworkPixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio);

// The program icon, drawn sharp at whatever size a tray, a title bar or a menu asks for.
QIcon programIcon();

} // namespace quivanto
