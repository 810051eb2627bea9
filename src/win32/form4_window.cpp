#include "win32/form4_window.h"

#include "about/about_box.h"
#include "about/about_layout.h"
#include "about/form4.h"
#include "about/text_fit.h"
#include "win32/dialog_support.h"

#include <windowsx.h>

#include <string>
#include <vector>

namespace quivanto::win32 {
namespace {

constexpr const char* ClassName = "QuivantoDialog.Form4";
constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_TOOLWINDOW;

enum ControlId : int {
    CmdLic = 100,
    CmdSysInfo,
    CmdOk,
    PicIcon,
    LblWebsite,
    LblVersion,
    LblTitle,
    LblDescription,
    LblCopy,
    LblRights,
    LblDisclaimer,
};

// Gaps between stacked texts up to a line's spacing are kept when something grows; wider
// ones take up the growth.
constexpr float KeptGap = 120;

constexpr COLORREF WebsiteGreen = RGB(0, 128, 0);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF SeparatorGrey = RGB(128, 128, 128);
constexpr COLORREF White = RGB(255, 255, 255);

// How a control's text takes more room than its design place gives it.
enum class Grows { Not, Wider, Taller };

// A control, or the separator (no window), with its design place in pixels.
struct Part {
    HWND control;
    PixelBox design;
    Grows grows;
};

} // namespace

struct Form4Window::State final : DialogState {
    State(Form4& form, const ScreenMetrics& screen)
        : DialogState(CmdOk)
        , form(form)
        , scale(screen)
        , windowFont("MS Sans Serif", 8.25f, scale)
        , websiteFont("MS Sans Serif", 8.25f, scale, false, true) {}

    void unload() override { form.Form_Unload(); }

