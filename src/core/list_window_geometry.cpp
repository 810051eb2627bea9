#include "core/list_window_geometry.h"

#include <algorithm>
#include <cmath>

namespace quivanto {
namespace {

TwipsBox inTwips(const ScreenRect& rect, float twipsPerPixelX, float twipsPerPixelY) {
    return {static_cast<float>(rect.left) * twipsPerPixelX,
            static_cast<float>(rect.top) * twipsPerPixelY,
            static_cast<float>(rect.right()) * twipsPerPixelX,
            static_cast<float>(rect.bottom()) * twipsPerPixelY};
}

// Near `low`, never past `high - size`; where both cannot hold, the low edge wins so the
// window's top-left (its banner and Hide button) stays on the screen.
float keptWithin(float edge, float size, float low, float high) {
    return std::max(low, std::min(edge, high - size));
}

// The room the window leaves free on the far side of the work area from the panel.
float marginKept(const ListWindowArea& area) {
    return area.panel == PanelSide::None ? TaskbarMargin : 0.0f;
}

float leftBesidePanel(const ListWindowGeometry& geometry, const ListWindowArea& area) {
    const TwipsBox& work = area.workArea;
    switch (area.panel) {
    case PanelSide::Left:
        return work.left;
    case PanelSide::Right:
        return work.right - geometry.width;
    case PanelSide::Bottom:
    case PanelSide::Top:
    case PanelSide::None:
        break;
    }
    return keptWithin(geometry.anchorX - geometry.width, geometry.width, work.left, work.right);
}

} // namespace

ListWindowArea listWindowArea(const TrayPlace& place, ScreenPoint anchor, float twipsPerPixelX,
                              float twipsPerPixelY) {
    return {inTwips(place.monitor, twipsPerPixelX, twipsPerPixelY),
            inTwips(place.workArea, twipsPerPixelX, twipsPerPixelY),
            panelSide(place.monitor, place.workArea, anchor)};
}

ListWindowArea wholeScreenArea(const ScreenMetrics& screen) {
    const TwipsBox whole{0, 0, screen.widthTwips, screen.heightTwips};
    return {whole, whole, PanelSide::None};
}

float topBesidePanel(const ListWindowGeometry& geometry, const ListWindowArea& area) {
    const TwipsBox& work = area.workArea;
    switch (area.panel) {
    case PanelSide::Bottom:
        return work.bottom - geometry.height;
    case PanelSide::Top:
        return work.top;
    case PanelSide::Left:
    case PanelSide::Right:
        return keptWithin(geometry.anchorY - geometry.height, geometry.height, work.top,
                          work.bottom);
    case PanelSide::None:
        break;
    }
    return area.screen.bottom - geometry.height - TaskbarMargin;
}

ListWindowGeometry besidePanel(ListWindowGeometry geometry, const ListWindowArea& area,
                               float anchorX, float anchorY) {
    geometry.anchorX = anchorX;
    geometry.anchorY = anchorY;
    geometry.left = leftBesidePanel(geometry, area);
    geometry.top = topBesidePanel(geometry, area);
    return geometry;
}

ListWindowGeometry grown(ListWindowGeometry geometry, const ListWindowArea& area) {
    const float needed = geometry.height + RowHeight + marginKept(area);
    if (needed >= area.workArea.height())
        return geometry;
    geometry.listHeight += RowHeight;
    geometry.height += RowHeight;
    geometry.top = topBesidePanel(geometry, area);
    return geometry;
}

ListWindowGeometry shrunk(ListWindowGeometry geometry, const ListWindowArea& area) {
    if (geometry.height - RowHeight < ListWindowDesignHeight) {
        geometry.height = ListWindowDesignHeight;
        geometry.listHeight = ListBoxDesignHeight;
    } else {
        geometry.listHeight -= RowHeight;
        geometry.height -= RowHeight;
    }
    geometry.top = topBesidePanel(geometry, area);
    return geometry;
}

ListWindowGeometry grownForRows(ListWindowGeometry geometry, const ListWindowArea& area,
                                std::size_t rows) {
    for (std::size_t i = 0; i < rows; ++i) {
        const ListWindowGeometry next = grown(geometry, area);
        if (next == geometry)
            break; // once the work area is full, no later row grows the window
        geometry = next;
    }
    return geometry;
}

ListWindowGeometry offScreen(ListWindowGeometry geometry, const ListWindowArea& area) {
    geometry.left = area.screen.right;
    geometry.top = area.screen.bottom;
    return geometry;
}

int twipsToPixels(float twips, float twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

} // namespace quivanto
