#include "commands/remove_decision.h"

#include <algorithm>

namespace quivanto {

RemoveCheck checkRemove(int rowCount, int selectedIndex) {
    if (rowCount == 1)
        return RemoveCheck::LastItem;
    if (selectedIndex < 0 || selectedIndex >= rowCount)
        return RemoveCheck::NoSelection;
    return RemoveCheck::Confirm;
}

int selectionAfterRemoving(int removedIndex) {
    return std::max(removedIndex - 1, 0);
}

} // namespace quivanto
