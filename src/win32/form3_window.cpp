#include "win32/form3_window.h"

#include "dialogs/dialog_layout.h"
#include "dialogs/form3.h"
#include "win32/dialog_support.h"

#include <windowsx.h>

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

struct Form3Window::State final : DialogState {
    State(Form3& form, const ScreenMetrics& screen)
        : DialogState(0)
        , form(form)
        , scale(screen)
        , formFont("MS Sans Serif", 8.25f, scale)
        , labelFont("Verdana", 9.75f, scale, true) {}

    void unload() override { form.Form_Unload(); }

    Form3& form;
    DesignScale scale;
    Font formFont;
    Font labelFont;
    HWND txtDescr = nullptr;
    HWND txtName = nullptr;
};

namespace {

using State = Form3Window::State;

void buildControls(HWND window, State& state) {
    const DesignScale& scale = state.scale;
    // Tab order is creation order: the two boxes, the buttons, then the labels.
    state.txtDescr =
        controlW(window, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, TxtDescr,
                 PropertiesLayout::Description, scale, state.formFont, WS_EX_CLIENTEDGE);
    SendMessageW(state.txtDescr, EM_LIMITTEXT, DescriptionTypingLimit, 0);
    state.txtName = controlW(window, L"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, TxtName,
                             PropertiesLayout::Target, scale, state.formFont, WS_EX_CLIENTEDGE);
    control(window, "BUTTON", "&Update", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, BtnUpdate,
            PropertiesLayout::Update, scale, state.formFont);
    control(window, "BUTTON", "&Cancel", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, BtnCancel,
            PropertiesLayout::Cancel, scale, state.formFont);
    control(window, "STATIC", "DESCRIPTION:", SS_LEFT | SS_NOPREFIX, Label1,
            PropertiesLayout::DescriptionLabel, scale, state.labelFont);
    control(window, "STATIC", "FILE NAME:", SS_LEFT | SS_NOPREFIX, Label2,
            PropertiesLayout::TargetLabel, scale, state.labelFont);
}

void onCommand(HWND window, int id, HWND, UINT code) {
    State* state = dialogState<State>(window);
    if (state == nullptr || !state->forwarding)
        return;
    state->defaultButton.follow(window, id, code);
    if (code != BN_CLICKED)
        return;
    if (id == BtnUpdate)
        state->form.btnUpdate_Click();
    else if (id == BtnCancel)
        state->form.btnCancel_Click();
}

// The read-only target box on the button face, as a box that cannot be typed into shows.
HBRUSH onCtlColorStatic(HWND, HDC dc, HWND, int) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_COMMAND, onCommand);
        HANDLE_MSG(window, WM_CTLCOLORSTATIC, onCtlColorStatic);
    default:
        return dialogProcedure(window, message, wParam, lParam);
    }
}

} // namespace

Form3Window::Form3Window(Form3& form, const ScreenMetrics& screen, HWND owner)
    : state_(std::make_unique<State>(form, screen)) {
    registerWindowClass(ClassName, windowProcedure);
    // Not placed by code: the client area opens at its design place on the screen.
    const RECT client = state_->scale.pixels(PropertiesLayout::Client);
    window_ = createDialogWindow(ClassName, Caption, Style, ExStyle, client, owner, *state_);
    buildControls(window_, *state_);
}

Form3Window::~Form3Window() {
    destroyDialog(*state_);
}

void Form3Window::showWindow() {
    showDialog(*state_, state_->txtDescr);
}

void Form3Window::closeWindow() {
    takeOffScreen(*state_);
}

void Form3Window::activate() {
    SetForegroundWindow(window_);
}

bool Form3Window::isMinimized() const {
    return IsIconic(window_) != FALSE;
}

void Form3Window::proposeDescription(const std::string& text) {
    setWindowTextAnsi(state_->txtDescr, text);
}

std::string Form3Window::description() const {
    return windowTextAnsi(state_->txtDescr);
}

void Form3Window::showTarget(const std::string& target) {
    setWindowTextAnsi(state_->txtName, target);
}

} // namespace quivanto::win32
