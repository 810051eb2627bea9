#pragma once

#include "core/list_window_geometry.h"
#include "core/message.h"
#include "platform/platform.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What the Add Item dialog decides: the target of the new item, the description it
// proposes and stores, the duplicate scan and its messages, and where the dialog stands.
namespace quivanto {

// Folder and file joined by exactly one separator; with no file, the folder with a
// trailing separator (a root already has one).
std::string joinTarget(std::string_view folder, std::string_view file, char separator);

// "Drive: " and the folder when it is one of the drive list's roots, otherwise "Folder: "
// and the folder's own name.
std::string folderProposal(std::string_view folder, const std::vector<std::string>& roots,
                           char separator);

// The description as it goes into the item line: a text longer than the description
// field is fitted with the same rule as a dropped name.
std::string storedDescription(std::string_view boxText, const TextEncoding& encoding = {});

struct AddItemScan {
    enum class Match { None, Target, Description };
    Match match = Match::None;
    std::size_t row = 0; // the row that matched
};

// Rows in list order; within one row the target is compared first. The first matching row
// decides. Both comparisons are exact: the target whole, the description field padded.
AddItemScan scanForDuplicate(const std::vector<std::string>& rows, std::string_view target,
                             std::string_view descriptionField, const TextEncoding& encoding = {});

// The refusals; each names the existing row that matched.
Message duplicateTargetMessage(std::string_view row, const TextEncoding& encoding = {});
Message duplicateDescriptionMessage(std::string_view row, const TextEncoding& encoding = {});

// A name with a line break would split the item line in the list file.
Message lineBreakInItemMessage();

// The dialog's client area and outer frame, in twips.
inline constexpr float AddDialogClientWidth = 5760;
inline constexpr float AddDialogClientHeight = 4230;

struct TwipsPoint {
    float left;
    float top;
};

// Outer top-left corner: right edge on the list window's left edge (its left edge on the
// list's right edge where the work area has no room left of the list), bottom edge on the
// list window's bottom line, wholly on the work area.
TwipsPoint addDialogPosition(const ListWindowGeometry& list, const ListWindowArea& area,
                             float outerWidth, float outerHeight);

} // namespace quivanto
