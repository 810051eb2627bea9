#include "qt/qt_event_loop.h"

namespace quivanto {

void QtEventLoop::runLater(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

} // namespace quivanto
