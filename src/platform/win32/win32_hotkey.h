#pragma once

#include "platform/platform.h"

#include <windows.h>

namespace quivanto::win32 {

// A system-wide hot key on a message-only window of its own: WM_HOTKEY arrives there
// through the message loop and runs the handler.
class HotKey final {
public:
    HotKey();
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    ShortcutResult registerKeys(const ShortcutKeys& keys, ShortcutHandler onPressed);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool registered_ = false;
    ShortcutHandler onPressed_;
};

} // namespace quivanto::win32
