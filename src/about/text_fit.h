#pragma once

#include <vector>

// Keeping a window's texts whole whatever the system font's metrics: a window drawn for
// one font keeps its design places where the texts fit, and makes room where they do not.
namespace quivanto {

// A place in pixels in a window's client area, right and bottom edges exclusive.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelBox&) const = default;
};

// A control's design place and the room its text needs (0 where it needs none).
struct TextBox {
    PixelBox place;
    int neededWidth = 0;
    int neededHeight = 0;
};

struct FittedLayout {
    std::vector<PixelBox> places; // in the order the boxes were given
    int clientWidth = 0;
    int clientHeight = 0;
};

// Each box grows to what its text needs and never shrinks. A box right of one that
// widened, on rows they share, moves right, and a box below one that grew or moved down,
// in columns they share, moves down: each only as far as it must to keep its design gap
// to the other, or `keptGap` pixels where the design gap was wider. The client area grows
// by as much as the boxes reach past the design's farthest right and bottom edges.
FittedLayout fitToTexts(const std::vector<TextBox>& boxes, int clientWidth, int clientHeight,
                        int keptGap);

} // namespace quivanto
