#include "dialogs/properties_rules.h"

#include "core/item_line.h"
#include "core/text_units.h"
#include "platform/platform.h"

#include <algorithm>

namespace quivanto {

ShownItem shownItem(std::string_view row, const TextEncoding& encoding) {
    return {std::string(trimSpaces(descriptionField(row, encoding))),
            std::string(trimSpaces(targetField(row, encoding)))};
}

std::optional<std::size_t> rowWithDescription(const std::vector<std::string>& rows,
                                              std::string_view typed,
                                              const TextEncoding& encoding) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (trimSpaces(descriptionField(rows[row], encoding)) == typed)
            return row;
    }
    return std::nullopt;
}

std::optional<std::size_t> rowOfLine(const std::vector<std::string>& rows, std::string_view line) {
    const auto found = std::find(rows.begin(), rows.end(), line);
    if (found == rows.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - rows.begin());
}

Message descriptionTakenMessage(std::string_view row, const TextEncoding& encoding) {
    const ShownItem taken = shownItem(row, encoding);
    std::string text = "The file description that you provided is already in your Quivanto list.";
    text += LineBreak;
    text += "Please enter a unique description for this item.";
    text += itemBlock(taken.description, taken.target);
    return {text, "Quivanto - Duplicate Item!", ExclamationStyle};
}

Message itemGoneMessage(const ShownItem& item) {
    std::string text = "This item is no longer in your Quivanto list, so its description "
                       "was not changed.";
    text += itemBlock(item.description, item.target);
    return {text, "Quivanto - Item Not Found!", ExclamationStyle};
}

Message itemNotInListFileMessage(std::string_view listFile, const ShownItem& item) {
    std::string text = "This item is no longer in the list file \"";
    text += listFile;
    text += "\", so its description was not changed.";
    text += itemBlock(item.description, item.target);
    return {text, "Quivanto - Item Not Found!", ExclamationStyle};
}

Message descriptionNotSavedMessage(std::string_view reason) {
    std::string text(reason);
    text += LineBreak;
    text += LineBreak;
    text += "The description was not changed.";
    return {text, "Quivanto - Error Occured!", ExclamationStyle};
}

} // namespace quivanto
