// The tray half of tray_click.sh: puts the icon in Wine's tray, says READY, and reports
// the codes that real clicks on it deliver, then where the pointer was and whether the
// icon went away again. Exit code 0 when the codes are those of a click, a double click
// and a right click; 1 otherwise; 3 without a tray.
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_tray.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace {

void pumpUntil(const bool& done, DWORD limitMs) {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    while (!done && GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

} // namespace

int main() {
    quivanto::Win32Platform platform;
    if (!platform.waitForTray(10000)) {
        std::printf("NO TRAY\n");
        return 3;
    }
    std::vector<char> events; // C click, D double click, R context request
    quivanto::CursorPosition cursor;
    bool rightUp = false;
    quivanto::TrayIconData data;
    data.tip = "Quivanto";
    platform.addTrayIcon(data, [&](const quivanto::TrayEvent& event) {
        using Kind = quivanto::TrayEvent::Kind;
        events.push_back(event.kind == Kind::Click         ? 'C'
                         : event.kind == Kind::DoubleClick ? 'D'
                                                           : 'R');
        if (event.kind == Kind::ContextRequest) {
            cursor = platform.cursorPosition();
            rightUp = true;
        }
    });
    std::printf("READY\n");
    std::fflush(stdout);

    pumpUntil(rightUp, 60000);
    std::printf("EVENTS %s ", platform.trayUsesVersion4() ? "v4" : "v0");
    for (const char event : events)
        std::printf("%c", event);
    std::printf("\nCURSOR %d %d\n", cursor.x, cursor.y);

    platform.deleteTrayIcon(data);
    NOTIFYICONDATAA probe{};
    probe.cbSize = sizeof probe;
    probe.hWnd = reinterpret_cast<HWND>(platform.trayWindow());
    probe.uID = quivanto::win32::TrayIconId;
    const bool stillThere = Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
    std::printf("DELETED %s\n", stillThere ? "no" : "yes");
    std::fflush(stdout);

    const std::vector<char> expected{'C', 'C', 'D', 'C', 'R'}; // click, double click, right
    return events == expected && !stillThere ? 0 : 1;
}
