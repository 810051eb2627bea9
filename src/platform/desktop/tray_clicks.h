#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// What a StatusNotifier host's calls mean in the mouse codes the list window knows.
namespace quivanto::desktop {

// Hosts send Activate once per click, so a double click arrives as two Activate calls a
// moment apart. The second one within the double-click interval is the second click of a
// double click: double-click, then up, as the XEmbed tray reports it, so a double click
// ends the same way on both kinds of tray.
class ActivateClicks {
public:
    explicit ActivateClicks(int doubleClickMilliseconds)
        : interval_(doubleClickMilliseconds) {}

    // The codes one Activate call stands for, given when it came (in milliseconds).
    std::vector<int> codesFor(std::int64_t atMilliseconds);

private:
    int interval_;
    std::optional<std::int64_t> firstClick_; // of a click that may become a double click
};

// The x a host's Activate or ContextMenu call gives, when it gives one: 0,0 is what hosts
// send when they do not know where the icon is.
std::optional<int> hostClickX(int x, int y);

} // namespace quivanto::desktop