    Form4& form;
    DesignScale scale;
    Font windowFont;
    Font websiteFont;
    HWND picIcon = nullptr;
    HWND lblWebsite = nullptr;
    HWND lblVersion = nullptr;
    HWND lblTitle = nullptr;
    HWND lblDescription = nullptr;
    std::vector<Part> parts;  // the separator first
    PixelBox separator;       // where its line is drawn now (it has no height)
    int whiteRightOffset = 0; // the white line's right end, from the grey line's
};

namespace {

using State = Form4Window::State;

PixelBox pixelBox(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

HWND keep(State& state, HWND control, Grows grows) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    state.parts.push_back({control, pixelBox(place), grows});
    return control;
}

HWND label(HWND window, State& state, int id, const TwipsRect& place, std::string_view text,
           Grows grows, const Font& font, DWORD style = 0) {
    return keep(state,
                control(window, "STATIC", std::string(text).c_str(), SS_LEFT | SS_NOPREFIX | style,
                        id, place, state.scale, font),
                grows);
}

// The room a label's text takes in its font, as the static control draws it: on one line,
// or wrapped within the label's width.
SIZE textRoom(HDC dc, HWND label, int width, bool wrapped) {
    const int length = GetWindowTextLengthA(label);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(label, text.data(), length + 1)));
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    RECT room{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &room,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapped ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    return {room.right - room.left, room.bottom - room.top};
}

// The design places where every text fits them (the font the box was drawn for); where a
// wider or taller font needs more, one-line labels widen, wrapped ones grow downwards, what
// lies beyond them moves on, and the window grows with them.
void fitTexts(HWND window, State& state) {
    std::vector<TextBox> boxes;
    HDC dc = GetDC(window);
    for (const Part& part : state.parts) {
        TextBox box{part.design};
        if (part.grows != Grows::Not) {
            const SIZE room = textRoom(dc, part.control, part.design.right - part.design.left,
                                       part.grows == Grows::Taller);
            box.neededWidth = room.cx;
            box.neededHeight = room.cy;
        }
        boxes.push_back(box);
    }
    ReleaseDC(window, dc);
    const DesignScale& scale = state.scale;
    const FittedLayout fitted = fitToTexts(boxes, scale.x(AboutLayout::ClientWidth),
                                           scale.y(AboutLayout::ClientHeight), scale.y(KeptGap));
    for (std::size_t i = 0; i < state.parts.size(); ++i) {
        const PixelBox& place = fitted.places[i];
        if (state.parts[i].control == nullptr)
            state.separator = place;
        else
            SetWindowPos(state.parts[i].control, nullptr, place.left, place.top,
                         place.right - place.left, place.bottom - place.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT outer{0, 0, fitted.clientWidth, fitted.clientHeight};
    AdjustWindowRectEx(&outer, Style, FALSE, ExStyle);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}

void buildControls(HWND window, State& state) {
    const DesignScale& scale = state.scale;
    const int separatorY = scale.y(AboutLayout::SeparatorY);
    state.parts.push_back({nullptr,
                           {scale.x(AboutLayout::SeparatorLeft), separatorY,
                            scale.x(AboutLayout::SeparatorGreyRight), separatorY},
                           Grows::Not});
    state.whiteRightOffset =
        scale.x(AboutLayout::SeparatorWhiteRight) - scale.x(AboutLayout::SeparatorGreyRight);
    // Tab order is creation order; of these only the icon and the buttons take the focus,
    // so the focus starts on the icon and Tab goes on to OK, System Info... and License.
    const int iconBox = AboutLayout::IconPixels + 2 * AboutLayout::IconBorderPixels;
    const RECT icon = scale.pixels(AboutLayout::Icon);
    state.picIcon = CreateWindowExA(
        WS_EX_CLIENTEDGE, "STATIC", "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_ICON | SS_NOTIFY | SS_CENTERIMAGE, icon.left,
        icon.top, iconBox, iconBox, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(PicIcon)),
        instance(), nullptr);
    SendMessageA(state.picIcon, STM_SETICON,
                 reinterpret_cast<WPARAM>(programIcon(AboutLayout::IconPixels)), 0);
    SetWindowPos(state.picIcon, nullptr, 0, 0, iconBox, iconBox,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    keep(state, state.picIcon, Grows::Not);
    const Font& font = state.windowFont;
    label(window, state, LblDisclaimer, AboutLayout::Warning, CopyrightWarning, Grows::Taller,
          font);
    state.lblDescription = label(window, state, LblDescription, AboutLayout::Description,
                                 AboutDescription, Grows::Taller, font);
    state.lblTitle = label(window, state, LblTitle, AboutLayout::Title, "", Grows::Wider, font);
    state.lblVersion =
        label(window, state, LblVersion, AboutLayout::Version, "", Grows::Wider, font);
    label(window, state, LblCopy, AboutLayout::Copyright, CopyrightLine, Grows::Wider, font);
    keep(state,
         control(window, "BUTTON", "&OK", BS_DEFPUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdOk,
                 AboutLayout::Ok, scale, font),
         Grows::Not);
    keep(state,
         control(window, "BUTTON", "&System Info...", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP,
                 CmdSysInfo, AboutLayout::SysInfo, scale, font),
         Grows::Not);
    keep(state,
         control(window, "BUTTON", "&License", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdLic,
                 AboutLayout::License, scale, font),
         Grows::Not);
    label(window, state, LblRights, AboutLayout::Rights, RightsLine, Grows::Taller, font);
    state.lblWebsite = label(window, state, LblWebsite, AboutLayout::Website, websiteLabel(),
                             Grows::Taller, state.websiteFont, SS_NOTIFY);
    fitTexts(window, state);
}

void onCommand(HWND window, int id, HWND, UINT code) {
    State* state = dialogState<State>(window);
    if (state == nullptr || !state->forwarding)
        return;
    Form4& form = state->form;
    if (id == CmdOk || id == CmdSysInfo || id == CmdLic) {
        state->defaultButton.follow(window, id, code);
        if (code != BN_CLICKED)
            return;
    }
    switch (id) {
    case CmdOk:
    case IDOK:     // Enter where no push button is the default
    case IDCANCEL: // Escape
        form.cmdOK_Click();
        break;
    case CmdSysInfo:
        form.cmdSysInfo_Click();
        break;
    case CmdLic:
        form.cmdLic_Click();
        break;
    case LblWebsite:
        if (code == STN_CLICKED)
            form.lblWebsite_Click();
        break;
    case PicIcon:
        if (code == STN_CLICKED)
            form.picIcon_Click();
        break;
    default:
        break;
    }
}

// Labels on the button face; the web site sentence green, the title and the description
// black, the rest in the button text colour.
HBRUSH onCtlColorStatic(HWND window, HDC dc, HWND child, int) {
    const State* state = dialogState<State>(window);
    COLORREF colour = GetSysColor(COLOR_BTNTEXT);
    if (state != nullptr && child == state->lblWebsite)
        colour = WebsiteGreen;
    else if (state != nullptr && (child == state->lblTitle || child == state->lblDescription))
        colour = Black;
    SetTextColor(dc, colour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void drawLine(HDC dc, COLORREF colour, int width, int left, int right, int y) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The etched separator: the white line behind, the grey one in front.
void onPaint(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    if (const State* state = dialogState<State>(window)) {
        const PixelBox& line = state->separator;
        drawLine(dc, White, 2, line.left, line.right + state->whiteRightOffset, line.top);
        drawLine(dc, SeparatorGrey, 1, line.left, line.right, line.top);
    }
    EndPaint(window, &paint);
}

// The sentence and the icon are links: the pointer says so.
BOOL onSetCursor(HWND window, HWND over, UINT hitTest, UINT message) {
    const State* state = dialogState<State>(window);
    if (state != nullptr && (over == state->lblWebsite || over == state->picIcon)) {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
        return TRUE;
    }
    return FORWARD_WM_SETCURSOR(window, over, hitTest, message, DefWindowProcA);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_COMMAND, onCommand);
        HANDLE_MSG(window, WM_CTLCOLORSTATIC, onCtlColorStatic);
        HANDLE_MSG(window, WM_PAINT, onPaint);
        HANDLE_MSG(window, WM_SETCURSOR, onSetCursor);
    default:
        return dialogProcedure(window, message, wParam, lParam);
    }
}

} // namespace

Form4Window::Form4Window(Form4& form, const ScreenMetrics& screen, HWND owner)
    : state_(std::make_unique<State>(form, screen)) {
    registerWindowClass(ClassName, windowProcedure);
    // Opens at its stored place, not centred and not placed by the system.
    const DesignScale& scale = state_->scale;
    const int left = scale.x(AboutLayout::ClientLeft);
    const int top = scale.y(AboutLayout::ClientTop);
    const RECT client{left, top, left + scale.x(AboutLayout::ClientWidth),
                      top + scale.y(AboutLayout::ClientHeight)};
    window_ = createDialogWindow(ClassName, "", Style, ExStyle, client, owner, *state_);
    buildControls(window_, *state_);
}

Form4Window::~Form4Window() {
    destroyDialog(*state_);
}

void Form4Window::showWindow() {
    showDialog(*state_, state_->picIcon);
}

void Form4Window::closeWindow() {
    takeOffScreen(*state_);
}

void Form4Window::activate() {
    SetForegroundWindow(window_);
}

bool Form4Window::isMinimized() const {
    return IsIconic(window_) != FALSE;
}

void Form4Window::setCaption(const std::string& caption) {
    SetWindowTextA(window_, caption.c_str());
}

void Form4Window::setVersionText(const std::string& text) {
    SetWindowTextA(state_->lblVersion, text.c_str());
    fitTexts(window_, *state_);
}

void Form4Window::setTitleText(const std::string& text) {
    SetWindowTextA(state_->lblTitle, text.c_str());
    fitTexts(window_, *state_);
}

} // namespace quivanto::win32
