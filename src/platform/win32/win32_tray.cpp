#include "platform/win32/win32_tray.h"

#include "platform/win32/win32_window_class.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <stdexcept>

namespace quivanto::win32 {
namespace {

// The full record of Vista and later, which every 64-bit Windows accepts. Wine takes any
// size, so these keep the layout from drifting unnoticed with other headers.
static_assert(sizeof(void*) != 8 || sizeof(NOTIFYICONDATAA) == 528);
static_assert(sizeof(void*) != 4 || sizeof(NOTIFYICONDATAA) == 508);
static_assert(sizeof(void*) != 8 || offsetof(NOTIFYICONDATAA, szTip) == 40);
static_assert(sizeof(NOTIFYICONDATAA{}.szTip) == 128);

constexpr const char* WindowClassName = "QuivantoTrayWindow";

HICON programIcon() {
    if (HICON own = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ProgramIconResource)))
        return own;
    return LoadIconA(nullptr, IDI_APPLICATION);
}

} // namespace

std::optional<TrayEvent> trayEventFor(WPARAM wParam, LPARAM lParam, bool version4) {
    using Kind = TrayEvent::Kind;
    if (!version4) {
        switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            return TrayEvent{Kind::Click};
        case WM_LBUTTONDBLCLK:
            return TrayEvent{Kind::DoubleClick};
        case WM_RBUTTONUP:
            return TrayEvent{Kind::ContextRequest};
        default:
            return std::nullopt;
        }
    }
    // The place the notification area gives: the click, or the icon for a key.
    const ScreenPoint place{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
    switch (LOWORD(lParam)) {
    case NIN_SELECT: // follows the left button's release
        return TrayEvent{Kind::Click, place};
    case NIN_KEYSELECT: // Enter or Space on the icon
        return TrayEvent{Kind::Click, place, true};
    case WM_LBUTTONDBLCLK:
        return TrayEvent{Kind::DoubleClick, place};
    case WM_CONTEXTMENU: // the right button, the menu key or Shift+F10
        return TrayEvent{Kind::ContextRequest, place};
    default:
        return std::nullopt;
    }
}

UINT trayCallbackIconId(WPARAM wParam, LPARAM lParam, bool version4) {
    return version4 ? HIWORD(lParam) : static_cast<UINT>(wParam);
}

TrayIcon::TrayIcon() {
    if (!registerHiddenWindowClass(WindowClassName, &TrayIcon::windowProc))
        throw std::runtime_error("Quivanto could not register its tray window class.");
    // WS_EX_TOOLWINDOW keeps it off the taskbar should anything ever show it.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, WindowClassName, "Quivanto", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (window_ == nullptr)
        throw std::runtime_error("Quivanto could not create its tray window.");
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    // An elevated copy would otherwise never hear the broadcast from the user's taskbar.
    ChangeWindowMessageFilterEx(window_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
}

TrayIcon::~TrayIcon() {
    if (wanted_)
        remove();
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

NOTIFYICONDATAA TrayIcon::makeRecord(HWND window, const TrayIconData& data, HICON icon) {
    NOTIFYICONDATAA record{};
    record.cbSize = sizeof record;
    record.hWnd = window;
    record.uID = TrayIconId;
    // The fourth version hides the standard tip unless asked to show it.
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    record.uCallbackMessage = TrayCallbackMessage;
    record.hIcon = icon;
    const std::size_t length = std::min(data.tip.size(), sizeof record.szTip - 1);
    std::memcpy(record.szTip, data.tip.data(), length);
    return record;
}

bool TrayIcon::add(const TrayIconData& data, std::function<void(const TrayEvent&)> onEvent) {
    if (wanted_)
        remove();
    record_ = makeRecord(window_, data, programIcon());
    onEvent_ = std::move(onEvent);
    // Wanted even when refused: a taskbar that starts later asks for it with TaskbarCreated.
    wanted_ = true;
    return addToNotificationArea();
}

bool TrayIcon::addToNotificationArea() {
    version4_ = false;
    if (Shell_NotifyIconA(NIM_ADD, &record_) == FALSE)
        return false;
    NOTIFYICONDATAA version = record_;
    version.uVersion = NOTIFYICON_VERSION_4;
    version4_ = Shell_NotifyIconA(NIM_SETVERSION, &version) != FALSE;
    return true;
}

std::optional<RECT> TrayIcon::iconRect() const {
    if (!wanted_)
        return std::nullopt;
    NOTIFYICONIDENTIFIER identifier{};
    identifier.cbSize = sizeof identifier;
    identifier.hWnd = window_;
    identifier.uID = record_.uID;
    RECT rect{};
    if (FAILED(Shell_NotifyIconGetRect(&identifier, &rect)) || rect.right <= rect.left)
        return std::nullopt;
    return rect;
}

bool TrayIcon::remove() {
    wanted_ = false;
    return Shell_NotifyIconA(NIM_DELETE, &record_) != FALSE;
}

LRESULT CALLBACK TrayIcon::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && self->window_ == window)
        return self->handle(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TrayIcon::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == record_.uCallbackMessage && record_.uCallbackMessage != 0 &&
        trayCallbackIconId(wParam, lParam, version4_) == record_.uID) {
        const auto event = trayEventFor(wParam, lParam, version4_);
        // A copy: the handler may remove or add the icon, replacing the stored one.
        const auto onEvent = onEvent_;
        if (event && onEvent)
            onEvent(*event);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (wanted_)
            addToNotificationArea();
        return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace quivanto::win32
