#include "core/tray_policy.h"

#include "platform/platform.h"

namespace quivanto {

TrayAction trayActionForCode(int code) {
    switch (code) {
    case TrayCode::LeftUp:
    case TrayCode::LeftDoubleClick:
        return TrayAction::ToggleListWindow;
    case TrayCode::RightUp:
        return TrayAction::ConfirmRemoveFromTray;
    default:
        return TrayAction::None;
    }
}

} // namespace quivanto
