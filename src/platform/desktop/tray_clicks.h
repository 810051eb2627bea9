#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <vector>

// What a StatusNotifier host's calls mean in the tray events the list window knows.
namespace quivanto::desktop {

// Hosts send Activate once per click, so a double click arrives as a burst of Activate
// calls a moment apart: two from most hosts, three from those that also pass on the
// toolkit's double-press event. The first call is a click; the second within the
// double-click interval of the first is the second click of a double click (double-click,
// then up, as the XEmbed tray reports it); the rest of the burst adds nothing. So a double
// click ends the same way on both kinds of tray.
class ActivateClicks {
public:
    explicit ActivateClicks(int doubleClickMilliseconds)
        : interval_(doubleClickMilliseconds) {}

    // The events one Activate call stands for, given when it came (in milliseconds).
    std::vector<TrayEvent::Kind> eventsFor(std::int64_t atMilliseconds);

private:
    int interval_;
    std::optional<std::int64_t> burstStart_; // the first click of the latest burst
    int callsInBurst_ = 0;
};

} // namespace quivanto::desktop
