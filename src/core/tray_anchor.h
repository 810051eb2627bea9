#pragma once

#include "platform/platform.h"

#include <optional>

// Where the list window hangs from: which side of the monitor the tray's panel stands on,
// and which point of the screen the user pointed at.
namespace quivanto {

// The side of the monitor whose panel holds the tray icon; None where no panel reserves
// room (a bare X server, a tray window that leaves the whole screen to others).
enum class PanelSide { None, Bottom, Top, Left, Right };

// How far outside its reserved strip a panel may still draw, or a host report a click.
inline constexpr int PanelSlackPixels = 3;

// Hosts that do not know where their icon is send a fixed placeholder or a point relative
// to the icon (0,25 or 7,16): both fall in this square at the desktop's origin, where no
// real click report lands but on an icon in that very corner (the pointer serves it then).
inline constexpr int HostPlaceholderSquare = 48;

// The side whose room the work area leaves out. Where several panels reserve room, the
// one nearest `near` (the icon, a click or the pointer); without one, the bottom first.
PanelSide panelSide(const ScreenRect& monitor, const ScreenRect& workArea,
                    std::optional<ScreenPoint> near = std::nullopt);

// A click place a tray host gave, kept only when it is believable: on the monitor, in the
// panel's strip or within PanelSlackPixels of it (anywhere on the monitor where no panel
// reserves room), and not a placeholder.
std::optional<ScreenPoint> plausibleHostPlace(ScreenPoint given, const ScreenRect& monitor,
                                              const ScreenRect& workArea);

// Where to hang the list when nothing tells where the icon is: the corner of the work
// area at the panel's far end, where trays sit by convention.
ScreenPoint panelEdgePoint(const ScreenRect& monitor, const ScreenRect& workArea);

// The point the list hangs from: a believable host place, else the pointer where it can be
// read and is on the icon (or the icon's place is unknown), else the icon's centre, else the
// panel's edge.
ScreenPoint trayAnchor(const TrayPlace& place, std::optional<ScreenPoint> hostPlace,
                       std::optional<ScreenPoint> pointer);

} // namespace quivanto
