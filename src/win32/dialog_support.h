#pragma once

#include "core/list_window_geometry.h"
#include "platform/platform.h"

#include <windows.h>

#include <string>

// What the three dialog windows share: design places in twips turned into pixels, their
// fonts, the description boxes, and the keyboard handling of a dialog for plain windows.
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
    // A font's cell height for a size in points (20 twips a point), as CreateFont wants it.
    int fontHeight(float points) const;

private:
    float twipsPerPixelX_;
    float twipsPerPixelY_;
};

// A GDI font that lives as long as the window using it.
class Font final {
public:
    Font(const char* face, float points, const DesignScale& scale, bool bold = false,
         bool underline = false);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT handle() const { return font_; }

private:
    HFONT font_;
};

// A child control at its design place, in the given font. Unicode classes (for the
// description boxes) are made by controlW.
HWND control(HWND parent, const char* windowClass, const char* text, DWORD style, int id,
             const TwipsRect& place, const DesignScale& scale, const Font& font, DWORD exStyle = 0);
HWND controlW(HWND parent, const wchar_t* windowClass, DWORD style, int id, const TwipsRect& place,
              const DesignScale& scale, const Font& font, DWORD exStyle = 0);

// Registers a window class once.
void registerWindowClass(const char* name, WNDPROC procedure);

// The program icon at a size, or null when the program carries none.
HICON programIcon(int size);

// Text in the system's ANSI code page to and from the UTF-16 of the description boxes.
// Unicode boxes count their typing limit in characters: an ANSI box would count bytes and
// stop a double-byte code page's user after 15 characters.
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

// What every dialog window keeps besides its own controls; each window's own state derives
// from it, and the window's user data points at it.
struct DialogState {
    explicit DialogState(int restingDefault)
        : defaultButton(restingDefault) {}
    virtual ~DialogState() = default;
    DialogState(const DialogState&) = delete;
    DialogState& operator=(const DialogState&) = delete;

    // The flow's closing behaviour, run by the close box.
    virtual void unload() = 0;

    HWND window = nullptr;
    HWND focus = nullptr; // given back when the window is active again
    DefaultButton defaultButton;
    // Off once the flow has closed the window: no event reaches a flow that is closing.
    bool forwarding = true;
};

template <class State> State* dialogState(HWND window) {
    return static_cast<State*>(
        reinterpret_cast<DialogState*>(GetWindowLongPtrA(window, GWLP_USERDATA)));
}

// What every dialog window does alike (its state at creation, the close box, the focus
// across activations, the default button); each window's procedure ends here.
LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A dialog window of a registered class whose client area has the given place on the
// screen and size in pixels (a dialog placed by its flow moves before it shows).
HWND createDialogWindow(const char* className, const char* caption, DWORD style, DWORD exStyle,
                        const RECT& client, HWND owner, DialogState& state);

// The views' life cycle, alike for the three dialogs.
void showDialog(const DialogState& state, HWND firstFocus);
void takeOffScreen(DialogState& state);
void destroyDialog(DialogState& state);

} // namespace quivanto::win32
