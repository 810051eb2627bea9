#pragma once

#include "core/item_list_box.h"

#include <string>
#include <vector>

namespace quivanto {

// The rows of `lstApps` in list order, for the dialogs' scans.
inline std::vector<std::string> rowsOf(const ItemListBox& list) {
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(list.count()));
    for (int row = 0; row < list.count(); ++row)
        rows.push_back(list.line(row));
    return rows;
}

} // namespace quivanto
