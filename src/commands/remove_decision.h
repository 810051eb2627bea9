#pragma once

// Removing the selected item: when it may be removed, and which row is selected after.
namespace quivanto {

enum class RemoveCheck { LastItem, NoSelection, Confirm };

// The last item is never removed; that test comes before the selection test.
RemoveCheck checkRemove(int rowCount, int selectedIndex);

// The row above the removed one, or the new first row.
int selectionAfterRemoving(int removedIndex);

} // namespace quivanto
