#include "win32/form4_window.h"

#include "about/about_box.h"
#include "about/about_layout.h"
#include "about/form4.h"
#include "win32/dialog_support.h"

#include <windowsx.h>

#include <string>

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

constexpr COLORREF WebsiteGreen = RGB(0, 128, 0);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF SeparatorGrey = RGB(128, 128, 128);
constexpr COLORREF White = RGB(255, 255, 255);

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
};

namespace {

using State = Form4Window::State;

HWND label(HWND window, State& state, int id, const TwipsRect& place, std::string_view text,
           DWORD style = 0) {
    return control(window, "STATIC", std::string(text).c_str(), SS_LEFT | SS_NOPREFIX | style, id,
                   place, state.scale, state.windowFont);
}

void buildControls(HWND window, State& state) {
    const DesignScale& scale = state.scale;
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
    label(window, state, LblDisclaimer, AboutLayout::Warning, CopyrightWarning);
    state.lblDescription =
        label(window, state, LblDescription, AboutLayout::Description, AboutDescription);
    state.lblTitle = label(window, state, LblTitle, AboutLayout::Title, "");
    state.lblVersion = label(window, state, LblVersion, AboutLayout::Version, "");
    label(window, state, LblCopy, AboutLayout::Copyright, CopyrightLine);
    control(window, "BUTTON", "&OK", BS_DEFPUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdOk,
            AboutLayout::Ok, scale, state.windowFont);
    control(window, "BUTTON", "&System Info...", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdSysInfo,
            AboutLayout::SysInfo, scale, state.windowFont);
    control(window, "BUTTON", "&License", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdLic,
            AboutLayout::License, scale, state.windowFont);
    label(window, state, LblRights, AboutLayout::Rights, RightsLine);
    state.lblWebsite =
        control(window, "STATIC", websiteLabel().c_str(), SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                LblWebsite, AboutLayout::Website, scale, state.websiteFont);
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
        const DesignScale& scale = state->scale;
        const int y = scale.y(AboutLayout::SeparatorY);
        const int left = scale.x(AboutLayout::SeparatorLeft);
        drawLine(dc, White, 2, left, scale.x(AboutLayout::SeparatorWhiteRight), y);
        drawLine(dc, SeparatorGrey, 1, left, scale.x(AboutLayout::SeparatorGreyRight), y);
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
}

void Form4Window::setTitleText(const std::string& text) {
    SetWindowTextA(state_->lblTitle, text.c_str());
}

} // namespace quivanto::win32
