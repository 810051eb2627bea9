#include "win32/form4_window.h"

#include "about/about_box.h"
#include "about/about_layout.h"
#include "about/form4.h"
#include "about/text_fit.h"
#include "win32/dialog_support.h"

#include <windowsx.h>

#include <functional>
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

PixelBox pixelBox(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

HWND Form4Window::keep(HWND control, const TwipsRect& place, Grows grows) {
    parts_.push_back({control, place, grows});
    return control;
}

HWND Form4Window::label(int id, const TwipsRect& place, std::string_view text, Grows grows,
                        const FontHandle& font, DWORD style) {
    return keep(addControl("STATIC", std::string(text).c_str(), SS_LEFT | SS_NOPREFIX | style, id,
                           place, font),
                place, grows);
}

// A part's design place in pixels at the current scale. The separator's ends and the icon's
// box, whose size is in pixels at 96 dpi, are placed as such.
PixelBox Form4Window::designBox(const Part& part) const {
    if (part.control == nullptr) {
        const int y = scale().y(AboutLayout::SeparatorY);
        return {scale().x(AboutLayout::SeparatorLeft), y,
                scale().x(AboutLayout::SeparatorGreyRight), y};
    }
    if (part.control == picIcon_) {
        const RECT icon = scale().pixels(AboutLayout::Icon);
        const int box = scale().x(15.0f * static_cast<float>(AboutLayout::IconPixels +
                                                             2 * AboutLayout::IconBorderPixels));
        return {icon.left, icon.top, icon.left + box, icon.top + box};
    }
    return pixelBox(scale().pixels(part.place));
}

namespace {

// The room a label's text takes in its font, as the static control draws it: on one line,
// or wrapped within the label's width.
SIZE textRoom(HDC dc, HWND label, int width, bool wrapped) {
    const int length = GetWindowTextLengthA(label);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(label, text.data(), length + 1)));
    const SelectedObject font(dc, GetWindowFont(label));
    RECT room{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &room,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapped ? DT_WORDBREAK : DT_SINGLELINE));
    return {room.right - room.left, room.bottom - room.top};
}

} // namespace

// The design places where every text fits them (the font the box was drawn for); where a
// wider or taller font needs more, one-line labels widen, wrapped ones grow downwards, what
// lies beyond them moves on, and the window grows with them.
void Form4Window::fitTexts() {
    std::vector<TextBox> boxes;
    const WindowDC dc(handle());
    for (const Part& part : parts_) {
        const PixelBox design = designBox(part);
        TextBox box{design};
        if (part.grows != Grows::Not) {
            const SIZE room = textRoom(dc.get(), part.control, design.right - design.left,
                                       part.grows == Grows::Taller);
            box.neededWidth = room.cx;
            box.neededHeight = room.cy;
        }
        boxes.push_back(box);
    }
    const FittedLayout fitted =
        fitToTexts(boxes, scale().x(AboutLayout::ClientWidth), scale().y(AboutLayout::ClientHeight),
                   scale().y(KeptGap));
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const PixelBox& place = fitted.places[i];
        if (parts_[i].control == nullptr)
            separator_ = place;
        else
            SetWindowPos(parts_[i].control, nullptr, place.left, place.top,
                         place.right - place.left, place.bottom - place.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT outer{0, 0, fitted.clientWidth, fitted.clientHeight};
    AdjustWindowRectEx(&outer, Style, FALSE, ExStyle);
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(handle(), nullptr, TRUE);
}

void Form4Window::buildControls() {
    parts_.push_back({nullptr, {}, Grows::Not});
    // Tab order is creation order; of these only the icon and the buttons take the focus,
    // so the focus starts on the icon and Tab goes on to OK, System Info... and License.
    picIcon_ =
        CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_ICON | SS_NOTIFY | SS_CENTERIMAGE,
                        0, 0, 0, 0, handle(), childMenu(PicIcon), instance(), nullptr);
    keep(picIcon_, AboutLayout::Icon, Grows::Not);
    showIcon();
    const FontHandle& font = windowFont_;
    label(LblDisclaimer, AboutLayout::Warning, CopyrightWarning, Grows::Taller, font);
    lblDescription_ =
        label(LblDescription, AboutLayout::Description, AboutDescription, Grows::Taller, font);
    lblTitle_ = label(LblTitle, AboutLayout::Title, "", Grows::Wider, font);
    lblVersion_ = label(LblVersion, AboutLayout::Version, "", Grows::Wider, font);
    label(LblCopy, AboutLayout::Copyright, CopyrightLine, Grows::Wider, font);
    keep(addControl("BUTTON", "&OK", BS_DEFPUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdOk,
                    AboutLayout::Ok, font),
         AboutLayout::Ok, Grows::Not);
    keep(addControl("BUTTON", "&System Info...", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdSysInfo,
                    AboutLayout::SysInfo, font),
         AboutLayout::SysInfo, Grows::Not);
    keep(addControl("BUTTON", "&License", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdLic,
                    AboutLayout::License, font),
         AboutLayout::License, Grows::Not);
    label(LblRights, AboutLayout::Rights, RightsLine, Grows::Taller, font);
    lblWebsite_ = label(LblWebsite, AboutLayout::Website, websiteLabel(), Grows::Taller,
                        websiteFont_, SS_NOTIFY);
    fitTexts();
}

