#pragma once

#include "commands/drop_decision.h"

#include <string>

// The list window's commands on its rows: launch, add by drop, remove. Free functions on
// the window, so the window itself keeps only the wiring.
namespace quivanto {

class ListHost;

// Double-click on a row (and Enter or Space): open the selected item's target.
void lstApps_DblClick(ListHost& form);

// A drop on the list: add the one dropped file or folder. The front end calls it once the
// drop is over, so no message box holds the drag source waiting.
void lstApps_OLEDragDrop(ListHost& form, const DroppedFiles& dropped);

// Remove the selected item after asking; the row is taken out, then the file rewritten.
void RemoveSelectedItem(ListHost& form);

// Rewrites the list file without `line`. When that fails the row comes back.
void DeleteItemLine(ListHost& form, const std::string& line);

} // namespace quivanto
