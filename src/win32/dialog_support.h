#pragma once

#include "core/list_window_geometry.h"
#include "platform/platform.h"

#include <windows.h>

#include <string>

// What the three dialog windows share besides their window (dialog_window.h): design places
// in twips turned into pixels, the description boxes' text, and the keyboard handling of a
// dialog for plain windows.
namespace quivanto::win32 {

HINSTANCE instance();

// Twips to pixels with the system's twips per pixel, as the flows place windows.
class DesignScale {
public:
    explicit DesignScale(const ScreenMetrics& screen)
        : twipsPerPixelX_(screen.twipsPerPixelX)
        , twipsPerPixelY_(screen.twipsPerPixelY) {}

    int x(float twips) const { return twipsToPixels(twips, twipsPerPixelX_); }
    int y(float twips) const { return twipsToPixels(twips, twipsPerPixelY_); }
    RECT pixels(const TwipsRect& rect) const;
    float twipsPerPixelY() const { return twipsPerPixelY_; }

private:
    float twipsPerPixelX_;
    float twipsPerPixelY_;
};

// The program icon at a size, or null when the program carries none.
HICON programIcon(int size);

// Text in the system's ANSI code page to and from the UTF-16 of the description boxes.
// Unicode boxes count their typing limit in characters: an ANSI box would count bytes and
// stop a double-byte code page's user after 15 characters. A character the code page
// lacks becomes "?", never a look-alike the system's best fit would choose (a full-width
// backslash must not turn into a path separator).
std::wstring wideFromAnsi(const std::string& text);
std::string ansiFromWide(const std::wstring& text);
std::string windowTextAnsi(HWND box);
void setWindowTextAnsi(HWND box, const std::string& text);

// The keyboard of a dialog (Tab, mnemonics, Enter, Escape) for our dialog windows, which
// are plain windows. The message loop calls it before translating a message; true when it
// was a dialog's keystroke and is done.
bool routeDialogMessage(MSG& message);

// Our dialog windows' class names all start so; routeDialogMessage knows them by it.
inline constexpr const char* DialogClassPrefix = "QuivantoDialog.";

// Plain windows have no dialog manager to make the focused push button the default one,
// so that Enter presses it: the windows pass their buttons' BN_SETFOCUS and BN_KILLFOCUS
// here (the buttons carry BS_NOTIFY) and answer DM_GETDEFID with defaultAnswer.
// `resting` is the default button while no button has the focus (0: none).
class DefaultButton {
public:
    explicit DefaultButton(int resting)
        : resting_(resting)
        , current_(resting) {}
    void follow(HWND window, int id, UINT code);
    LRESULT defaultAnswer() const;

private:
    int resting_;
    int current_;
};

} // namespace quivanto::win32
