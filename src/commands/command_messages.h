#pragma once

#include "core/message.h"
#include "platform/platform.h"

#include <string_view>

// The messages of the list window's commands: launching, dropping and removing.
namespace quivanto {

// Launch: the target is gone; names the item of the selected line.
Message fileNotFoundMessage(std::string_view line, const TextEncoding& encoding = {});
// Launch: the item names the text editor, and the system has none to stand in for it.
Message noTextEditorMessage(std::string_view line, const TextEncoding& encoding = {});

// Launch and drop: any failure other than the expected ones, by number.
Message unexpectedErrorMessage(int code);

// Drop.
Message multipleFilesMessage();
Message duplicateFileMessage(std::string_view matchedDescription, std::string_view path);
Message duplicateDescriptionMessage(std::string_view description, std::string_view path);
Message fileTypeNotSupportedMessage();
Message lineBreakInNameMessage();

// Help.
inline constexpr const char* HelpFileName = "Help.html";
Message helpMissingMessage();

// Remove.
Message lastItemMessage();
Message noSelectionMessage();
Message confirmRemoveMessage(std::string_view line, const TextEncoding& encoding = {});

} // namespace quivanto
