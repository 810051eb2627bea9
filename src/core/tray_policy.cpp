#include "core/tray_policy.h"

namespace quivanto {

TrayAction trayActionFor(const TrayEvent& event) {
    switch (event.kind) {
    case TrayEvent::Kind::Click:
        return event.fromKeyboard ? TrayAction::ShowListForKeyboard : TrayAction::ToggleListWindow;
    case TrayEvent::Kind::DoubleClick:
        return TrayAction::ToggleListWindow;
    case TrayEvent::Kind::ContextRequest:
        return TrayAction::ConfirmRemoveFromTray;
    }
    return TrayAction::None;
}

} // namespace quivanto
