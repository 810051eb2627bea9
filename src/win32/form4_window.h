#pragma once

#include "about/about_view.h"
#include "about/text_fit.h"
#include "platform/platform.h"
#include "win32/dialog_window.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace quivanto {

class Form4;

namespace win32 {

// The About box's window: a fixed tool window with a close box only, every control at its
// design place, opening where it was designed to. OK is the default and the cancel button.
// It forwards the user's actions to Form4 and decides nothing.
class Form4Window final : public AboutView, public DialogWindow {
public:
    Form4Window(Form4& form, const ScreenMetrics& screen, HWND owner);
    ~Form4Window() override;

    void showWindow() override;
    void closeWindow() override;
    void activate() override;
    bool isMinimized() const override;

    void setCaption(const std::string& caption) override;
    void setVersionText(const std::string& text) override;
    void setTitleText(const std::string& text) override;

    // How a control's text takes more room than its design place gives it.
    enum class Grows { Not, Wider, Taller };

private:
    // A control, or the separator (no window, no height), with its design place.
    struct Part {
        HWND control;
        TwipsRect place;
        Grows grows;
    };

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void unload() override;
    void makeFonts() override;
    void scaleChanged() override;
    void buildControls();
    HWND keep(HWND control, const TwipsRect& place, Grows grows);
    HWND label(int id, const TwipsRect& place, std::string_view text, Grows grows,
               const FontHandle& font, DWORD style = 0);
    PixelBox designBox(const Part& part) const;
    void showIcon();
    void fitTexts();
    void onCommand(HWND window, int id, HWND control, UINT code);
    HBRUSH onControlColourStatic(HWND window, HDC dc, HWND control, int type);
    void onPaint(HWND window);
    BOOL onSetCursor(HWND window, HWND over, UINT hitTest, UINT message);

    Form4& form_;
    FontHandle windowFont_;
    FontHandle websiteFont_;
    HWND picIcon_ = nullptr;
    HWND lblWebsite_ = nullptr;
    HWND lblVersion_ = nullptr;
    HWND lblTitle_ = nullptr;
    HWND lblDescription_ = nullptr;
    std::vector<Part> parts_; // the separator first
    PixelBox separator_;      // where its line is drawn now (it has no height)
};

} // namespace win32
} // namespace quivanto
