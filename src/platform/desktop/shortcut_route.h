#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>

// Which of the session's ways carries the global shortcut, and the keys as the desktop
// portal writes them.
namespace quivanto::desktop {

enum class ShortcutRoute {
    Portal,  // the desktop portal's global shortcuts
    KeyGrab, // a key grab on the X server
    None
};

struct ShortcutSession {
    bool wayland = false;       // a Wayland session, the program on it or on its XWayland
    bool portalOffered = false; // the desktop portal offers global shortcuts
    bool xServer = false;       // the program talks to an X server
};

// Qt's platform plug-in and whether WAYLAND_DISPLAY is set: the program may run through
// XWayland in a Wayland session, where it still counts as one.
bool isWaylandSession(std::string_view qtPlatform, bool waylandDisplaySet);

// The portal in a Wayland session that offers it: an X server beside Wayland sees the keys
// only while one of its own windows has the focus. On X11 the grab, which needs nobody's
// leave; and the grab where a Wayland session's portal offers nothing better.
ShortcutRoute shortcutRoute(const ShortcutSession& session);

// "LOGO+ALT+q", "CTRL+SHIFT+F5": modifiers in capitals, the key by its keysym name, joined
// by "+", as the portal's preferred trigger is written.
std::string portalTrigger(const ShortcutKeys& keys);

} // namespace quivanto::desktop
