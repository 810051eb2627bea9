// The Windows edition's entry point.
#include "core/shortcut_keys.h"
#include "platform/win32/win32_platform.h"
#include "win32/program.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    quivanto::Win32Platform platform;
    // list.dat is named relative to the folder the program was started in, as the system's
    // file calls take it.
    return quivanto::win32::runProgram(
        platform, instance, std::string(),
        quivanto::shortcutFromArguments(std::vector<std::string>(__argv + 1, __argv + __argc)));
}
