#include "commands/drop_decision.h"

#include "commands/command_messages.h"
#include "core/item_line.h"
#include "core/text_units.h"

namespace quivanto {
namespace {

constexpr int LastCounter = 99;

// The next numbered variant: the description cut to leave room for "~" and the counter.
std::string numbered(std::string_view description, int counter, const TextEncoding& encoding) {
    const std::size_t kept = counter < 10 ? DescriptionWidth - 2 : DescriptionWidth - 3;
    std::string result(leadingCharacters(description, kept, encoding));
    result += '~';
    result += std::to_string(counter);
    return result;
}

} // namespace

std::string_view droppedFileName(std::string_view path, char separator) {
    const auto last = path.rfind(separator);
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string descriptionForFileName(std::string_view fileName, const TextEncoding& encoding) {
    return padDescription(shortenToDescriptionWidth(fileName, encoding), encoding);
}

DuplicateScan scanForDuplicates(const std::vector<std::string>& rows, std::string_view description,
                                std::string_view path, const TextEncoding& encoding) {
    DuplicateScan scan;
    std::string current(description);
    int counter = 1;
    std::size_t position = 0;
    while (position < rows.size()) {
        const std::string_view row = rows[position];
        if (targetField(row, encoding) == path) {
            scan.result = ScanResult::DuplicatePath;
            scan.matchedDescription = descriptionField(row, encoding);
            break;
        }
        if (descriptionField(row, encoding) == current) {
            do {
                ++counter;
                current = numbered(current, counter, encoding);
            } while (current == descriptionField(row, encoding));
            if (counter > LastCounter) {
                scan.result = ScanResult::DuplicateDescription;
                scan.matchedDescription = descriptionField(row, encoding);
                break;
            }
            position = 0; // the new description must differ from every row, the first too
            continue;
        }
        ++position;
    }
    scan.itemLine = makeItemLine(current, path, encoding);
    return scan;
}

std::string_view droppedPath(std::string_view path, const PathRules& rules) {
    if (!rules.namesMayEndWithSpace)
        return trimSpaces(path);
    const auto first = path.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : path.substr(first);
}

DropDecision decideDrop(const DroppedFiles& dropped, const std::vector<std::string>& rows,
                        const PathRules& rules, const TextEncoding& encoding) {
    DropDecision decision;
    if (!dropped.hasFileList) {
        decision.message = fileTypeNotSupportedMessage();
        return decision;
    }
    if (dropped.paths.size() > 1) {
        decision.message = multipleFilesMessage();
        return decision;
    }
    if (dropped.paths.empty())
        return decision;
    const std::string_view path = droppedPath(dropped.paths.front(), rules);
    if (containsLineBreak(path)) {
        decision.message = lineBreakInNameMessage();
        return decision;
    }
    const std::string description =
        descriptionForFileName(droppedFileName(path, rules.separator), encoding);
    decision.showList = true;
    const DuplicateScan scan = scanForDuplicates(rows, description, path, encoding);
    switch (scan.result) {
    case ScanResult::Add:
        decision.itemLine = scan.itemLine;
        break;
    case ScanResult::DuplicatePath:
        decision.message = duplicateFileMessage(scan.matchedDescription, path);
        break;
    case ScanResult::DuplicateDescription:
        decision.message = duplicateDescriptionMessage(scan.matchedDescription, path);
        break;
    }
    return decision;
}

} // namespace quivanto
