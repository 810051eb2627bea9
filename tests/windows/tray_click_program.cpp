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
    std::vector<int> codes;
    quivanto::CursorPosition cursor;
    bool rightUp = false;
    quivanto::TrayIconData data;
    data.tip = "Quivanto";
    platform.addTrayIcon(data, [&](int code, std::optional<int>) {
        if (code != quivanto::TrayCode::LeftUp && code != quivanto::TrayCode::LeftDoubleClick &&
            code != quivanto::TrayCode::RightUp)
            return;
        codes.push_back(code);
        if (code == quivanto::TrayCode::RightUp) {
            cursor = platform.cursorPosition();
            rightUp = true;
        }
    });
    std::printf("READY\n");
    std::fflush(stdout);

    pumpUntil(rightUp, 60000);
    std::printf("CODES");
    for (const int code : codes)
        std::printf(" %d", code);
    std::printf("\nCURSOR %d %d\n", cursor.x, cursor.y);

    platform.deleteTrayIcon(data);
    NOTIFYICONDATAA probe{};
    probe.cbSize = sizeof probe;
    probe.hWnd = reinterpret_cast<HWND>(platform.trayWindow());
    probe.uID = quivanto::win32::TrayIconId;
    const bool stillThere = Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
    std::printf("DELETED %s\n", stillThere ? "no" : "yes");
    std::fflush(stdout);

    const std::vector<int> expected{514, 514, 515, 514, 517}; // click, double click, right
    return codes == expected && !stillThere ? 0 : 1;
}
