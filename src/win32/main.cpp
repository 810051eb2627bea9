// The Windows edition's entry point: the list window, the dialogs' windows and Form1 on the
// one user-interface thread, then the message loop until the user ends the program.
#include "list_window/form1.h"
#include "platform/win32/win32_platform.h"
#include "win32/dialog_windows.h"
#include "win32/list_window.h"
#include "win32/message_loop.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    quivanto::Win32Platform platform;
    quivanto::win32::ListWindow listWindow(instance, platform.screenMetrics(),
                                           platform.textEncoding());
    quivanto::win32::DialogWindows dialogViews(platform, listWindow.window());
    quivanto::win32::MessageLoop loop(instance);
    // list.dat is named relative to the folder the program was started in, as the system's
    // file calls take it.
    quivanto::Form1 form(platform, loop, std::string(), listWindow, dialogViews);
    listWindow.attach(form);
    if (form.Form_Load() != quivanto::StartOutcome::Resident)
        return 1;
    return loop.run();
}
