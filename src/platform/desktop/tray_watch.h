#pragma once

#include <memory>

// Which kind of notification area the desktop has right now. Asked again and again while
// start-up waits, so a tray of either kind that appears late is found.
namespace quivanto::desktop {

enum class TrayKind {
    None,
    StatusNotifier, // a StatusNotifier watcher with a host on the session bus
    XEmbed          // an X11 system tray selection owner
};

// Whether a StatusNotifier watcher runs on the session bus and some panel draws its items.
bool statusNotifierHostPresent();

class TrayWatch {
public:
    TrayWatch();
    ~TrayWatch();
    TrayWatch(const TrayWatch&) = delete;
    TrayWatch& operator=(const TrayWatch&) = delete;

    // A StatusNotifier host wins when both exist, as it does for Qt's own tray class.
    TrayKind current();

private:
    struct X11;
    std::unique_ptr<X11> x11_; // null without an X display
};

} // namespace quivanto::desktop
