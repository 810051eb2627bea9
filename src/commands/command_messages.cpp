#include "commands/command_messages.h"

#include "core/item_line.h"
#include "platform/platform.h"

#include <string>

namespace quivanto {
namespace {

constexpr std::string_view DuplicateTitle = "Quivanto - Duplicate Item!";

Message aboutItem(std::string_view lead, std::string_view description, std::string_view target,
                  std::string_view title, MessageStyle style) {
    std::string text(lead);
    text += itemBlock(description, target);
    return {text, std::string(title), style};
}

} // namespace

Message fileNotFoundMessage(std::string_view line, const TextEncoding& encoding) {
    return aboutItem("The program that you selected does not exist anymore! Please remove it "
                     "from your Quivanto list.",
                     descriptionField(line, encoding), targetField(line, encoding),
                     "Quivanto - File not found!", ExclamationStyle);
}

Message noTextEditorMessage(std::string_view line, const TextEncoding& encoding) {
    // The item is fine: removing it, as the not-found message advises, would not help.
    return aboutItem("No text editor was found on this computer. Please install a text editor "
                     "to open this item.",
                     descriptionField(line, encoding), targetField(line, encoding),
                     "Quivanto - No Text Editor", ExclamationStyle);
}

Message unexpectedErrorMessage(int code) {
    // The number is written with its sign position: a space for codes of 0 and above.
    std::string text = code < 0 ? std::to_string(code) : " " + std::to_string(code);
    text += ": Error Occured!";
    return {text, "Quivanto - Error Occured!", ExclamationStyle};
}

Message multipleFilesMessage() {
    return {"You may only drag and drop one item into your Quivanto list.",
            "Quivanto - Drag and Drop Multiple Files Error", ExclamationStyle};
}

Message duplicateFileMessage(std::string_view matchedDescription, std::string_view path) {
    return aboutItem("The file that you selected is already in your Quivanto list.",
                     matchedDescription, path, DuplicateTitle, ExclamationStyle);
}

Message duplicateDescriptionMessage(std::string_view description, std::string_view path) {
    return aboutItem("The file description that you provided is already in your Quivanto list.",
                     description, path, DuplicateTitle, ExclamationStyle);
}

Message fileTypeNotSupportedMessage() {
    std::string text = "The system file that you selected cannot be placed in your Quivanto list.";
    text += LineBreak;
    text += "Please create a shortcut for the system file before placing it in your list.";
    return {text, "Quivanto - File Type Not Supported!", ExclamationStyle};
}

Message lineBreakInNameMessage() {
    // A line break in a name would split its item line in two.
    std::string text = "The file that you selected has a line break in its name and cannot be "
                       "placed in your Quivanto list.";
    text += LineBreak;
    text += "Please rename the file before placing it in your list.";
    return {text, "Quivanto - File Name Not Supported!", ExclamationStyle};
}

Message helpMissingMessage() {
    return {"The help file could not be found. Please reinstall Quivanto.",
            "Quivanto - Error Occured!", ExclamationStyle};
}

Message lastItemMessage() {
    return {"You cannot remove the last item! Please add an item first.",
            std::string(ApplicationTitle), PlainStyle};
}

Message noSelectionMessage() {
    return {"You must first select an item from your list.", std::string(ApplicationTitle),
            PlainStyle};
}

Message confirmRemoveMessage(std::string_view line, const TextEncoding& encoding) {
    return aboutItem(
        "Are you sure that you want to remove the selected item from your Quivanto list?",
        descriptionField(line, encoding), targetField(line, encoding), "Quivanto - Are you sure?",
        ConfirmationStyle);
}

} // namespace quivanto
