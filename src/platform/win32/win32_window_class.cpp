#include "platform/win32/win32_window_class.h"

namespace quivanto::win32 {

bool registerHiddenWindowClass(const char* name, WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name, &windowClass))
        return true;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

} // namespace quivanto::win32
