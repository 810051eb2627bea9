#pragma once

#include <windows.h>

// The one place where the front end's window classes are registered.
namespace quivanto::win32 {

struct WindowClassTraits {
    const char* name;
    WNDPROC procedure;
    UINT style = 0;
    HBRUSH background = nullptr; // none: the window paints its own
    bool programIcon = false;    // the program's icon, large and small
};

// Registers the class unless this program already has one of that name; throws
// std::runtime_error saying which window could not be made otherwise.
void ensureWindowClass(const WindowClassTraits& traits, const char* windowName);

} // namespace quivanto::win32
