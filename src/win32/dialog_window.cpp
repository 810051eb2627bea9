#include "win32/dialog_window.h"

#include "win32/window_classes.h"

#include <windowsx.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

namespace quivanto::win32 {

DialogWindow::DialogWindow(const ScreenMetrics& screen, int restingDefault)
    : scale_(screen)
    , defaultButton_(restingDefault) {}

DialogWindow::~DialogWindow() {
    destroy();
}

void DialogWindow::create(const char* className, const char* caption, DWORD style, DWORD exStyle,
                          const RECT& client, HWND owner) {
    const std::string windowName = std::string("window \"") + caption + '"';
    ensureWindowClass({className, &DialogWindow::procedure, 0, GetSysColorBrush(COLOR_BTNFACE)},
                      windowName.c_str());
    RECT outer = client;
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    // The handle is known from WM_NCCREATE on; a window that failed later is gone again.
    window_ = CreateWindowExA(exStyle, className, caption, style, outer.left, outer.top,
                              outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                              instance(), this);
    if (window_ == nullptr)
        throw std::runtime_error("Quivanto could not open its " + windowName + " (error " +
                                 std::to_string(GetLastError()) + ").");
    setIcons();
}

void DialogWindow::setIcons() const {
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(scaledIcon(32)));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(scaledIcon(16)));
}

HICON DialogWindow::scaledIcon(int pixelsAt96) const {
    // 15 twips to a pixel at 96 dpi.
    return programIcon(scale_.x(15.0f * static_cast<float>(pixelsAt96)));
}

// The flow goes first: nothing the window does while going away reaches it.
void DialogWindow::destroy() {
    forwarding_ = false;
    if (window_ == nullptr)
        return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(window_, nullptr));
}

LRESULT CALLBACK DialogWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<DialogWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT DialogWindow::defaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window_, WM_CLOSE, handler(this, &DialogWindow::onClose));
        HANDLE_MSG(window_, WM_ACTIVATE, handler(this, &DialogWindow::onActivate));
    case WM_DPICHANGED:
        onDpiChanged(LOWORD(wParam), HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case DM_GETDEFID:
        return defaultButton_.defaultAnswer();
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void DialogWindow::onClose(HWND) {
    if (forwarding_)
        unload();
}

// The control that had the focus when the window was last active is given it back when
// the window is active again, as a dialog box does for itself.
void DialogWindow::onActivate(HWND window, UINT activation, HWND, BOOL) {
    if (activation == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus))
            focus_ = focus;
    } else if (focus_ != nullptr && IsWindow(focus_)) {
        SetFocus(focus_);
    }
}

// Everything at the scale of the monitor the window is on: when it moves to a monitor of
// another scale, or that monitor's scale changes, the system suggests the new frame.
void DialogWindow::onDpiChanged(int dpiX, int dpiY, const RECT& suggested) {
    scale_ = DesignScale(ScreenMetrics{0, 0, 1440.0f / static_cast<float>(dpiX),
                                       1440.0f / static_cast<float>(dpiY)});
    makeFonts();
    for (const Placed& placed : placed_) {
        const RECT r = scale_.pixels(placed.place);
        SetWindowPos(placed.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowFont(placed.control, placed.font->get(), TRUE);
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    setIcons();
    scaleChanged();
    InvalidateRect(window_, nullptr, TRUE);
}

HWND DialogWindow::addControl(const char* windowClass, const char* text, DWORD style, int id,
                              const TwipsRect& place, const FontHandle& font, DWORD exStyle) {
    const RECT r = scale_.pixels(place);
    return adopt(CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, r.left,
                                 r.top, r.right - r.left, r.bottom - r.top, window_, childMenu(id),
                                 instance(), nullptr),
                 place, font);
}

HWND DialogWindow::addControlW(const wchar_t* windowClass, DWORD style, int id,
                               const TwipsRect& place, const FontHandle& font, DWORD exStyle) {
    const RECT r = scale_.pixels(place);
    return adopt(CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style, r.left,
                                 r.top, r.right - r.left, r.bottom - r.top, window_, childMenu(id),
                                 instance(), nullptr),
                 place, font);
}

// A new control takes its font, and follows the scale from now on.
HWND DialogWindow::adopt(HWND control, const TwipsRect& place, const FontHandle& font) {
    SetWindowFont(control, font.get(), FALSE);
    placed_.push_back({control, place, &font});
    return control;
}

FontHandle DialogWindow::makeFont(const char* face, float points, FontStyle style) const {
    return win32::makeFont(face, points, scale_.twipsPerPixelY(), style);
}

void DialogWindow::show(HWND firstFocus) {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(window_, focus))
        SetFocus(firstFocus);
}

void DialogWindow::takeOffScreen() {
    forwarding_ = false;
    ShowWindow(window_, SW_HIDE);
}

void DialogWindow::bringToFront() const {
    SetForegroundWindow(window_);
}

bool DialogWindow::minimized() const {
    return IsIconic(window_) != FALSE;
}

} // namespace quivanto::win32
