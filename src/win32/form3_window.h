#pragma once

#include "dialogs/properties_view.h"
#include "platform/platform.h"

#include <windows.h>

#include <memory>

namespace quivanto {

class Form3;

namespace win32 {

// The Properties dialog's window: a fixed dialog frame with a close box, no taskbar
// button (it is owned by the list window), opening at its design place. It forwards the
// user's actions to Form3 and decides nothing. Texts are in the ANSI code page.
class Form3Window final : public PropertiesView {
public:
    Form3Window(Form3& form, const ScreenMetrics& screen, HWND owner);
    ~Form3Window() override;
    Form3Window(const Form3Window&) = delete;
    Form3Window& operator=(const Form3Window&) = delete;

    void showWindow() override;
    void closeWindow() override;
    void activate() override;
    bool isMinimized() const override;

    void proposeDescription(const std::string& text) override;
    std::string description() const override;
    void showTarget(const std::string& target) override;

    HWND handle() const { return window_; }

    struct State;

private:
    std::unique_ptr<State> state_;
    HWND window_ = nullptr;
};

} // namespace win32
} // namespace quivanto
