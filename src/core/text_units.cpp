#include "core/text_units.h"

#include <algorithm>

namespace quivanto {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence starting at `pos`, or 1 for a stray byte.
std::size_t utf8SequenceLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (pos + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[pos + i])))
            return 1;
    }
    return length;
}

// Bytes of the character starting at `pos`. A double-byte code page's lead byte takes the
// next byte with it whatever that is, as the system's own text functions do; a lead byte
// at the very end stands alone.
std::size_t sequenceLength(std::string_view text, std::size_t pos, const TextEncoding& encoding) {
    switch (encoding.kind) {
    case TextEncoding::Kind::Utf8:
        return utf8SequenceLength(text, pos);
    case TextEncoding::Kind::SingleByte:
        return 1;
    case TextEncoding::Kind::DoubleByte:
        return encoding.isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()
                   ? 2
                   : 1;
    }
    return 1;
}

} // namespace

std::size_t characterCount(std::string_view text, const TextEncoding& encoding) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += sequenceLength(text, pos, encoding))
        ++count;
    return count;
}

std::size_t byteOffsetOfCharacter(std::string_view text, std::size_t characterIndex,
                                  const TextEncoding& encoding) {
    // Plain ASCII, the usual case, is one byte a character in every encoding we meet (no
    // lead byte of a double-byte code page is below 0x80): no sequences to walk.
    const std::size_t asciiEnd = std::min(characterIndex, text.size());
    if (std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(asciiEnd),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return asciiEnd;
    std::size_t pos = 0;
    for (std::size_t i = 0; i < characterIndex && pos < text.size(); ++i)
        pos += sequenceLength(text, pos, encoding);
    return pos;
}

std::string_view leadingCharacters(std::string_view text, std::size_t count,
                                   const TextEncoding& encoding) {
    return text.substr(0, byteOffsetOfCharacter(text, count, encoding));
}

std::string_view trailingCharacters(std::string_view text, std::size_t count,
                                    const TextEncoding& encoding) {
    const std::size_t total = characterCount(text, encoding);
    if (count >= total)
        return text;
    return text.substr(byteOffsetOfCharacter(text, total - count, encoding));
}

std::string_view charactersFrom(std::string_view text, std::size_t characterIndex,
                                const TextEncoding& encoding) {
    return text.substr(byteOffsetOfCharacter(text, characterIndex, encoding));
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace quivanto
