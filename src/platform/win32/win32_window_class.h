#pragma once

#include <windows.h>

namespace quivanto::win32 {

// Registers the class of one of the back end's own hidden windows, once per program; false
// when the system refused it.
bool registerHiddenWindowClass(const char* name, WNDPROC procedure);

} // namespace quivanto::win32
