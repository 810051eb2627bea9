#pragma once

#include "core/shortcut_keys.h"
#include "platform/platform.h"

#include <windows.h>

#include <string>

namespace quivanto::win32 {

// The program on its one user-interface thread: the list window, the dialogs' windows and
// Form1, then the message loop until the user ends it. `folder` is where list.dat lives
// (empty: the folder the program was started in). A window the system will not make at
// start is said in a message box, and the run ends with a non-zero code.
int runProgram(Platform& platform, HINSTANCE instance, const std::string& folder,
               const ShortcutChoice& shortcut = {DefaultShortcut, {}});

} // namespace quivanto::win32
