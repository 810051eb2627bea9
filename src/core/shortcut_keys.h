#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The global shortcut that opens the list: its default, its names, and the command line
// that changes it.
namespace quivanto {

// Super+Alt+Q: no desktop we serve gives it a meaning of its own, and a combination without
// Control never types a character (Ctrl+Alt is AltGr on many keyboards).
inline constexpr ShortcutKeys DefaultShortcut{ShortcutKeys::Super | ShortcutKeys::Alt, 'Q'};

// "Super+Alt+Q", "ctrl+shift+f5", "Win+Alt+Q": modifiers and one letter, digit or F1 to F12
// joined by "+", letter case ignored. Nothing for a text that names no such combination.
std::optional<ShortcutKeys> parseShortcutKeys(std::string_view text);

// The keys as the user reads them, the Super modifier under the system's own name.
std::string shortcutKeysText(const ShortcutKeys& keys, std::string_view superName);

struct ShortcutChoice {
    std::optional<ShortcutKeys> keys; // none: no shortcut
    std::string unknownKeys;          // keys given after --shortcut that name nothing
};

// `--shortcut KEYS` or `--shortcut=KEYS` sets the keys, `--shortcut none` turns the
// shortcut off; without the option the default holds. Other arguments are not ours.
ShortcutChoice shortcutFromArguments(const std::vector<std::string>& arguments);

} // namespace quivanto
