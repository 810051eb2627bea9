// The duplicate scans of the drop, the Add Item dialog and the Properties dialog on any
// list: they end, and their answers are true of the rows.
#include "commands/drop_decision.h"
#include "core/item_line.h"
#include "core/list_file.h"
#include "core/text_units.h"
#include "dialogs/add_item_rules.h"
#include "dialogs/properties_rules.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace quivanto;
using quivanto::fuzz::check;

namespace {

bool hasTarget(std::string_view row, std::string_view target) {
    return targetField(row) == target;
}

bool hasDescription(std::string_view row, std::string_view field) {
    return descriptionField(row) == field;
}

void checkDropScan(const std::vector<std::string>& rows, std::string_view name,
                   std::string_view path) {
    const std::string description = padDescription(shortenToDescriptionWidth(name));
    const DuplicateScan scan = scanForDuplicates(rows, description, path);
    const auto listed = [&](const std::string& row) {
        return hasTarget(row, path);
    };
    switch (scan.result) {
    case ScanResult::Add: {
        check(std::none_of(rows.begin(), rows.end(), listed), "an added path is not listed");
        const std::string_view field = descriptionField(scan.itemLine);
        check(characterCount(field) == DescriptionWidth,
              "a numbered description has 30 characters");
        check(std::none_of(rows.begin(), rows.end(),
                           [&](const std::string& row) { return hasDescription(row, field); }),
              "an added description is not taken");
        check(targetField(scan.itemLine) == path, "the added line holds the path");
        break;
    }
    case ScanResult::DuplicatePath:
        check(std::any_of(rows.begin(), rows.end(),
                          [&](const std::string& row) {
                              return listed(row) && hasDescription(row, scan.matchedDescription);
                          }),
              "a refused path is listed, under the description named");
        break;
    case ScanResult::DuplicateDescription:
        check(std::any_of(rows.begin(), rows.end(),
                          [&](const std::string& row) {
                              return hasDescription(row, scan.matchedDescription);
                          }),
              "a refused description names a listed one");
        break;
    }
}

void checkAddScan(const std::vector<std::string>& rows, std::string_view name,
                  std::string_view target) {
    const std::string field = padDescription(storedDescription(name));
    const auto scan = scanForDuplicate(rows, target, field);
    const auto matches = [&](const std::string& row) {
        return hasTarget(row, target) || hasDescription(row, field);
    };
    const auto first = std::find_if(rows.begin(), rows.end(), matches);
    if (scan.match == quivanto::AddItemScan::Match::None) {
        check(first == rows.end(), "an accepted item matches no row");
        return;
    }
    check(first != rows.end() && static_cast<std::size_t>(first - rows.begin()) == scan.row,
          "the first matching row decides");
    const bool byTarget = scan.match == quivanto::AddItemScan::Match::Target;
    check(byTarget == hasTarget(rows[scan.row], target), "within a row the target comes first");
}

void checkPropertiesScan(const std::vector<std::string>& rows, std::string_view typed) {
    const auto taken = rowWithDescription(rows, typed);
    const auto same = [&](const std::string& row) {
        return trimSpaces(descriptionField(row)) == typed;
    };
    const auto first = std::find_if(rows.begin(), rows.end(), same);
    check(taken.has_value() == (first != rows.end()), "a taken description is found");
    if (taken)
        check(*taken == static_cast<std::size_t>(first - rows.begin()), "the first row is named");
}

} // namespace

// The input is a list file; its last line is the new item's name, the line before its path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto rows = splitListBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (rows.size() < 2)
        return 0;
    const std::string name = rows.back();
    rows.pop_back();
    const std::string path = rows.back();
    rows.pop_back();
    checkDropScan(rows, name, path);
    checkAddScan(rows, name, path);
    checkPropertiesScan(rows, name);
    return 0;
}
