#include "platform/win32/win32_hotkey.h"

#include "platform/win32/win32_window_class.h"

namespace quivanto::win32 {
namespace {

constexpr const char* WindowClassName = "QuivantoHotKeyWindow";
constexpr int HotKeyId = 1;

UINT systemModifiers(unsigned modifiers) {
    // A held key would toggle the list on and off with every repeat.
    UINT result = MOD_NOREPEAT;
    if (modifiers & ShortcutKeys::Shift)
        result |= MOD_SHIFT;
    if (modifiers & ShortcutKeys::Control)
        result |= MOD_CONTROL;
    if (modifiers & ShortcutKeys::Alt)
        result |= MOD_ALT;
    if (modifiers & ShortcutKeys::Super)
        result |= MOD_WIN;
    return result;
}

} // namespace

HotKey::HotKey() {
    if (registerHiddenWindowClass(WindowClassName, &HotKey::windowProc))
        window_ = CreateWindowExA(0, WindowClassName, "Quivanto", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ != nullptr)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HotKey::~HotKey() {
    if (window_ == nullptr)
        return;
    if (registered_)
        UnregisterHotKey(window_, HotKeyId);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

ShortcutResult HotKey::registerKeys(const ShortcutKeys& keys, ShortcutHandler onPressed) {
    if (window_ == nullptr)
        return ShortcutResult::Unavailable;
    if (registered_)
        UnregisterHotKey(window_, HotKeyId);
    registered_ = RegisterHotKey(window_, HotKeyId, systemModifiers(keys.modifiers),
                                 static_cast<UINT>(keys.key)) != FALSE;
    if (!registered_)
        return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED ? ShortcutResult::Taken
                                                                 : ShortcutResult::Unavailable;
    onPressed_ = std::move(onPressed);
    return ShortcutResult::Registered;
}

LRESULT CALLBACK HotKey::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HotKey*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_HOTKEY && self != nullptr && wParam == HotKeyId && self->onPressed_) {
        self->onPressed_();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace quivanto::win32
