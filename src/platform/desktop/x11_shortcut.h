#pragma once

#include "platform/platform.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <memory>

namespace quivanto::desktop {

// A global shortcut on an X server: the keys grabbed on the root window, once for each
// state of NumLock and CapsLock, and the presses picked out of Qt's X events.
class X11Shortcut final : public QAbstractNativeEventFilter {
public:
    // Null where the application does not talk to an X server.
    static std::unique_ptr<X11Shortcut> onQtConnection();
    ~X11Shortcut() override;
    X11Shortcut(const X11Shortcut&) = delete;
    X11Shortcut& operator=(const X11Shortcut&) = delete;

    ShortcutResult grab(const ShortcutKeys& keys, ShortcutHandler onPressed);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Connection;
    explicit X11Shortcut(std::unique_ptr<Connection> connection);
    void ungrab();

    std::unique_ptr<Connection> x_;
    ShortcutHandler onPressed_;
    std::uint8_t keycode_ = 0;    // 0: nothing grabbed
    std::uint16_t modifiers_ = 0; // as X names them
    std::uint16_t ignored_ = 0;   // NumLock and CapsLock
    std::uint32_t lastRelease_ = 0;
};

} // namespace quivanto::desktop
