#include "platform/desktop/popup_window.h"

#include "platform/desktop/sway_ipc.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace quivanto::desktop {
namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_atom_t found = XCB_ATOM_NONE;
    if (auto* reply = xcb_intern_atom_reply(connection, cookie, nullptr)) {
        found = reply->atom;
        std::free(reply);
    }
    return found;
}

// One 32-bit value or a string of a window's property; empty when it has none.
std::vector<char> propertyBytes(xcb_connection_t* connection, xcb_window_t window,
                                xcb_atom_t property, xcb_atom_t type) {
    std::vector<char> bytes;
    const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 256);
    if (auto* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        const auto* value = static_cast<const char*>(xcb_get_property_value(reply));
        bytes.assign(value, value + xcb_get_property_value_length(reply));
        std::free(reply);
    }
    return bytes;
}

std::string windowManagerName(xcb_connection_t* connection, xcb_window_t root) {
    const std::vector<char> check = propertyBytes(
        connection, root, atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() < sizeof(xcb_window_t))
        return {};
    xcb_window_t supporting = XCB_WINDOW_NONE;
    std::memcpy(&supporting, check.data(), sizeof supporting);
    const std::vector<char> name = propertyBytes(
        connection, supporting, atom(connection, "_NET_WM_NAME"), atom(connection, "UTF8_STRING"));
    return {name.begin(), name.end()};
}

// The X bridge of a wlroots compositor (sway and its kin) centres every window it manages,
// wherever the program puts it.
bool isWlrootsBridge(const std::string& windowManagerName) {
    return windowManagerName == "wlroots wm";
}

// Looks after the window each time it is shown.
// Window managers take a window's states away when it is hidden, and taskbars read them when
// it is mapped: so they are set again each time, just before it maps (the window's toolkit
// keeps the states it finds and adds its own).
// Sway centres every X11 window it maps: once it knows the window, it is asked over its
// command socket to put the window back where the program placed it. (A window that goes
// around the window manager would stand right at once, but sway 1.7 never gives it the
// keyboard.)
class PopupKeeper final : public QObject {
public:
    PopupKeeper(QWidget& window, xcb_connection_t* connection)
        : QObject(&window)
        , window_(window)
        , connection_(connection)
        , state_(atom(connection, "_NET_WM_STATE"))
        , skipStates_{atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                      atom(connection, "_NET_WM_STATE_SKIP_PAGER")} {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || event->type() != QEvent::Show)
            return false;
        skipTaskbar(static_cast<xcb_window_t>(window_.winId()));
        const QByteArray socket = swaySocket();
        if (!socket.isEmpty() && underWlrootsBridge())
            placeSoon(socket, window_.pos(), 0);
        return false;
    }

private:
    void skipTaskbar(xcb_window_t window) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, state_, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(skipStates_.size()), skipStates_.data());
        xcb_flush(connection_);
    }

    // Asked at each show: the bridge announces itself a moment after the X server starts.
    bool underWlrootsBridge() const {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        return screen != nullptr && isWlrootsBridge(windowManagerName(connection_, screen->root));
    }

    // Sway knows the window a moment after the X server maps it: a few tries.
    void placeSoon(const QByteArray& socket, QPoint at, int attempt) {
        QTimer::singleShot(attempt == 0 ? 10 : 40, this, [this, socket, at, attempt] {
            if (window_.isVisible() && !placeWithSway(socket, at) && attempt < 10)
                placeSoon(socket, at, attempt + 1);
        });
    }

    bool placeWithSway(const QByteArray& socket, QPoint at) const {
        const QString command =
            QStringLiteral("[pid=%1 title=\"^%2$\"] border none, move absolute position %3 %4")
                .arg(QCoreApplication::applicationPid())
                .arg(QRegularExpression::escape(window_.windowTitle()))
                .arg(at.x())
                .arg(at.y());
        return runSwayCommand(socket, command.toUtf8());
    }

    QWidget& window_;
    xcb_connection_t* connection_;
    xcb_atom_t state_;
    std::vector<xcb_atom_t> skipStates_;
};

} // namespace

void makeStandAlonePopup(QWidget& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 != nullptr)
        new PopupKeeper(window, x11->connection());
}

} // namespace quivanto::desktop
