#include "platform/desktop/tray_watch.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QString>

#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

namespace quivanto::desktop {

bool statusNotifierHostPresent() {
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher).value())
        return false;
    // A watcher alone shows nothing: some panel must have said it draws the items.
    QDBusMessage call = QDBusMessage::createMethodCall(
        watcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 1000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

struct TrayWatch::X11 {
    xcb_connection_t* connection = nullptr;
    xcb_atom_t selection = XCB_ATOM_NONE;

    ~X11() {
        if (connection != nullptr)
            xcb_disconnect(connection);
    }
};

TrayWatch::TrayWatch() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return;
    auto x11 = std::make_unique<X11>();
    int screen = 0;
    x11->connection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(x11->connection) != 0)
        return;
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    const auto cookie =
        xcb_intern_atom(x11->connection, 0, static_cast<uint16_t>(name.size()), name.c_str());
    if (auto* reply = xcb_intern_atom_reply(x11->connection, cookie, nullptr)) {
        x11->selection = reply->atom;
        std::free(reply);
    }
    if (x11->selection != XCB_ATOM_NONE)
        x11_ = std::move(x11);
}

TrayWatch::~TrayWatch() = default;

TrayKind TrayWatch::current() {
    if (statusNotifierHostPresent())
        return TrayKind::StatusNotifier;
    if (x11_) {
        const auto cookie = xcb_get_selection_owner(x11_->connection, x11_->selection);
        if (auto* reply = xcb_get_selection_owner_reply(x11_->connection, cookie, nullptr)) {
            const bool owned = reply->owner != XCB_WINDOW_NONE;
            std::free(reply);
            if (owned)
                return TrayKind::XEmbed;
        }
    }
    return TrayKind::None;
}

} // namespace quivanto::desktop
