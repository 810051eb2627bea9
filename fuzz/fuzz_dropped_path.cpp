// A dropped path, whatever its bytes: its description fills the field exactly, and the line
// added for it is one line of the list with the path whole.
#include "commands/drop_decision.h"
#include "core/item_line.h"
#include "core/list_file.h"
#include "core/text_units.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace quivanto;
using quivanto::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the system's separator and naming; the rest is the path.
    const char separator = (data[0] & 1) != 0 ? '\\' : '/';
    const PathRules rules{separator, separator == '/'};
    const std::string path(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string_view name = droppedFileName(path, separator);
    check(name.find(separator) == std::string_view::npos, "the file name has no separator");
    check(path.ends_with(name), "the file name ends the path");
    const std::string description = descriptionForFileName(name);
    check(characterCount(description) == DescriptionWidth,
          "a dropped name fills the description field exactly");

    static const std::vector<std::string> rows{makeItemLine("Explorer", "explorer.exe"),
                                               makeItemLine("Notepad", "notepad.exe"),
                                               makeItemLine("report.txt", "/home/user/report.txt")};
    const DropDecision decision = decideDrop({true, {path}}, rows, rules);
    const std::string_view trimmed = droppedPath(path, rules);
    check(trimmed.empty() || trimmed.front() != ' ', "no stored path starts with a space");
    if (rules.namesMayEndWithSpace)
        check(path.ends_with(trimmed), "only leading spaces go where names may end with one");
    else
        check(trimmed.empty() || trimmed.back() != ' ', "no Windows path ends with a space");
    if (containsLineBreak(trimmed)) {
        check(decision.message.has_value() && !decision.itemLine,
              "a name with a line break is refused");
        return 0;
    }
    check(decision.itemLine.has_value() != decision.message.has_value(),
          "a drop is either added or refused");
    if (!decision.itemLine)
        return 0;
    const std::string& line = *decision.itemLine;
    check(targetField(line) == trimmed, "the path is stored whole");
    check(characterCount(descriptionField(line)) == DescriptionWidth,
          "the stored description has 30 characters");
    check(splitListBytes(line + "\r\n") == std::vector<std::string>{line},
          "the new line reads back as one row");
    return 0;
}
