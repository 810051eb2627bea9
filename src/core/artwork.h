#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quivanto {

// The program's own SVG artwork, drawn sharp for the device pixel ratio.
QPixmap artworkPixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio);

// The program icon at the sizes a tray, a title bar and a menu ask for.
QIcon programIcon();

} // namespace quivanto
