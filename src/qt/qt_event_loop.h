#pragma once

#include "core/event_loop.h"

#include <QObject>

namespace quivanto {

// The flows' view of Qt's event loop.
class QtEventLoop final : public QObject, public EventLoop {
    Q_OBJECT
public:
    void runLater(std::function<void()> task) override;
    void programEnds() override { emit ended(); }

signals:
    // The list window was unloaded: the program ends.
    void ended();
};

} // namespace quivanto
