#include "commands/key_table.h"

namespace quivanto {

ListKeyAction listKeyAction(int virtualKeyCode) {
    switch (virtualKeyCode) {
    case VirtualKey::Enter:
    case VirtualKey::Space:
        return ListKeyAction::Launch;
    case VirtualKey::Escape:
        return ListKeyAction::Hide;
    case VirtualKey::Delete:
        return ListKeyAction::Remove;
    case VirtualKey::Insert:
        return ListKeyAction::Add;
    case VirtualKey::F1:
        return ListKeyAction::Help;
    default:
        return ListKeyAction::None;
    }
}

} // namespace quivanto
