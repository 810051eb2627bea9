#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <string>
#include <string_view>

// Character positions in item lines count characters of the system text encoding: UTF-8
// on Linux, the ANSI code page on Windows (one byte a character, or one or two in a
// double-byte code page). A byte that does not start a valid sequence counts as one
// character, so damaged files never make us split or skip bytes.
namespace quivanto {

std::size_t characterCount(std::string_view text, const TextEncoding& encoding = {});

// Byte offset where the character with the given 0-based index starts, or text.size().
std::size_t byteOffsetOfCharacter(std::string_view text, std::size_t characterIndex,
                                  const TextEncoding& encoding = {});

// The first `count` characters (fewer when the text is shorter).
std::string_view leadingCharacters(std::string_view text, std::size_t count,
                                   const TextEncoding& encoding = {});

// The last `count` characters (the whole text when it is shorter).
std::string_view trailingCharacters(std::string_view text, std::size_t count,
                                    const TextEncoding& encoding = {});

// Everything from the character with the given 0-based index on.
std::string_view charactersFrom(std::string_view text, std::size_t characterIndex,
                                const TextEncoding& encoding = {});

// Spaces (U+0020) removed from both ends, as the list's readers trim.
std::string_view trimSpaces(std::string_view text);

} // namespace quivanto
