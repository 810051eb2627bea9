#include "dialogs/add_item_rules.h"

#include "core/item_line.h"
#include "core/list_window_geometry.h"
#include "dialogs/browse_paths.h"
#include "platform/platform.h"

#include <algorithm>

namespace quivanto {
namespace {

constexpr std::string_view DuplicateTitle = "Quivanto - Duplicate Item!";

Message duplicateMessage(std::string_view sentence, std::string_view row,
                         const TextEncoding& encoding) {
    std::string text(sentence);
    text += itemBlock(descriptionField(row, encoding), targetField(row, encoding));
    return {text, std::string(DuplicateTitle), ExclamationStyle};
}

} // namespace

std::string joinTarget(std::string_view folder, std::string_view file, char separator) {
    std::string target(folder);
    if (!target.ends_with(separator))
        target += separator;
    target += file;
    return target;
}

std::string folderProposal(std::string_view folder, const std::vector<std::string>& roots,
                           char separator) {
    if (std::find(roots.begin(), roots.end(), folder) != roots.end())
        return "Drive: " + std::string(folder);
    return "Folder: " + std::string(lastName(folder, separator));
}

std::string storedDescription(std::string_view boxText, const TextEncoding& encoding) {
    return shortenToDescriptionWidth(boxText, encoding);
}

AddItemScan scanForDuplicate(const std::vector<std::string>& rows, std::string_view target,
                             std::string_view descriptionField, const TextEncoding& encoding) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (quivanto::targetField(rows[row], encoding) == target)
            return {AddItemScan::Match::Target, row};
        if (quivanto::descriptionField(rows[row], encoding) == descriptionField)
            return {AddItemScan::Match::Description, row};
    }
    return {};
}

Message duplicateTargetMessage(std::string_view row, const TextEncoding& encoding) {
    return duplicateMessage("The file name that you selected is already in your Quivanto list.",
                            row, encoding);
}

Message duplicateDescriptionMessage(std::string_view row, const TextEncoding& encoding) {
    return duplicateMessage(
        "The file description that you provided is already in your Quivanto list.", row, encoding);
}

Message lineBreakInItemMessage() {
    return {"The name that you selected contains a line break, which your Quivanto list "
            "cannot hold. Please choose another file or folder.",
            "Quivanto - Error Occured!", ExclamationStyle};
}

TwipsPoint addDialogPosition(const ListWindowGeometry& list, const ListWindowArea& area,
                             float outerWidth, float outerHeight) {
    const TwipsBox& work = area.workArea;
    float left = list.left - outerWidth;
    if (left < work.left)
        left = std::min(list.right(), work.right - outerWidth);
    const float top = std::max(work.top, std::min(list.bottom(), work.bottom) - outerHeight);
    return {std::max(left, work.left), top};
}

} // namespace quivanto
