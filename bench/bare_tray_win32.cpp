// The floor for the Windows benchmark: the least a Win32 tray launcher does, built as
// quivanto.exe is (static runtime, the same manifest: common controls 6, DPI aware). The
// common controls, a hidden popup tool window with a list box of two rows, an icon in the
// notification area, a message loop; a right click on the icon ends it.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr UINT TrayMessage = WM_APP + 1;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TrayMessage && LOWORD(lParam) == WM_RBUTTONUP) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BareTrayWindow";
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "Bare tray",
                                  WS_POPUP, 0, 0, 263, 96, nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowExA(0, WC_LISTBOXA, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0,
                                263, 96, window, nullptr, instance, nullptr);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Explorer"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Notepad"));

    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = TrayMessage;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpyA(icon.szTip, "Bare tray");
    Shell_NotifyIconA(NIM_ADD, &icon);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}
