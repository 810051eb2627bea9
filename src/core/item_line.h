#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>

// An item line is the text form of one launcher item: the description padded with
// spaces to 30 characters, "|" as character 31, and the target from character 32 on.
// Readers split by position only, never by searching for the "|". Positions count
// characters of the system's text encoding (see core/text_units.h).
namespace quivanto {

inline constexpr std::size_t DescriptionWidth = 30;
inline constexpr std::size_t TargetStart = 31; // 0-based index of character 32
inline constexpr char FieldSeparator = '|';

// The description followed by spaces up to 30 characters; a longer text is kept whole
// (callers shorten before they build a line).
std::string padDescription(std::string_view description, const TextEncoding& encoding = {});

std::string makeItemLine(std::string_view description, std::string_view target,
                         const TextEncoding& encoding = {});

// The first 30 characters of a line, spaces included.
std::string_view descriptionField(std::string_view line, const TextEncoding& encoding = {});

// The line from character 32 on; empty for a line of 31 characters or fewer.
std::string_view targetField(std::string_view line, const TextEncoding& encoding = {});

// First 14 characters, "~", last 15: how a name longer than 30 characters is fitted.
std::string shortenToDescriptionWidth(std::string_view name, const TextEncoding& encoding = {});

// True when a text would break the one-line-per-item format of the list file.
bool containsLineBreak(std::string_view text);

} // namespace quivanto
