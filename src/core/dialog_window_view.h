#pragma once

namespace quivanto {

// What every dialog's flow asks of its window, besides its own fields.
class DialogWindowView {
public:
    virtual ~DialogWindowView() = default;

    virtual void showWindow() = 0;
    // Takes the window off the screen without calling the flow back; the flow has already
    // run its closing behaviour.
    virtual void closeWindow() = 0;
    virtual void activate() = 0;
    virtual bool isMinimized() const = 0;
};

} // namespace quivanto
