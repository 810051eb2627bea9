#include "win32/form2_window.h"

#include "dialogs/dialog_layout.h"
#include "dialogs/form2.h"

#include <windowsx.h>

namespace quivanto::win32 {
namespace {

constexpr const char* ClassName = "QuivantoDialog.Form2";
constexpr const char* Caption = "Quivanto - Add Item to List";
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_APPWINDOW;

enum ControlId : int {
    DrvList = 100,
    DirList,
    FilList,
    LblItemName,
    TxtItemName,
    CmdAdd,
    CmdDone,
};

// Each level of the folder tree a step further right, as a tree shows it.
constexpr int IndentPixels = 8;
// How many drives the drive list shows when it drops down.
constexpr int DropDownRows = 8;

} // namespace

struct Form2Window::State final : DialogState {
    State(Form2& form, const ScreenMetrics& screen)
        : DialogState(0)
        , form(form)
        , scale(screen)
        , formFont("MS Sans Serif", 9.75f, scale)
        , listFont("MS Sans Serif", 8.25f, scale)
        , labelFont("Verdana", 9.75f, scale, true)
        , descriptionFont("Courier", 9.75f, scale) {}

    void unload() override { form.Form_Unload(); }

    Form2& form;
    DesignScale scale;
    Font formFont;
    Font listFont;
    Font labelFont;
    Font descriptionFont;
    HWND drvList = nullptr;
    HWND dirList = nullptr;
    HWND filList = nullptr;
    HWND txtItemName = nullptr;
    std::vector<FolderEntry> folders;
};

namespace {

using State = Form2Window::State;

void buildControls(HWND window, State& state) {
    const DesignScale& scale = state.scale;
    // Tab order is creation order: drives, folders, files, label, description, buttons.
    TwipsRect drives = AddItemLayout::Drives;
    drives.height += static_cast<float>(DropDownRows) * AddItemLayout::Drives.height;
    state.drvList = control(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                            DrvList, drives, scale, state.listFont);
    state.dirList =
        control(window, "LISTBOX", "",
                LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                    WS_VSCROLL | WS_TABSTOP,
                DirList, AddItemLayout::Folders, scale, state.listFont, WS_EX_CLIENTEDGE);
    state.filList =
        control(window, "LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                FilList, AddItemLayout::Files, scale, state.listFont, WS_EX_CLIENTEDGE);
    control(window, "STATIC", "Description:", SS_LEFT, LblItemName, AddItemLayout::DescriptionLabel,
            scale, state.labelFont);
    state.txtItemName =
        controlW(window, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, TxtItemName,
                 AddItemLayout::Description, scale, state.descriptionFont, WS_EX_CLIENTEDGE);
    SendMessageW(state.txtItemName, EM_LIMITTEXT, DescriptionTypingLimit, 0);
    control(window, "BUTTON", "&Add", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdAdd,
            AddItemLayout::Add, scale, state.formFont);
    control(window, "BUTTON", "&Close", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdDone,
            AddItemLayout::Close, scale, state.formFont);
}

void onCommand(HWND window, int id, HWND, UINT code) {
    State* state = dialogState<State>(window);
    if (state == nullptr || !state->forwarding)
        return;
    Form2& form = state->form;
    switch (id) {
    case DrvList:
        if (code == CBN_SELCHANGE)
            form.drvList_Change();
        break;
    case DirList:
        if (code == LBN_SELCHANGE)
            form.dirList_Click();
        else if (code == LBN_KILLFOCUS)
            form.dirList_LostFocus();
        break;
    case FilList:
        if (code == LBN_SELCHANGE)
            form.filList_Click();
        break;
    case CmdAdd:
        state->defaultButton.follow(window, id, code);
        if (code == BN_CLICKED)
            form.cmdAdd_Click();
        break;
    case CmdDone:
        state->defaultButton.follow(window, id, code);
        if (code == BN_CLICKED)
            form.cmdDone_Click();
        break;
    default:
        break;
    }
}

void onMeasureItem(HWND window, MEASUREITEMSTRUCT* measure) {
    const State* state = dialogState<State>(window);
    if (state == nullptr)
        return;
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, state->listFont.handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    measure->itemHeight = static_cast<UINT>(metrics.tmHeight + 2);
}

// A folder entry, indented by its depth, after a small glyph: filled for the open folder
// and the folders above it, outlined for its subfolders, as a tree of folders reads.
void onDrawItem(HWND window, const DRAWITEMSTRUCT* draw) {
    const State* state = dialogState<State>(window);
    if (state == nullptr || draw->itemID == static_cast<UINT>(-1) ||
        draw->itemID >= state->folders.size())
        return;
    const FolderEntry& entry = state->folders[draw->itemID];
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    HDC dc = draw->hDC;
    FillRect(dc, &draw->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = draw->rcItem;
    const int height = text.bottom - text.top;
    text.left += 2 + IndentPixels * entry.depth;
    RECT mark{text.left, text.top + height / 4, text.left + height / 2,
              text.top + height / 4 + height / 2};
    if (entry.open)
        FillRect(dc, &mark, GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNSHADOW));
    else
        FrameRect(dc, &mark, GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNSHADOW));
    text.left = mark.right + 4;
    HGDIOBJ old = SelectObject(dc, state->listFont.handle());
    DrawTextA(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    if ((draw->itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &draw->rcItem);
}

void onShowWindow(HWND window, BOOL shown, UINT) {
    State* state = dialogState<State>(window);
    if (state != nullptr && state->forwarding && shown)
        state->form.frameMayHaveChanged();
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_COMMAND, onCommand);
        HANDLE_MSG(window, WM_MEASUREITEM, onMeasureItem);
        HANDLE_MSG(window, WM_DRAWITEM, onDrawItem);
        HANDLE_MSG(window, WM_SHOWWINDOW, onShowWindow);
    default:
        return dialogProcedure(window, message, wParam, lParam);
    }
}

} // namespace

Form2Window::Form2Window(Form2& form, const ScreenMetrics& screen, HWND owner)
    : state_(std::make_unique<State>(form, screen)) {
    registerWindowClass(ClassName, windowProcedure);
    // Placed by its flow before it shows.
    const RECT client = state_->scale.pixels(AddItemLayout::Client);
    window_ = createDialogWindow(ClassName, Caption, Style, ExStyle, client, owner, *state_);
    buildControls(window_, *state_);
}

Form2Window::~Form2Window() {
    destroyDialog(*state_);
}

void Form2Window::showWindow() {
    showDialog(*state_, state_->drvList);
}

void Form2Window::closeWindow() {
    takeOffScreen(*state_);
}

void Form2Window::activate() {
    SetForegroundWindow(window_);
}

bool Form2Window::isMinimized() const {
    return IsIconic(window_) != FALSE;
}

void Form2Window::setDrives(const std::vector<std::string>& roots) {
    SendMessageA(state_->drvList, CB_RESETCONTENT, 0, 0);
    for (const std::string& root : roots)
        SendMessageA(state_->drvList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
}

void Form2Window::chooseDrive(int index) {
    SendMessageA(state_->drvList, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Form2Window::chosenDrive() const {
    return static_cast<int>(SendMessageA(state_->drvList, CB_GETCURSEL, 0, 0));
}

void Form2Window::setFolders(const std::vector<FolderEntry>& entries) {
    state_->folders = entries;
    HWND list = state_->dirList;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Form2Window::highlightFolder(int row) {
    SendMessageA(state_->dirList, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

int Form2Window::highlightedFolder() const {
    return static_cast<int>(SendMessageA(state_->dirList, LB_GETCURSEL, 0, 0));
}

void Form2Window::setFiles(const std::vector<std::string>& names) {
    HWND list = state_->filList;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int Form2Window::selectedFile() const {
    return static_cast<int>(SendMessageA(state_->filList, LB_GETCURSEL, 0, 0));
}

void Form2Window::proposeDescription(const std::string& text) {
    setWindowTextAnsi(state_->txtItemName, text);
}

std::string Form2Window::description() const {
    return windowTextAnsi(state_->txtItemName);
}

FrameMargins Form2Window::frameMargins() const {
    RECT outer{};
    GetWindowRect(window_, &outer);
    RECT client{};
    GetClientRect(window_, &client);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    return {origin.x - outer.left, origin.y - outer.top, outer.right - (origin.x + client.right),
            outer.bottom - (origin.y + client.bottom)};
}

void Form2Window::moveFrameTo(int left, int top) {
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace quivanto::win32
