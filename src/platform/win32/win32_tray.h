#pragma once

#include "platform/platform.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>

namespace quivanto::win32 {

// The icon resource the tray shows: the executable's own icon. Without one, the system's
// application icon stands in.
inline constexpr int ProgramIconResource = 1;

// The program's one icon, and the message its events arrive as: a mouse movement whose
// lParam carries the mouse message of the event.
inline constexpr UINT TrayIconId = 1;
inline constexpr UINT TrayCallbackMessage = WM_MOUSEMOVE;

// The notification-area icon and the hidden window its events are sent to. The window is
// a hidden top-level window, not a message-only one: only top-level windows hear the
// "TaskbarCreated" broadcast that asks for the icon again after the taskbar restarts.
class TrayIcon final {
public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shell_NotifyIconA(NIM_ADD); events then arrive, with the message loop running, as
    // the mouse message codes the notification area sends.
    bool add(const TrayIconData& data, std::function<void(int code)> onEvent);
    // Shell_NotifyIconA(NIM_DELETE) with the same record.
    bool remove();

    HWND window() const { return window_; }
    const NOTIFYICONDATAA& record() const { return record_; }

    // The record for an icon on `window`: the structure size of these headers, not the
    // first 88-byte form, and the tip cut to the field if it is longer.
    static NOTIFYICONDATAA makeRecord(HWND window, const TrayIconData& data, HICON icon);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    NOTIFYICONDATAA record_{};
    bool wanted_ = false; // between add and remove
    std::function<void(int code)> onEvent_;
};

} // namespace quivanto::win32
