#include "platform/desktop/tray_clicks.h"

namespace quivanto::desktop {

std::vector<TrayEvent::Kind> ActivateClicks::eventsFor(std::int64_t atMilliseconds) {
    if (firstClick_ && atMilliseconds - *firstClick_ <= interval_) {
        firstClick_.reset(); // a third click starts afresh
        return {TrayEvent::Kind::DoubleClick, TrayEvent::Kind::Click};
    }
    firstClick_ = atMilliseconds;
    return {TrayEvent::Kind::Click};
}

} // namespace quivanto::desktop
