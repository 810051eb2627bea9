// Splitting item lines by character position: no character is ever split, and a line built
// from a description and a target gives both back.
#include "core/item_line.h"
#include "core/text_units.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quivanto;
using quivanto::fuzz::check;

namespace {

bool isPrefix(std::string_view part, std::string_view whole) {
    return whole.substr(0, part.size()) == part;
}

bool isSuffix(std::string_view part, std::string_view whole) {
    return part.size() <= whole.size() && whole.substr(whole.size() - part.size()) == part;
}

void checkFields(std::string_view line) {
    const std::size_t characters = characterCount(line);
    const auto description = descriptionField(line);
    const auto target = targetField(line);
    check(isPrefix(description, line), "the description field starts the line");
    check(characterCount(description) == std::min<std::size_t>(characters, DescriptionWidth),
          "the description field is the first 30 characters");
    check(isSuffix(target, line), "the target field ends the line");
    if (characters <= TargetStart) {
        check(target.empty(), "a line of 31 characters or fewer has no target");
    } else {
        // Description, separator character, target: together exactly the line.
        const std::size_t separatorBytes = line.size() - description.size() - target.size();
        check(separatorBytes >= 1 && separatorBytes <= 4, "one character between the fields");
        check(characterCount(line.substr(description.size(), separatorBytes)) == 1,
              "the separator is one character");
    }
    for (std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{14}, std::size_t{15},
                              characters, characters + 1}) {
        const auto head = leadingCharacters(line, count);
        const auto rest = charactersFrom(line, count);
        check(head.size() + rest.size() == line.size() && isPrefix(head, line) &&
                  isSuffix(rest, line),
              "leading characters and the rest make the whole line");
        check(characterCount(head) + characterCount(rest) == characters,
              "cutting at a character boundary keeps every character");
        const auto tail = trailingCharacters(line, count);
        check(isSuffix(tail, line) &&
                  characterCount(tail) == std::min<std::size_t>(count, characters),
              "trailing characters end the line");
    }
    const auto trimmed = trimSpaces(line);
    check(line.find(trimmed) != std::string_view::npos, "trimming keeps the inner text");
    check(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '),
          "trimming removes the spaces at both ends");
    check(containsLineBreak(line) == (line.find_first_of("\r\n") != std::string_view::npos),
          "line breaks are found");
}

void checkBuiltLine(std::string_view name, std::string_view target) {
    const std::string description = shortenToDescriptionWidth(name);
    check(characterCount(description) == std::min<std::size_t>(characterCount(name), 30),
          "a long name is fitted to exactly 30 characters");
    const std::string field = padDescription(description);
    check(characterCount(field) == DescriptionWidth, "a padded description has 30 characters");
    const std::string line = makeItemLine(description, target);
    check(descriptionField(line) == field, "the description comes back from the line");
    check(targetField(line) == target, "the target comes back from the line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkFields(bytes);
    // The first byte chooses where the rest divides into a name and a target.
    if (!bytes.empty()) {
        const std::string_view rest = bytes.substr(1);
        const std::size_t cut =
            std::min<std::size_t>(static_cast<unsigned char>(bytes[0]), rest.size());
        checkBuiltLine(rest.substr(0, cut), rest.substr(cut));
    }
    return 0;
}
