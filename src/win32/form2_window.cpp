#include "win32/form2_window.h"

#include "dialogs/dialog_layout.h"
#include "dialogs/form2.h"

#include <windowsx.h>

#include <functional>

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

Form2Window::Form2Window(Form2& form, const ScreenMetrics& screen, HWND owner)
    : DialogWindow(screen, 0)
    , form_(form) {
    makeFonts();
    // Placed by its flow before it shows.
    create(ClassName, Caption, Style, ExStyle, scale().pixels(AddItemLayout::Client), owner);
    buildControls();
}

void Form2Window::makeFonts() {
    formFont_ = makeFont("MS Sans Serif", 9.75f);
    listFont_ = makeFont("MS Sans Serif", 8.25f);
    labelFont_ = makeFont("Verdana", 9.75f, {.bold = true});
    descriptionFont_ = makeFont("Courier", 9.75f);
}

// The folder rows' height follows the list's font.
void Form2Window::scaleChanged() {
    MEASUREITEMSTRUCT measure{};
    onMeasureItem(handle(), &measure);
    SendMessageA(dirList_, LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(measure.itemHeight));
}

void Form2Window::buildControls() {
    // Tab order is creation order: drives, folders, files, label, description, buttons. The
    // lists' window texts name them for screen readers.
    TwipsRect drives = AddItemLayout::Drives;
    drives.height += static_cast<float>(DropDownRows) * AddItemLayout::Drives.height;
    drvList_ = addControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, DrvList,
                          drives, listFont_);
    dirList_ = addControl("LISTBOX", "Folders",
                          LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                              WS_VSCROLL | WS_TABSTOP,
                          DirList, AddItemLayout::Folders, listFont_, WS_EX_CLIENTEDGE);
    filList_ =
        addControl("LISTBOX", "Files", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                   FilList, AddItemLayout::Files, listFont_, WS_EX_CLIENTEDGE);
    addControl("STATIC", "Description:", SS_LEFT, LblItemName, AddItemLayout::DescriptionLabel,
               labelFont_);
    txtItemName_ = addControlW(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, TxtItemName,
                               AddItemLayout::Description, descriptionFont_, WS_EX_CLIENTEDGE);
    SendMessageW(txtItemName_, EM_LIMITTEXT, DescriptionTypingLimit, 0);
    addControl("BUTTON", "&Add", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdAdd, AddItemLayout::Add,
               formFont_);
    addControl("BUTTON", "&Close", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, CmdDone,
               AddItemLayout::Close, formFont_);
}

LRESULT Form2Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(handle(), WM_COMMAND, handler(this, &Form2Window::onCommand));
        HANDLE_MSG(handle(), WM_MEASUREITEM, handler(this, &Form2Window::onMeasureItem));
        HANDLE_MSG(handle(), WM_DRAWITEM, handler(this, &Form2Window::onDrawItem));
        HANDLE_MSG(handle(), WM_SHOWWINDOW, handler(this, &Form2Window::onShowWindow));
    default:
        return defaultMessage(message, wParam, lParam);
    }
}

void Form2Window::unload() {
    form_.Form_Unload();
}

void Form2Window::onCommand(HWND, int id, HWND, UINT code) {
    if (!forwarding())
        return;
    switch (id) {
    case DrvList:
        if (code == CBN_SELCHANGE)
            form_.drvList_Change();
        break;
    case DirList:
        if (code == LBN_SELCHANGE)
            form_.dirList_Click();
        else if (code == LBN_KILLFOCUS)
            form_.dirList_LostFocus();
        break;
    case FilList:
        if (code == LBN_SELCHANGE)
            form_.filList_Click();
        break;
    case CmdAdd:
        followDefault(id, code);
        if (code == BN_CLICKED)
            form_.cmdAdd_Click();
        break;
    case CmdDone:
        followDefault(id, code);
        if (code == BN_CLICKED)
            form_.cmdDone_Click();
        break;
    default:
        break;
    }
}

void Form2Window::onMeasureItem(HWND window, MEASUREITEMSTRUCT* measure) {
    const WindowDC dc(window);
    const SelectedObject font(dc.get(), listFont_.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    measure->itemHeight = static_cast<UINT>(metrics.tmHeight + 2);
}

// A folder entry, indented by its depth, after a small glyph: filled for the open folder
// and the folders above it, outlined for its subfolders, as a tree of folders reads.
void Form2Window::onDrawItem(HWND, const DRAWITEMSTRUCT* draw) {
    if (draw->itemID == static_cast<UINT>(-1) || draw->itemID >= folders_.size())
        return;
    const FolderEntry& entry = folders_[draw->itemID];
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
    {
        const SelectedObject font(dc, listFont_.get());
        DrawTextA(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((draw->itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &draw->rcItem);
}

void Form2Window::onShowWindow(HWND, BOOL shown, UINT) {
    if (forwarding() && shown)
        form_.frameMayHaveChanged();
}

Form2Window::~Form2Window() {
    destroy();
}

void Form2Window::showWindow() {
    show(drvList_);
}

void Form2Window::closeWindow() {
    takeOffScreen();
}

void Form2Window::activate() {
    bringToFront();
}

bool Form2Window::isMinimized() const {
    return minimized();
}

void Form2Window::setDrives(const std::vector<std::string>& roots) {
    SendMessageA(drvList_, CB_RESETCONTENT, 0, 0);
    for (const std::string& root : roots)
        SendMessageA(drvList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
}

void Form2Window::chooseDrive(int index) {
    SendMessageA(drvList_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Form2Window::chosenDrive() const {
    return static_cast<int>(SendMessageA(drvList_, CB_GETCURSEL, 0, 0));
}

void Form2Window::setFolders(const std::vector<FolderEntry>& entries) {
    folders_ = entries;
    HWND list = dirList_;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Form2Window::highlightFolder(int row) {
    SendMessageA(dirList_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

int Form2Window::highlightedFolder() const {
    return static_cast<int>(SendMessageA(dirList_, LB_GETCURSEL, 0, 0));
}

void Form2Window::setFiles(const std::vector<std::string>& names) {
    HWND list = filList_;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int Form2Window::selectedFile() const {
    return static_cast<int>(SendMessageA(filList_, LB_GETCURSEL, 0, 0));
}

void Form2Window::proposeDescription(const std::string& text) {
    setWindowTextAnsi(txtItemName_, text);
}

std::string Form2Window::description() const {
    return windowTextAnsi(txtItemName_);
}

FrameMargins Form2Window::frameMargins() const {
    RECT outer{};
    GetWindowRect(handle(), &outer);
    RECT client{};
    GetClientRect(handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(handle(), &origin);
    return {origin.x - outer.left, origin.y - outer.top, outer.right - (origin.x + client.right),
            outer.bottom - (origin.y + client.bottom)};
}

void Form2Window::moveFrameTo(int left, int top) {
    SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace quivanto::win32
