#pragma once

// What the list window does for each event of its tray icon.
namespace quivanto {

enum class TrayAction { None, ToggleListWindow, ConfirmRemoveFromTray };

TrayAction trayActionForCode(int code);

} // namespace quivanto
