#include "platform/desktop/tray_clicks.h"

namespace quivanto::desktop {

std::vector<TrayEvent::Kind> ActivateClicks::eventsFor(std::int64_t atMilliseconds) {
    if (!burstStart_ || atMilliseconds - *burstStart_ > interval_) {
        burstStart_ = atMilliseconds;
        callsInBurst_ = 1;
        return {TrayEvent::Kind::Click};
    }
    if (++callsInBurst_ == 2)
        return {TrayEvent::Kind::DoubleClick, TrayEvent::Kind::Click};
    return {};
}

} // namespace quivanto::desktop
