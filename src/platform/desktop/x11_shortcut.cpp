#include "platform/desktop/x11_shortcut.h"

#include <QGuiApplication>
#include <QTimer>

#include <array>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>

namespace quivanto::desktop {
namespace {

constexpr std::uint32_t NumLockSym = 0xFF7F;
constexpr std::uint32_t FirstFunctionSym = 0xFFBE; // F1
constexpr int FirstFunctionKey = 112;
constexpr std::uint8_t BadAccess = 10;

template <class Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply> ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

// Letters as their lower-case symbol, digits as themselves, F1 to F12 from their own.
std::uint32_t keysymOf(int key) {
    if (key >= 'A' && key <= 'Z')
        return static_cast<std::uint32_t>(key - 'A' + 'a');
    if (key >= FirstFunctionKey)
        return FirstFunctionSym + static_cast<std::uint32_t>(key - FirstFunctionKey);
    return static_cast<std::uint32_t>(key);
}

std::uint16_t xModifiers(unsigned modifiers) {
    std::uint16_t mask = 0;
    if (modifiers & ShortcutKeys::Shift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & ShortcutKeys::Control)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & ShortcutKeys::Alt)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & ShortcutKeys::Super)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

} // namespace

struct X11Shortcut::Connection {
    xcb_connection_t* connection = nullptr; // Qt's own
    xcb_window_t root = 0;

    // The first key that gives `keysym` in any column of the keyboard map; 0 for none.
    std::uint8_t keycodeOf(std::uint32_t keysym) const {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        const int first = setup->min_keycode;
        const int count = setup->max_keycode - first + 1;
        const auto reply = owned(xcb_get_keyboard_mapping_reply(
            connection,
            xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<uint8_t>(count)),
            nullptr));
        if (!reply)
            return 0;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
        const int perKey = reply->keysyms_per_keycode;
        for (int key = 0; key < count; ++key) {
            for (int column = 0; column < perKey; ++column) {
                if (syms[key * perKey + column] == keysym)
                    return static_cast<std::uint8_t>(first + key);
            }
        }
        return 0;
    }

    // The modifier NumLock sets (Mod2 on most keyboards).
    std::uint16_t numLockMask() const {
        const std::uint8_t numLock = keycodeOf(NumLockSym);
        const auto reply = owned(xcb_get_modifier_mapping_reply(
            connection, xcb_get_modifier_mapping(connection), nullptr));
        if (!reply || numLock == 0)
            return XCB_MOD_MASK_2;
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                if (codes[modifier * perModifier + i] == numLock)
                    return static_cast<std::uint16_t>(1u << modifier);
            }
        }
        return XCB_MOD_MASK_2;
    }
};

std::unique_ptr<X11Shortcut> X11Shortcut::onQtConnection() {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr)
        return nullptr;
    auto connection = std::make_unique<Connection>();
    connection->connection = x11->connection();
    connection->root = xcb_setup_roots_iterator(xcb_get_setup(connection->connection)).data->root;
    return std::unique_ptr<X11Shortcut>(new X11Shortcut(std::move(connection)));
}

X11Shortcut::X11Shortcut(std::unique_ptr<Connection> connection)
    : x_(std::move(connection)) {}

X11Shortcut::~X11Shortcut() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    ungrab();
}

ShortcutResult X11Shortcut::grab(const ShortcutKeys& keys, ShortcutHandler onPressed) {
    ungrab();
    const std::uint8_t keycode = x_->keycodeOf(keysymOf(keys.key));
    if (keycode == 0)
        return ShortcutResult::Unavailable; // no key on this keyboard gives it
    const std::uint16_t modifiers = xModifiers(keys.modifiers);
    const std::uint16_t numLock = x_->numLockMask();
    // The grab matches the modifier state exactly: the same keys with NumLock or CapsLock
    // on are other states, grabbed too.
    const std::array<std::uint16_t, 4> locks{
        0, XCB_MOD_MASK_LOCK, numLock, static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock)};
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t lock : locks)
        cookies.push_back(xcb_grab_key_checked(x_->connection, 1, x_->root,
                                               static_cast<std::uint16_t>(modifiers | lock),
                                               keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool taken = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (auto error = owned(xcb_request_check(x_->connection, cookie)))
            taken = taken || error->error_code == BadAccess;
    }
    keycode_ = keycode;
    modifiers_ = modifiers;
    ignored_ = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock);
    if (taken) {
        ungrab();
        return ShortcutResult::Taken;
    }
    onPressed_ = std::move(onPressed);
    QCoreApplication::instance()->installNativeEventFilter(this);
    return ShortcutResult::Registered;
}

void X11Shortcut::ungrab() {
    if (keycode_ == 0)
        return;
    for (const std::uint16_t lock :
         {std::uint16_t{0}, std::uint16_t{XCB_MOD_MASK_LOCK},
          static_cast<std::uint16_t>(ignored_ & ~XCB_MOD_MASK_LOCK), ignored_})
        xcb_ungrab_key(x_->connection, keycode_, x_->root,
                       static_cast<std::uint16_t>(modifiers_ | lock));
    xcb_flush(x_->connection);
    keycode_ = 0;
}

bool X11Shortcut::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (keycode_ == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto type = event->response_type & 0x7F;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->event != x_->root || key->detail != keycode_ ||
        (key->state & ~ignored_ & 0xFF) != modifiers_)
        return false;
    if (type == XCB_KEY_RELEASE) {
        lastRelease_ = key->time;
    } else if (key->time != lastRelease_) {
        // A held key repeats as a release and a press at one time: only the first press
        // counts. After this event is handled, so Qt has seen its time, which the window
        // manager wants for the activation that follows.
        QTimer::singleShot(0, qGuiApp, [handler = onPressed_] { handler(); });
    }
    return false; // Qt only takes the event's time: the root window is none of its own
}

} // namespace quivanto::desktop
