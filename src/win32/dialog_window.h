#pragma once

#include "core/list_window_geometry.h"
#include "platform/platform.h"
#include "win32/dialog_support.h"
#include "win32/window_handles.h"

#include <windows.h>

#include <vector>

namespace quivanto::win32 {

// A dialog window as the list window is one: an object that owns its window and its state,
// and receives the window's messages in member handlers. What every dialog does alike is
// here: its class, made and checked in one place; the close box running the flow's closing
// behaviour; the focus given back when the window is active again; the default button for
// Enter; the scale of the monitor the window is on, which the controls' places and fonts
// follow. Each dialog makes its fonts in `makeFonts`, its window in its constructor with
// `create`, then its controls with `addControl`; it handles its own messages in
// `onMessage`, leaving the rest to `defaultMessage`. Its destructor calls `destroy` first,
// so no message reaches a half-destroyed dialog.
class DialogWindow {
public:
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND handle() const { return window_; }

protected:
    DialogWindow(const ScreenMetrics& screen, int restingDefault);
    virtual ~DialogWindow();

    // The window, of class `className` (which starts with DialogClassPrefix), its client
    // area at `client` in pixels. Throws std::runtime_error naming the window by its caption
    // when the system will not make it.
    void create(const char* className, const char* caption, DWORD style, DWORD exStyle,
                const RECT& client, HWND owner);
    void destroy();

    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT defaultMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The flow's closing behaviour, run by the close box.
    virtual void unload() = 0;

    // A child control at its design place, in `font` (one of the dialog's own, made in
    // `makeFonts`). The Unicode one is for the description boxes.
    HWND addControl(const char* windowClass, const char* text, DWORD style, int id,
                    const TwipsRect& place, const FontHandle& font, DWORD exStyle = 0);
    HWND addControlW(const wchar_t* windowClass, DWORD style, int id, const TwipsRect& place,
                     const FontHandle& font, DWORD exStyle = 0);
    FontHandle makeFont(const char* face, float points, FontStyle style = {}) const;
    // The dialog's fonts at the current scale; called again when the scale changes.
    virtual void makeFonts() = 0;
    // What the dialog places by itself, after the controls have followed a new scale.
    virtual void scaleChanged() {}
    // An icon of the program at a size in pixels at 96 dpi, on this window's monitor.
    HICON scaledIcon(int pixelsAt96) const;

    // The views' life cycle.
    void show(HWND firstFocus);
    void takeOffScreen();
    void bringToFront() const;
    bool minimized() const;

    // Off once the flow has closed the window: no event reaches a flow that is closing.
    bool forwarding() const { return forwarding_; }
    // Buttons pass their BN_SETFOCUS and BN_KILLFOCUS here.
    void followDefault(int id, UINT code) { defaultButton_.follow(window_, id, code); }
    const DesignScale& scale() const { return scale_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onClose(HWND window);
    void onActivate(HWND window, UINT activation, HWND other, BOOL minimized);
    void onDpiChanged(int dpiX, int dpiY, const RECT& suggested);
    HWND adopt(HWND control, const TwipsRect& place, const FontHandle& font);
    void setIcons() const;

    struct Placed {
        HWND control;
        TwipsRect place;
        const FontHandle* font;
    };

    DesignScale scale_;
    std::vector<Placed> placed_;
    HWND window_ = nullptr;
    HWND focus_ = nullptr; // given back when the window is active again
    DefaultButton defaultButton_;
    bool forwarding_ = true;
};

} // namespace quivanto::win32
