#pragma once

#include "platform/platform.h"

#include <cstddef>

// The list window's geometry, in twips as single-precision numbers. The window keeps its
// bottom a fixed margin above the bottom of the screen and grows one list row at a time.
namespace quivanto {

inline constexpr float RowHeight = 195;
inline constexpr float TaskbarMargin = 425;
inline constexpr float ListWindowWidth = 3945;
inline constexpr float ListWindowDesignHeight = 1050;
inline constexpr float ListBoxDesignHeight = 225;

// A control's place inside its window, in twips.
struct TwipsRect {
    float left;
    float top;
    float width;
    float height;
};

// The list window's controls at their design places; the list's height follows the window.
namespace ListWindowLayout {
inline constexpr TwipsRect Header{0, 0, 3945, 585};
inline constexpr TwipsRect About{0, 0, 2055, 495};    // inside the header
inline constexpr TwipsRect Close{3585, 30, 255, 255}; // inside the header
inline constexpr TwipsRect Add{2190, 270, 240, 240};
inline constexpr TwipsRect Delete{2430, 285, 240, 240};
inline constexpr TwipsRect Properties{2730, 270, 240, 240};
inline constexpr TwipsRect Help{2985, 270, 240, 240};
inline constexpr TwipsRect List{120, 720, 3705, ListBoxDesignHeight};
} // namespace ListWindowLayout

struct ListWindowGeometry {
    float left = 0;
    float top = 0;
    float width = ListWindowWidth;
    float height = ListWindowDesignHeight;
    float listHeight = ListBoxDesignHeight;

    bool operator==(const ListWindowGeometry&) const = default;
};

// The top that keeps the window's bottom TaskbarMargin above the screen's bottom.
float topAboveTaskbar(const ListWindowGeometry& geometry, const ScreenMetrics& screen);

// One row taller, unless another row would no longer fit on the screen.
ListWindowGeometry grown(ListWindowGeometry geometry, const ScreenMetrics& screen);

// One row shorter, never below the design sizes.
ListWindowGeometry shrunk(ListWindowGeometry geometry, const ScreenMetrics& screen);

// The same as growing once per row, in one step for the widgets.
ListWindowGeometry grownForRows(ListWindowGeometry geometry, const ScreenMetrics& screen,
                                std::size_t rows);

// Beyond the bottom-right corner of the screen, where the window is filled at start-up.
ListWindowGeometry offScreen(ListWindowGeometry geometry, const ScreenMetrics& screen);

// Right edge at the pointer, bottom above the taskbar; nothing clamps it to the screen.
ListWindowGeometry atCursor(ListWindowGeometry geometry, const ScreenMetrics& screen,
                            int cursorXPixels);

// A length in twips as whole pixels.
int twipsToPixels(float twips, float twipsPerPixel);

} // namespace quivanto
