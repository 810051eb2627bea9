// Reading list.dat: any bytes at all become rows, and rows written back read the same.
#include "core/list_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using quivanto::fuzz::check;

namespace {

// Byte by byte: CR or LF ends a line; a CR takes one LF right after it along.
std::vector<std::string> readByHand(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string current;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(current);
            current.clear();
            open = false;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += bytes[i];
            open = true;
        }
    }
    if (open)
        lines.push_back(current);
    return lines;
}

std::string writtenAsList(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = quivanto::splitListBytes(bytes);
    check(lines == readByHand(bytes), "rows are the bytes between line ends");
    for (const auto& line : lines)
        check(line.find_first_of("\r\n") == std::string::npos, "no row holds a line break");

    // A rewrite writes every row with CR LF: reading that back must give the same rows.
    check(quivanto::splitListBytes(writtenAsList(lines)) == lines, "a rewrite loses nothing");

    // An append after these bytes adds exactly one row and leaves the others as they were.
    std::string appended(bytes);
    if (quivanto::needsLineEndBeforeAppend(bytes))
        appended += "\r\n";
    appended += "New item                      |/added\r\n";
    auto expected = lines;
    expected.push_back("New item                      |/added");
    check(quivanto::splitListBytes(appended) == expected, "an append adds one row");
    return 0;
}