// The icon box sized to the picture and its sunken border, at the current scale.
void Form4Window::showIcon() {
    SendMessageA(picIcon_, STM_SETICON,
                 reinterpret_cast<WPARAM>(scaledIcon(AboutLayout::IconPixels)), 0);
    const PixelBox box = designBox(parts_[1]);
    SetWindowPos(picIcon_, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form4Window::makeFonts() {
    windowFont_ = makeFont("MS Sans Serif", 8.25f);
    websiteFont_ = makeFont("MS Sans Serif", 8.25f, {.underline = true});
}

// The texts fitted again in the new fonts, which may need other room than the scale gives.
void Form4Window::scaleChanged() {
    showIcon();
    fitTexts();
}

Form4Window::Form4Window(Form4& form, const ScreenMetrics& screen, HWND owner)
    : DialogWindow(screen, CmdOk)
    , form_(form) {
    makeFonts();
    // Opens at its stored place, not centred and not placed by the system.
    const int left = scale().x(AboutLayout::ClientLeft);
    const int top = scale().y(AboutLayout::ClientTop);
    const RECT client{left, top, left + scale().x(AboutLayout::ClientWidth),
                      top + scale().y(AboutLayout::ClientHeight)};
    create(ClassName, "About Quivanto", Style, ExStyle, client, owner);
    buildControls();
}

Form4Window::~Form4Window() {
    destroy();
}

LRESULT Form4Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(handle(), WM_COMMAND, handler(this, &Form4Window::onCommand));
        HANDLE_MSG(handle(), WM_CTLCOLORSTATIC, handler(this, &Form4Window::onControlColourStatic));
        HANDLE_MSG(handle(), WM_PAINT, handler(this, &Form4Window::onPaint));
        HANDLE_MSG(handle(), WM_SETCURSOR, handler(this, &Form4Window::onSetCursor));
    default:
        return defaultMessage(message, wParam, lParam);
    }
}

void Form4Window::unload() {
    form_.Form_Unload();
}

void Form4Window::onCommand(HWND, int id, HWND, UINT code) {
    if (!forwarding())
        return;
    if (id == CmdOk || id == CmdSysInfo || id == CmdLic) {
        followDefault(id, code);
        if (code != BN_CLICKED)
            return;
    }
    switch (id) {
    case CmdOk:
    case IDOK:     // Enter where no push button is the default
    case IDCANCEL: // Escape
        form_.cmdOK_Click();
        break;
    case CmdSysInfo:
        form_.cmdSysInfo_Click();
        break;
    case CmdLic:
        form_.cmdLic_Click();
        break;
    case LblWebsite:
        if (code == STN_CLICKED)
            form_.lblWebsite_Click();
        break;
    case PicIcon:
        if (code == STN_CLICKED)
            form_.picIcon_Click();
        break;
    default:
        break;
    }
}

// Labels on the button face; the web site sentence green, the title and the description
// black, the rest in the button text colour.
HBRUSH Form4Window::onControlColourStatic(HWND, HDC dc, HWND child, int) {
    COLORREF colour = GetSysColor(COLOR_BTNTEXT);
    if (child == lblWebsite_)
        colour = WebsiteGreen;
    else if (child == lblTitle_ || child == lblDescription_)
        colour = Black;
    SetTextColor(dc, colour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

namespace {

void drawLine(HDC dc, COLORREF colour, int width, int left, int right, int y) {
    const PenHandle pen(CreatePen(PS_SOLID, width, colour));
    const SelectedObject selected(dc, pen.get());
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
}

} // namespace

// The etched separator: the white line behind, the grey one in front.
void Form4Window::onPaint(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    const int whiteRightOffset =
        scale().x(AboutLayout::SeparatorWhiteRight) - scale().x(AboutLayout::SeparatorGreyRight);
    drawLine(dc, White, 2, separator_.left, separator_.right + whiteRightOffset, separator_.top);
    drawLine(dc, SeparatorGrey, 1, separator_.left, separator_.right, separator_.top);
    EndPaint(window, &paint);
}

// The sentence and the icon are links: the pointer says so.
BOOL Form4Window::onSetCursor(HWND window, HWND over, UINT hitTest, UINT message) {
    if (over == lblWebsite_ || over == picIcon_) {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
        return TRUE;
    }
    return FORWARD_WM_SETCURSOR(window, over, hitTest, message, DefWindowProcA);
}

void Form4Window::showWindow() {
    show(picIcon_);
}

void Form4Window::closeWindow() {
    takeOffScreen();
}

void Form4Window::activate() {
    bringToFront();
}

bool Form4Window::isMinimized() const {
    return minimized();
}

void Form4Window::setCaption(const std::string& caption) {
    SetWindowTextA(handle(), caption.c_str());
}

void Form4Window::setVersionText(const std::string& text) {
    SetWindowTextA(lblVersion_, text.c_str());
    fitTexts();
}

void Form4Window::setTitleText(const std::string& text) {
    SetWindowTextA(lblTitle_, text.c_str());
    fitTexts();
}

} // namespace quivanto::win32
