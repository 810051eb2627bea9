#pragma once

#include "about/about_view.h"
#include "platform/platform.h"

#include <windows.h>

#include <memory>

namespace quivanto {

class Form4;

namespace win32 {

// The About box's window: a fixed tool window with a close box only, every control at its
// design place, opening where it was designed to. OK is the default and the cancel button.
// It forwards the user's actions to Form4 and decides nothing.
class Form4Window final : public AboutView {
public:
    Form4Window(Form4& form, const ScreenMetrics& screen, HWND owner);
    ~Form4Window() override;
    Form4Window(const Form4Window&) = delete;
    Form4Window& operator=(const Form4Window&) = delete;

    void showWindow() override;
    void closeWindow() override;
    void activate() override;
    bool isMinimized() const override;

    void setCaption(const std::string& caption) override;
    void setVersionText(const std::string& text) override;
    void setTitleText(const std::string& text) override;

    HWND handle() const { return window_; }

    struct State;

private:
    std::unique_ptr<State> state_;
    HWND window_ = nullptr;
};

} // namespace win32
} // namespace quivanto
