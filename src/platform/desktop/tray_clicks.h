#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <vector>

// What a StatusNotifier host's calls mean in the tray events the list window knows.
namespace quivanto::desktop {

// Hosts send Activate once per click, so a double click arrives as two Activate calls a
// moment apart. The second one within the double-click interval is the second click of a
// double click: a double click, then a click, as the XEmbed tray reports it, so a double
// click ends the same way on both kinds of tray.
class ActivateClicks {
public:
    explicit ActivateClicks(int doubleClickMilliseconds)
        : interval_(doubleClickMilliseconds) {}

    // The events one Activate call stands for, given when it came (in milliseconds).
    std::vector<TrayEvent::Kind> eventsFor(std::int64_t atMilliseconds);

private:
    int interval_;
    std::optional<std::int64_t> firstClick_; // of a click that may become a double click
};

} // namespace quivanto::desktop
