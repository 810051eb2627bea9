#include "platform/win32/win32_tray.h"

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

ATOM registerWindowClass(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = WindowClassName;
        return RegisterClassExA(&windowClass);
    }();
    return atom;
}

HICON programIcon() {
    if (HICON own = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ProgramIconResource)))
        return own;
    return LoadIconA(nullptr, IDI_APPLICATION);
}

} // namespace

TrayIcon::TrayIcon() {
    if (registerWindowClass(&TrayIcon::windowProc) == 0)
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
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TrayCallbackMessage;
    record.hIcon = icon;
    const std::size_t length = std::min(data.tip.size(), sizeof record.szTip - 1);
    std::memcpy(record.szTip, data.tip.data(), length);
    return record;
}

bool TrayIcon::add(const TrayIconData& data, std::function<void(int code)> onEvent) {
    if (wanted_)
        remove();
    record_ = makeRecord(window_, data, programIcon());
    onEvent_ = std::move(onEvent);
    // Wanted even when refused: a taskbar that starts later asks for it with TaskbarCreated.
    wanted_ = true;
    return Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
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
        wParam == record_.uID) {
        // A copy: the handler may remove or add the icon, replacing the stored one.
        const auto onEvent = onEvent_;
        if (onEvent)
            onEvent(static_cast<int>(LOWORD(lParam)));
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (wanted_)
            Shell_NotifyIconA(NIM_ADD, &record_);
        return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace quivanto::win32
