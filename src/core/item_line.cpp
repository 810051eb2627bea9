#include "core/item_line.h"

#include "core/text_units.h"

namespace quivanto {

std::string padDescription(std::string_view description) {
    std::string field(description);
    const std::size_t length = characterCount(description);
    if (length < DescriptionWidth)
        field.append(DescriptionWidth - length, ' ');
    return field;
}

std::string makeItemLine(std::string_view description, std::string_view target) {
    std::string line = padDescription(description);
    line += FieldSeparator;
    line += target;
    return line;
}

std::string_view descriptionField(std::string_view line) {
    return leadingCharacters(line, DescriptionWidth);
}

std::string_view targetField(std::string_view line) {
    return charactersFrom(line, TargetStart);
}

std::string shortenToDescriptionWidth(std::string_view name) {
    if (characterCount(name) <= DescriptionWidth)
        return std::string(name);
    std::string shortened(leadingCharacters(name, 14));
    shortened += '~';
    shortened += trailingCharacters(name, 15);
    return shortened;
}

bool containsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace quivanto
