#pragma once

#include "core/list_window_geometry.h"
#include "platform/platform.h"

#include <QFont>
#include <QRect>
#include <QString>

namespace quivanto {

// A control's design place in twips as pixels on this screen.
inline QRect pixelRect(const TwipsRect& rect, const ScreenMetrics& screen) {
    return {twipsToPixels(rect.left, screen.twipsPerPixelX),
            twipsToPixels(rect.top, screen.twipsPerPixelY),
            twipsToPixels(rect.width, screen.twipsPerPixelX),
            twipsToPixels(rect.height, screen.twipsPerPixelY)};
}

// The dialogs' design fonts; the hint picks a look-alike where the family is missing.
inline QFont designFont(const QString& family, qreal points, QFont::StyleHint hint,
                        bool bold = false) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace quivanto
