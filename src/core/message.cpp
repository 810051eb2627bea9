#include "core/message.h"

#include "platform/platform.h"

namespace quivanto {

std::string itemBlock(std::string_view description, std::string_view target) {
    std::string block;
    block += LineBreak;
    block += LineBreak;
    block += "DESCRIPTION: ";
    block += description;
    block += LineBreak;
    block += "FILE NAME: ";
    block += target;
    return block;
}

Message alreadyRunningMessage() {
    return {"Quivanto is already running.", "Quivanto - Multiple Instances Error",
            ExclamationStyle};
}

Message confirmRemoveFromTrayMessage() {
    return {"Do you want to remove Quivanto from your system tray?", "Quivanto - Are you sure?",
            ConfirmationStyle};
}

Message noTrayMessage() {
    std::string text = "Quivanto lives in the system tray, but this desktop has none.";
    text += LineBreak;
    text += "Please add a system tray (notification area) to your panel and start Quivanto again.";
    return {text, "Quivanto - No System Tray", ExclamationStyle};
}

Message shortcutTakenMessage(std::string_view keys) {
    std::string text = "Another program already uses the keys ";
    text += keys;
    text += ", so they will not open the Quivanto list.";
    text += LineBreak;
    text += "Quivanto runs as usual: click its icon in the system tray.";
    return {text, "Quivanto - Shortcut Taken", ExclamationStyle};
}

Message unknownShortcutMessage(std::string_view keys) {
    std::string text = "Quivanto does not know the keys \"";
    text += keys;
    text += "\", so no keys open its list.";
    text += LineBreak;
    text += "Name modifiers and one letter, digit or F1 to F12, as in Super+Alt+Q.";
    return {text, "Quivanto - Shortcut Unknown", ExclamationStyle};
}

Message listFileErrorMessage(std::string_view reason) {
    return {std::string(reason), "Quivanto - Error Occured!", ExclamationStyle};
}

Message windowFailureMessage(std::string_view what) {
    return {std::string(what), "Quivanto - Error Occured!", ExclamationStyle};
}

} // namespace quivanto
