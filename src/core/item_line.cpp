#include "core/item_line.h"

#include "core/text_units.h"

namespace quivanto {

std::string padDescription(std::string_view description, const TextEncoding& encoding) {
    std::string field(description);
    const std::size_t length = characterCount(description, encoding);
    if (length < DescriptionWidth)
        field.append(DescriptionWidth - length, ' ');
    return field;
}

std::string makeItemLine(std::string_view description, std::string_view target,
                         const TextEncoding& encoding) {
    std::string line = padDescription(description, encoding);
    line += FieldSeparator;
    line += target;
    return line;
}

std::string_view descriptionField(std::string_view line, const TextEncoding& encoding) {
    return leadingCharacters(line, DescriptionWidth, encoding);
}

std::string_view targetField(std::string_view line, const TextEncoding& encoding) {
    return charactersFrom(line, TargetStart, encoding);
}

std::string shortenToDescriptionWidth(std::string_view name, const TextEncoding& encoding) {
    if (characterCount(name, encoding) <= DescriptionWidth)
        return std::string(name);
    std::string shortened(leadingCharacters(name, 14, encoding));
    shortened += '~';
    shortened += trailingCharacters(name, 15, encoding);
    return shortened;
}

bool containsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace quivanto
