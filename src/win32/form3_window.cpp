#include "win32/form3_window.h"

#include "dialogs/dialog_layout.h"
#include "dialogs/form3.h"

#include <windowsx.h>

#include <functional>

namespace quivanto::win32 {
namespace {

constexpr const char* ClassName = "QuivantoDialog.Form3";
constexpr const char* Caption = "Quivanto - Properties for Selected Item";
constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_DLGMODALFRAME;

enum ControlId : int {
    TxtDescr = 100,
    TxtName,
    BtnUpdate,
    BtnCancel,
    Label1,
    Label2,
};

} // namespace

Form3Window::Form3Window(Form3& form, const ScreenMetrics& screen, HWND owner)
    : DialogWindow(screen, 0)
    , form_(form) {
    makeFonts();
    // Not placed by code: the client area opens at its design place on the screen.
    create(ClassName, Caption, Style, ExStyle, scale().pixels(PropertiesLayout::Client), owner);
    buildControls();
}

Form3Window::~Form3Window() {
    destroy();
}

void Form3Window::makeFonts() {
    formFont_ = makeFont("MS Sans Serif", 8.25f);
    labelFont_ = makeFont("Verdana", 9.75f, {.bold = true});
}

void Form3Window::buildControls() {
    // Each label comes just before its box, which screen readers name the box by; Tab skips
    // the labels, so it goes through the two boxes, then the buttons.
    addControl("STATIC", "DESCRIPTION:", SS_LEFT | SS_NOPREFIX, Label1,
               PropertiesLayout::DescriptionLabel, labelFont_);
    txtDescr_ = addControlW(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, TxtDescr,
                            PropertiesLayout::Description, formFont_, WS_EX_CLIENTEDGE);
    SendMessageW(txtDescr_, EM_LIMITTEXT, DescriptionTypingLimit, 0);
    addControl("STATIC", "FILE NAME:", SS_LEFT | SS_NOPREFIX, Label2, PropertiesLayout::TargetLabel,
               labelFont_);
    txtName_ = addControlW(L"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, TxtName,
                           PropertiesLayout::Target, formFont_, WS_EX_CLIENTEDGE);
    addControl("BUTTON", "&Update", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, BtnUpdate,
               PropertiesLayout::Update, formFont_);
    addControl("BUTTON", "&Cancel", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, BtnCancel,
               PropertiesLayout::Cancel, formFont_);
}

LRESULT Form3Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(handle(), WM_COMMAND, handler(this, &Form3Window::onCommand));
        HANDLE_MSG(handle(), WM_CTLCOLORSTATIC, handler(this, &Form3Window::onControlColourStatic));
    default:
        return defaultMessage(message, wParam, lParam);
    }
}

void Form3Window::unload() {
    form_.Form_Unload();
}

void Form3Window::onCommand(HWND, int id, HWND, UINT code) {
    if (!forwarding())
        return;
    followDefault(id, code);
    if (code != BN_CLICKED)
        return;
    if (id == BtnUpdate)
        form_.btnUpdate_Click();
    else if (id == BtnCancel)
        form_.btnCancel_Click();
}

// The read-only target box on the button face, as a box that cannot be typed into shows.
HBRUSH Form3Window::onControlColourStatic(HWND, HDC dc, HWND, int) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void Form3Window::showWindow() {
    show(txtDescr_);
}

void Form3Window::closeWindow() {
    takeOffScreen();
}

void Form3Window::activate() {
    bringToFront();
}

bool Form3Window::isMinimized() const {
    return minimized();
}

void Form3Window::proposeDescription(const std::string& text) {
    setWindowTextAnsi(txtDescr_, text);
}

std::string Form3Window::description() const {
    return windowTextAnsi(txtDescr_);
}

void Form3Window::showTarget(const std::string& target) {
    setWindowTextAnsi(txtName_, target);
}

} // namespace quivanto::win32
