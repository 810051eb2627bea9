#pragma once

#include "dialogs/properties_view.h"
#include "platform/platform.h"
#include "win32/dialog_window.h"

#include <windows.h>

namespace quivanto {

class Form3;

namespace win32 {

// The Properties dialog's window: a fixed dialog frame with a close box, no taskbar
// button (it is owned by the list window), opening at its design place. It forwards the
// user's actions to Form3 and decides nothing. Texts are in the ANSI code page.
class Form3Window final : public PropertiesView, public DialogWindow {
public:
    Form3Window(Form3& form, const ScreenMetrics& screen, HWND owner);
    ~Form3Window() override;

    void showWindow() override;
    void closeWindow() override;
    void activate() override;
    bool isMinimized() const override;

    void proposeDescription(const std::string& text) override;
    std::string description() const override;
    void showTarget(const std::string& target) override;

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void unload() override;
    void makeFonts() override;
    void buildControls();
    void onCommand(HWND window, int id, HWND control, UINT code);
    HBRUSH onControlColourStatic(HWND window, HDC dc, HWND control, int type);

    Form3& form_;
    FontHandle formFont_;
    FontHandle labelFont_;
    HWND txtDescr_ = nullptr;
    HWND txtName_ = nullptr;
};

} // namespace win32
} // namespace quivanto
