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

Message listFileErrorMessage(std::string_view reason) {
    return {std::string(reason), "Quivanto - Error Occured!", ExclamationStyle};
}

} // namespace quivanto
