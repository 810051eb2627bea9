#include "core/list_window_geometry.h"

#include <cmath>

namespace quivanto {

float topAboveTaskbar(const ListWindowGeometry& geometry, const ScreenMetrics& screen) {
    return screen.heightTwips - geometry.height - TaskbarMargin;
}

ListWindowGeometry grown(ListWindowGeometry geometry, const ScreenMetrics& screen) {
    const float needed = geometry.height + RowHeight + TaskbarMargin;
    if (needed >= screen.heightTwips)
        return geometry;
    geometry.listHeight += RowHeight;
    geometry.height += RowHeight;
    geometry.top = topAboveTaskbar(geometry, screen);
    return geometry;
}

ListWindowGeometry shrunk(ListWindowGeometry geometry, const ScreenMetrics& screen) {
    if (geometry.height - RowHeight < ListWindowDesignHeight) {
        geometry.height = ListWindowDesignHeight;
        geometry.listHeight = ListBoxDesignHeight;
    } else {
        geometry.listHeight -= RowHeight;
        geometry.height -= RowHeight;
    }
    geometry.top = topAboveTaskbar(geometry, screen);
    return geometry;
}

ListWindowGeometry grownForRows(ListWindowGeometry geometry, const ScreenMetrics& screen,
                                std::size_t rows) {
    for (std::size_t i = 0; i < rows; ++i) {
        const ListWindowGeometry next = grown(geometry, screen);
        if (next == geometry)
            break; // once the screen is full, no later row grows the window
        geometry = next;
    }
    return geometry;
}

ListWindowGeometry offScreen(ListWindowGeometry geometry, const ScreenMetrics& screen) {
    geometry.left = screen.widthTwips;
    geometry.top = screen.heightTwips;
    return geometry;
}

ListWindowGeometry atCursor(ListWindowGeometry geometry, const ScreenMetrics& screen,
                            int cursorXPixels) {
    geometry.left = static_cast<float>(cursorXPixels) * screen.twipsPerPixelX - geometry.width;
    geometry.top = topAboveTaskbar(geometry, screen);
    return geometry;
}

int twipsToPixels(float twips, float twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

} // namespace quivanto
