#pragma once

#include <string>
#include <string_view>
#include <vector>

// The list's rows are kept in ascending alphabetical order of their whole text, letter
// case ignored. One comparison serves every front end.
namespace quivanto {

bool rowLess(std::string_view a, std::string_view b);

// True when `text` starts with `prefix`, letter case ignored as the order ignores it.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

void sortRows(std::vector<std::string>& rows);

} // namespace quivanto
