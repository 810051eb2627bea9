#pragma once

#include "platform/platform.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>

namespace quivanto::win32 {

// The icon resource the tray shows: the executable's own icon. Without one, the system's
// application icon stands in.
inline constexpr int ProgramIconResource = 1;

// The program's one icon, and the message its events arrive as: a mouse movement whose
// lParam carries the mouse message of the event.
inline constexpr UINT TrayIconId = 1;
inline constexpr UINT TrayCallbackMessage = WM_MOUSEMOVE;

// What one callback from the notification area means. With the fourth version of the
// icon's protocol (`version4`), the message is in lParam's low word and the icon's place
// in wParam, and selection and the context request come as their own messages; otherwise
// wParam is the icon's id and lParam the mouse message.
std::optional<TrayEvent> trayEventFor(WPARAM wParam, LPARAM lParam, bool version4);

// The icon's id a callback names.
UINT trayCallbackIconId(WPARAM wParam, LPARAM lParam, bool version4);

// The notification-area icon and the hidden window its events are sent to. The window is
// a hidden top-level window, not a message-only one: only top-level windows hear the
// "TaskbarCreated" broadcast that asks for the icon again after the taskbar restarts.
class TrayIcon final {
public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shell_NotifyIconA(NIM_ADD), then the fourth version of the protocol, which lets the
    // keyboard reach the icon; events then arrive with the message loop running.
    bool add(const TrayIconData& data, std::function<void(const TrayEvent&)> onEvent);
    // Shell_NotifyIconA(NIM_DELETE) with the same record.
    bool remove();

    HWND window() const { return window_; }
    // Whether the notification area took the fourth version of the protocol.
    bool usesVersion4() const { return version4_; }
    // The icon's place on the screen, where the notification area tells it.
    std::optional<RECT> iconRect() const;
    const NOTIFYICONDATAA& record() const { return record_; }

    // The record for an icon on `window`: the structure size of these headers, not the
    // first 88-byte form, the tip cut to the field if it is longer, and the standard tip
    // kept under the fourth version of the protocol.
    static NOTIFYICONDATAA makeRecord(HWND window, const TrayIconData& data, HICON icon);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool addToNotificationArea();

    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    NOTIFYICONDATAA record_{};
    bool wanted_ = false;   // between add and remove
    bool version4_ = false; // the notification area took the fourth version
    std::function<void(const TrayEvent&)> onEvent_;
};

} // namespace quivanto::win32
