#include "core/tray_anchor.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace quivanto {
namespace {

struct ReservedStrip {
    PanelSide side;
    ScreenRect strip;
};

// The strips of the monitor the work area leaves out, one per side that has one.
std::array<std::optional<ReservedStrip>, 4> reservedStrips(const ScreenRect& monitor,
                                                           const ScreenRect& workArea) {
    std::array<std::optional<ReservedStrip>, 4> strips;
    if (workArea.bottom() < monitor.bottom())
        strips[0] = ReservedStrip{
            PanelSide::Bottom,
            {monitor.left, workArea.bottom(), monitor.width, monitor.bottom() - workArea.bottom()}};
    if (workArea.top > monitor.top)
        strips[1] = ReservedStrip{
            PanelSide::Top, {monitor.left, monitor.top, monitor.width, workArea.top - monitor.top}};
    if (workArea.left > monitor.left)
        strips[2] = ReservedStrip{
            PanelSide::Left,
            {monitor.left, monitor.top, workArea.left - monitor.left, monitor.height}};
    if (workArea.right() < monitor.right())
        strips[3] = ReservedStrip{
            PanelSide::Right,
            {workArea.right(), monitor.top, monitor.right() - workArea.right(), monitor.height}};
    return strips;
}

long distanceTo(const ScreenRect& rect, ScreenPoint point) {
    const long dx = std::max({rect.left - point.x, 0, point.x - (rect.right() - 1)});
    const long dy = std::max({rect.top - point.y, 0, point.y - (rect.bottom() - 1)});
    return dx + dy;
}

bool contains(const ScreenRect& rect, ScreenPoint point) {
    return distanceTo(rect, point) == 0 && rect.width > 0 && rect.height > 0;
}

ScreenRect grownBy(ScreenRect rect, int pixels) {
    return {rect.left - pixels, rect.top - pixels, rect.width + 2 * pixels,
            rect.height + 2 * pixels};
}

ScreenPoint centreOf(const ScreenRect& rect) {
    return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

} // namespace

PanelSide panelSide(const ScreenRect& monitor, const ScreenRect& workArea,
                    std::optional<ScreenPoint> near) {
    PanelSide best = PanelSide::None;
    long bestDistance = std::numeric_limits<long>::max();
    for (const auto& reserved : reservedStrips(monitor, workArea)) {
        if (!reserved)
            continue;
        if (!near)
            return reserved->side; // the strips come bottom first
        const long distance = distanceTo(reserved->strip, *near);
        if (distance < bestDistance) {
            best = reserved->side;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<ScreenPoint> plausibleHostPlace(ScreenPoint given, const ScreenRect& monitor,
                                              const ScreenRect& workArea) {
    if (!contains(monitor, given))
        return std::nullopt;
    if (contains({0, 0, HostPlaceholderSquare, HostPlaceholderSquare}, given))
        return std::nullopt;
    bool anyPanel = false;
    for (const auto& reserved : reservedStrips(monitor, workArea)) {
        if (!reserved)
            continue;
        anyPanel = true;
        if (contains(grownBy(reserved->strip, PanelSlackPixels), given))
            return given;
    }
    return anyPanel ? std::nullopt : std::optional<ScreenPoint>(given);
}

ScreenPoint panelEdgePoint(const ScreenRect& monitor, const ScreenRect& workArea) {
    const int right = workArea.right() - 1;
    const int bottom = workArea.bottom() - 1;
    switch (panelSide(monitor, workArea)) {
    case PanelSide::Top:
        return {right, workArea.top};
    case PanelSide::Left:
        return {workArea.left, bottom};
    case PanelSide::Right:
    case PanelSide::Bottom:
    case PanelSide::None:
        break;
    }
    return {right, bottom};
}

ScreenPoint trayAnchor(const TrayPlace& place, std::optional<ScreenPoint> hostPlace,
                       std::optional<ScreenPoint> pointer) {
    if (hostPlace) {
        if (const auto believed = plausibleHostPlace(*hostPlace, place.monitor, place.workArea))
            return *believed;
    }
    // The pointer is the click's own place while it is on the icon; away from it (a key
    // chose the icon) the icon's centre serves.
    const bool pointerUsable = pointer && place.pointerKnown;
    if (place.icon &&
        !(pointerUsable && contains(grownBy(*place.icon, PanelSlackPixels), *pointer)))
        return centreOf(*place.icon);
    if (pointerUsable)
        return *pointer;
    return panelEdgePoint(place.monitor, place.workArea);
}

} // namespace quivanto
