#include "about/text_fit.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <tuple>
#include <utility>

namespace quivanto {
namespace {

bool overlap(int firstStart, int firstEnd, int secondStart, int secondEnd) {
    return firstStart < secondEnd && secondStart < firstEnd;
}

// One axis at a time: `start`/`end` pick the moving axis's edges, `crossStart`/`crossEnd`
// the other axis's, read from `across` (where the boxes stand on the other axis).
template <class Start, class End, class CrossStart, class CrossEnd>
std::vector<std::pair<int, int>>
fitAxis(const std::vector<PixelBox>& design, const std::vector<int>& needed,
        const std::vector<PixelBox>& across, int keptGap, Start start, End end,
        CrossStart crossStart, CrossEnd crossEnd) {
    std::vector<std::size_t> order(design.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::pair(start(design[a]), end(design[a])) <
               std::pair(start(design[b]), end(design[b]));
    });
    std::vector<std::pair<int, int>> placed(design.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t j = order[k];
        int moved = start(design[j]);
        for (std::size_t earlier = 0; earlier < k; ++earlier) {
            const std::size_t i = order[earlier];
            if (end(design[i]) > start(design[j]) ||
                !overlap(crossStart(across[i]), crossEnd(across[i]), crossStart(across[j]),
                         crossEnd(across[j])))
                continue;
            const int gap = std::min(start(design[j]) - end(design[i]), keptGap);
            moved = std::max(moved, placed[i].second + gap);
        }
        const int length = std::max(end(design[j]) - start(design[j]), needed[j]);
        placed[j] = {moved, moved + length};
    }
    return placed;
}

} // namespace

FittedLayout fitToTexts(const std::vector<TextBox>& boxes, int clientWidth, int clientHeight,
                        int keptGap) {
    std::vector<PixelBox> design;
    std::vector<int> widths;
    std::vector<int> heights;
    for (const TextBox& box : boxes) {
        design.push_back(box.place);
        widths.push_back(box.neededWidth);
        heights.push_back(box.neededHeight);
    }
    const auto left = [](const PixelBox& b) {
        return b.left;
    };
    const auto right = [](const PixelBox& b) {
        return b.right;
    };
    const auto top = [](const PixelBox& b) {
        return b.top;
    };
    const auto bottom = [](const PixelBox& b) {
        return b.bottom;
    };

    // Across first, on the design rows; then down, in the columns the boxes now take.
    FittedLayout fitted{design, clientWidth, clientHeight};
    const auto columns = fitAxis(design, widths, design, keptGap, left, right, top, bottom);
    for (std::size_t i = 0; i < design.size(); ++i)
        std::tie(fitted.places[i].left, fitted.places[i].right) = columns[i];
    const auto rows = fitAxis(design, heights, fitted.places, keptGap, top, bottom, left, right);
    for (std::size_t i = 0; i < design.size(); ++i)
        std::tie(fitted.places[i].top, fitted.places[i].bottom) = rows[i];

    int designRight = 0, designBottom = 0, fittedRight = 0, fittedBottom = 0;
    for (std::size_t i = 0; i < design.size(); ++i) {
        designRight = std::max(designRight, design[i].right);
        designBottom = std::max(designBottom, design[i].bottom);
        fittedRight = std::max(fittedRight, fitted.places[i].right);
        fittedBottom = std::max(fittedBottom, fitted.places[i].bottom);
    }
    fitted.clientWidth += std::max(0, fittedRight - designRight);
    fitted.clientHeight += std::max(0, fittedBottom - designBottom);
    return fitted;
}

} // namespace quivanto
