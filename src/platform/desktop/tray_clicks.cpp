#include "platform/desktop/tray_clicks.h"

#include "platform/platform.h"

namespace quivanto::desktop {

std::vector<int> ActivateClicks::codesFor(std::int64_t atMilliseconds) {
    if (firstClick_ && atMilliseconds - *firstClick_ <= interval_) {
        firstClick_.reset(); // a third click starts afresh
        return {TrayCode::LeftDoubleClick, TrayCode::LeftUp};
    }
    firstClick_ = atMilliseconds;
    return {TrayCode::LeftUp};
}

std::optional<int> hostClickX(int x, int y) {
    if (x == 0 && y == 0)
        return std::nullopt;
    return x;
}

} // namespace quivanto::desktop
