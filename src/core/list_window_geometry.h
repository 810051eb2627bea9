#pragma once

#include "core/tray_anchor.h"
#include "platform/platform.h"

#include <cstddef>

// The list window's geometry, in twips as single-precision numbers. The window stands
// beside the panel that holds the tray icon, edge to edge with it, and grows one list row
// at a time away from it.
namespace quivanto {

inline constexpr float RowHeight = 195;
// Kept above the screen's bottom where no panel reserves room to stand beside.
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

// A box on the desktop in twips, by its edges.
struct TwipsBox {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    float width() const { return right - left; }
    float height() const { return bottom - top; }
    bool operator==(const TwipsBox&) const = default;
};

// Where the list window may stand: the monitor holding the tray icon, what the panels
// leave of it, and the side of the panel the window stands beside.
struct ListWindowArea {
    TwipsBox screen;
    TwipsBox workArea;
    PanelSide panel = PanelSide::None;
};

// The area of a tray place, in twips at the given scale; of several panels, the one
// nearest `anchor`.
ListWindowArea listWindowArea(const TrayPlace& place, ScreenPoint anchor, float twipsPerPixelX,
                              float twipsPerPixelY);

// The whole screen, no panel: where the window is filled before any tray place is known.
ListWindowArea wholeScreenArea(const ScreenMetrics& screen);

struct ListWindowGeometry {
    float left = 0;
    float top = 0;
    float width = ListWindowWidth;
    float height = ListWindowDesignHeight;
    float listHeight = ListBoxDesignHeight;
    // The point the window hangs from (the click), which a side panel's window keeps its
    // bottom at while it grows and shrinks.
    float anchorX = 0;
    float anchorY = 0;

    float right() const { return left + width; }
    float bottom() const { return top + height; }
    bool operator==(const ListWindowGeometry&) const = default;
};

// The top that puts the window beside the area's panel: just above a bottom panel, just
// below a top one, bottom at the anchor beside a side one, within the work area; with no
// panel, TaskbarMargin above the screen's bottom.
float topBesidePanel(const ListWindowGeometry& geometry, const ListWindowArea& area);

// The whole place beside the panel, hanging from the anchor (twips): the right edge at the
// anchor (the left or right edge on the work area's edge beside a side panel), kept wholly
// on the work area.
ListWindowGeometry besidePanel(ListWindowGeometry geometry, const ListWindowArea& area,
                               float anchorX, float anchorY);

// One row taller, unless the taller window would reach the work area's far edge (with no
// panel, the screen's top less TaskbarMargin).
ListWindowGeometry grown(ListWindowGeometry geometry, const ListWindowArea& area);

// One row shorter, never below the design sizes.
ListWindowGeometry shrunk(ListWindowGeometry geometry, const ListWindowArea& area);

// The same as growing once per row, in one step for the widgets.
ListWindowGeometry grownForRows(ListWindowGeometry geometry, const ListWindowArea& area,
                                std::size_t rows);

// Beyond the bottom-right corner of the screen, where the window is filled at start-up.
ListWindowGeometry offScreen(ListWindowGeometry geometry, const ListWindowArea& area);

// A length in twips as whole pixels.
int twipsToPixels(float twips, float twipsPerPixel);

} // namespace quivanto
