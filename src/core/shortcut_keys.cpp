#include "core/shortcut_keys.h"

#include <array>
#include <cctype>
#include <charconv>

namespace quivanto {
namespace {

constexpr int FirstFunctionKey = 112; // F1
constexpr int FunctionKeys = 12;

struct ModifierName {
    std::string_view name;
    unsigned modifier;
};

constexpr std::array<ModifierName, 7> ModifierNames{{{"super", ShortcutKeys::Super},
                                                     {"win", ShortcutKeys::Super},
                                                     {"meta", ShortcutKeys::Super},
                                                     {"ctrl", ShortcutKeys::Control},
                                                     {"control", ShortcutKeys::Control},
                                                     {"alt", ShortcutKeys::Alt},
                                                     {"shift", ShortcutKeys::Shift}}};

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::optional<unsigned> modifierNamed(std::string_view name) {
    for (const ModifierName& entry : ModifierNames) {
        if (entry.name == name)
            return entry.modifier;
    }
    return std::nullopt;
}

std::optional<int> keyNamed(std::string_view name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    int number = 0;
    if (name.size() < 2 || name[0] != 'f')
        return std::nullopt;
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    if (error != std::errc{} || end != name.data() + name.size() || number < 1 ||
        number > FunctionKeys)
        return std::nullopt;
    return FirstFunctionKey + number - 1;
}

} // namespace

std::optional<ShortcutKeys> parseShortcutKeys(std::string_view text) {
    const std::string words = lowered(text);
    ShortcutKeys keys;
    std::string_view rest = words;
    for (;;) {
        const auto plus = rest.find('+');
        const std::string_view word = rest.substr(0, plus);
        if (plus == std::string_view::npos) {
            const auto key = keyNamed(word);
            // A key alone would be taken from every program the user types into.
            if (!key || keys.modifiers == 0)
                return std::nullopt;
            keys.key = *key;
            return keys;
        }
        const auto modifier = modifierNamed(word);
        if (!modifier || (keys.modifiers & *modifier) != 0)
            return std::nullopt;
        keys.modifiers |= *modifier;
        rest.remove_prefix(plus + 1);
    }
}

std::string shortcutKeysText(const ShortcutKeys& keys, std::string_view superName) {
    std::string text;
    const auto add = [&text](std::string_view name) {
        text += name;
        text += '+';
    };
    if (keys.modifiers & ShortcutKeys::Super)
        add(superName);
    if (keys.modifiers & ShortcutKeys::Control)
        add("Ctrl");
    if (keys.modifiers & ShortcutKeys::Alt)
        add("Alt");
    if (keys.modifiers & ShortcutKeys::Shift)
        add("Shift");
    if (keys.key >= FirstFunctionKey && keys.key < FirstFunctionKey + FunctionKeys)
        text += "F" + std::to_string(keys.key - FirstFunctionKey + 1);
    else
        text += static_cast<char>(keys.key);
    return text;
}

ShortcutChoice shortcutFromArguments(const std::vector<std::string>& arguments) {
    constexpr std::string_view Option = "--shortcut";
    ShortcutChoice choice{DefaultShortcut, {}};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        std::string_view value;
        if (argument == Option && i + 1 < arguments.size())
            value = arguments[++i];
        else if (argument.starts_with(Option) && argument.substr(Option.size()).starts_with('='))
            value = argument.substr(Option.size() + 1);
        else
            continue;
        choice.unknownKeys.clear();
        if (lowered(value) == "none") {
            choice.keys.reset();
        } else if (auto keys = parseShortcutKeys(value)) {
            choice.keys = keys;
        } else {
            choice.keys.reset();
            choice.unknownKeys = value;
        }
    }
    return choice;
}

} // namespace quivanto
