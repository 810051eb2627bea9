// The Windows edition's entry point: the list window, the dialogs' windows and Form1 on the
// one user-interface thread, then the message loop until the user ends the program.
#include "core/form1.h"
#include "platform/win32/win32_platform.h"
#include "win32/list_window.h"
#include "win32/win32_dialog_views.h"

#include <windows.h>

#include <commctrl.h>

#include <filesystem>

namespace {

int runMessageLoop(HWND listWindow) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The dialogs are modeless: Tab, Enter and Escape reach their controls this way.
        const HWND active = GetActiveWindow();
        if (active != nullptr && active != listWindow && IsDialogMessageA(active, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    quivanto::Win32Platform platform;
    quivanto::win32::ListWindow listWindow(instance, platform.screenMetrics());
    quivanto::win32::Win32DialogViews dialogViews(instance);
    // list.dat lives in the folder the program was started in.
    quivanto::Form1 form(platform, std::filesystem::current_path(), listWindow, dialogViews);
    listWindow.attach(form);
    if (form.Form_Load() != quivanto::StartOutcome::Resident)
        return 1;
    return runMessageLoop(listWindow.window());
}
