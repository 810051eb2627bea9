#include "platform/desktop/shortcut_route.h"

namespace quivanto::desktop {
namespace {

constexpr int FirstFunctionKey = 112; // F1, as ShortcutKeys holds it

std::string keysymName(int key) {
    if (key >= 'A' && key <= 'Z')
        return std::string(1, static_cast<char>(key - 'A' + 'a')); // "Q" is Shift+q's
    if (key >= FirstFunctionKey)
        return "F" + std::to_string(key - FirstFunctionKey + 1);
    return std::string(1, static_cast<char>(key));
}

} // namespace

bool isWaylandSession(std::string_view qtPlatform, bool waylandDisplaySet) {
    return waylandDisplaySet || qtPlatform.starts_with("wayland");
}

ShortcutRoute shortcutRoute(const ShortcutSession& session) {
    if (session.wayland && session.portalOffered)
        return ShortcutRoute::Portal;
    if (session.xServer)
        return ShortcutRoute::KeyGrab;
    return ShortcutRoute::None;
}

std::string portalTrigger(const ShortcutKeys& keys) {
    std::string trigger;
    const auto add = [&trigger](std::string_view name) {
        trigger += name;
        trigger += '+';
    };
    if (keys.modifiers & ShortcutKeys::Super)
        add("LOGO");
    if (keys.modifiers & ShortcutKeys::Control)
        add("CTRL");
    if (keys.modifiers & ShortcutKeys::Alt)
        add("ALT");
    if (keys.modifiers & ShortcutKeys::Shift)
        add("SHIFT");
    return trigger + keysymName(keys.key);
}

} // namespace quivanto::desktop
