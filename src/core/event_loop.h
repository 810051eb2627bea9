#pragma once

#include <functional>

namespace quivanto {

// What the flows ask of the program's event loop, which each front end's main loop runs.
class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Runs `task` once the event being handled is over (a drop, a closing dialog).
    virtual void runLater(std::function<void()> task) = 0;
    // The list window was unloaded: the program ends.
    virtual void programEnds() = 0;
};

} // namespace quivanto
