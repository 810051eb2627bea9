#pragma once

#include "core/message.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the Properties dialog decides: the fields it shows, the description check and its
// messages.
namespace quivanto {

// The two fields of a row as the dialog shows them, both trimmed of spaces.
struct ShownItem {
    std::string description;
    std::string target;
};

ShownItem shownItem(std::string_view row);

// The first row whose trimmed description equals the typed text, taken as typed.
std::optional<std::size_t> rowWithDescription(const std::vector<std::string>& rows,
                                              std::string_view typed);

// The first row equal to `line`.
std::optional<std::size_t> rowOfLine(const std::vector<std::string>& rows, std::string_view line);

Message descriptionTakenMessage(std::string_view row);

// The item the dialog shows is no longer a row of the list.
Message itemGoneMessage(const ShownItem& item);

// The list file does not hold the item's line (edited by another program).
Message itemNotInListFileMessage(std::string_view listFile, const ShownItem& item);

// The rewrite failed; `reason` names the file and the system's reason.
Message descriptionNotSavedMessage(std::string_view reason);

} // namespace quivanto
