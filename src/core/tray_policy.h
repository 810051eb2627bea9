#pragma once

#include "platform/platform.h"

// What the list window does for each event of its tray icon.
namespace quivanto {

enum class TrayAction { None, ToggleListWindow, ShowListForKeyboard, ConfirmRemoveFromTray };

// A click toggles the list. A keyboard selection only ever shows it, with the focus in it:
// one key press may arrive as two selections, and a keyboard user hides it with Escape.
TrayAction trayActionFor(const TrayEvent& event);

} // namespace quivanto
