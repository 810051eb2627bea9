#pragma once

#include "platform/platform.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

// Finding a row by typing its first letters, as list boxes let one do.
namespace quivanto {

class ListHost;

// Characters typed further apart than this start a new search.
inline constexpr std::chrono::milliseconds TypingPause{1000};

// What has been typed into the list so far, and when its last character came.
struct TypedSearch {
    std::string typed;
    std::chrono::milliseconds lastAt{0};
};

struct TypedSearchStep {
    TypedSearch search;
    int row = -1; // the row to select; -1: the selection stays
};

// The row a typed character leads to: the next row, from the selected one on and round to
// the top, whose description starts with what was typed without a pause. A fresh search
// moves past the selected row; one that goes on may stay on it. The same character typed
// again and again steps through the rows that start with it. Control characters and Space
// are the key table's: they find nothing and leave the search as it was. `now` is the time
// of the key, on any clock that counts milliseconds.
TypedSearchStep findTypedRow(const std::vector<std::string>& rows, int selected,
                             const TypedSearch& before, std::string_view character,
                             std::chrono::milliseconds now, const TextEncoding& encoding);

// A character typed into the list: selects the row it finds; nothing is launched or changed.
void lstApps_KeyPress(ListHost& form, TypedSearch& search, std::string_view character,
                      std::chrono::milliseconds now);

} // namespace quivanto
