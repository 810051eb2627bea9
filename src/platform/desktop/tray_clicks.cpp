#include "platform/desktop/tray_clicks.h"

#include "platform/platform.h"

namespace quivanto::desktop {

std::vector<int> ActivateClicks::codesFor(std::int64_t atMilliseconds) {
    if (!burstStart_ || atMilliseconds - *burstStart_ > interval_) {
        burstStart_ = atMilliseconds;
        callsInBurst_ = 1;
        return {TrayCode::LeftUp};
    }
    if (++callsInBurst_ == 2)
        return {TrayCode::LeftDoubleClick, TrayCode::LeftUp};
    return {};
}

std::optional<int> hostClickX(int x, int y) {
    if (x == 0 && y == 0)
        return std::nullopt;
    return x;
}

} // namespace quivanto::desktop
