#include "win32/list_window.h"

#include "commands/command_strip.h"
#include "commands/list_commands.h"
#include "core/item_line.h"
#include "core/message.h"
#include "list_window/form1.h"
#include "win32/resource_ids.h"
#include "win32/window_classes.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quivanto::win32 {
namespace {

constexpr const char* WindowClassName = "QuivantoListWindow";
constexpr COLORREF ListGreen = RGB(0, 128, 0);
constexpr COLORREF ListText = RGB(255, 255, 255);
constexpr UINT_PTR ListSubclassId = 1;
constexpr UINT_PTR PictureSubclassId = 2;
// What screen readers call the list and the About area.
constexpr const char* ListName = "Quivanto list";
constexpr const char* AboutName = "About Quivanto";
// Posted to itself to run the tasks left for after the current event.
constexpr UINT RunLaterMessage = WM_APP + 1;
// The rows' Courier New.
constexpr float ListFontPoints = 9.75f;

struct PictureSpec {
    ListWindow::ControlId id;
    int bitmap;
    int bitmap2x;
    const TwipsRect* rect;
    const char* tip;
};

// From left to right Add, Delete, Properties, Help, then Hide at the banner's right end.
constexpr PictureSpec Pictures[] = {
    {ListWindow::PicAdd, IDB_ADD, IDB_ADD_2X, &ListWindowLayout::Add, "Add"},
    {ListWindow::PicDelete, IDB_DELETE, IDB_DELETE_2X, &ListWindowLayout::Delete, "Delete"},
    {ListWindow::PicProperties, IDB_PROPERTIES, IDB_PROPERTIES_2X, &ListWindowLayout::Properties,
     "Properties"},
    {ListWindow::PicHelp, IDB_HELP, IDB_HELP_2X, &ListWindowLayout::Help, "Help"},
    {ListWindow::PicClose, IDB_HIDE, IDB_HIDE_2X, &ListWindowLayout::Close, "Hide"},
};

HBITMAP loadBitmap(HINSTANCE instance, int id) {
    return static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace

ListWindow::ListWindow(HINSTANCE instance, const ScreenMetrics& metrics,
                       const TextEncoding& encoding)
    : instance_(instance)
    , flowMetrics_(metrics)
    , metrics_(metrics)
    , encoding_(encoding) {
    ensureWindowClass({WindowClassName, &ListWindow::windowProc, CS_DBLCLKS, nullptr, true},
                      "list window");
    green_.reset(CreateSolidBrush(ListGreen));
}

HWND ListWindow::window() {
    ensureWindow();
    return window_;
}

// Under Wine a process's first window costs it most of its start-up, so the list window
// waits until the tray icon is in: the icon shows as early as a bare tray program's.
void ListWindow::ensureWindow() {
    if (window_ != nullptr)
        return;
    // Made on the primary monitor and then moved, so a window placed on a monitor of
    // another scale hears of it as when the flows move it there.
    window_ =
        CreateWindowExA(WS_EX_TOOLWINDOW, WindowClassName, "Quivanto", WS_POPUP | WS_CLIPCHILDREN,
                        0, 0, 0, 0, nullptr, nullptr, instance_, this);
    if (window_ == nullptr)
        throw std::runtime_error("Quivanto could not create its list window (error " +
                                 std::to_string(GetLastError()) + ").");
    if (windowPlace_)
        place(*windowPlace_, listPlace_);
}

ListWindow::~ListWindow() {
    if (window_ != nullptr) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

int ListWindow::pixelsY(float twips) const {
    return twipsToPixels(twips, metrics_.twipsPerPixelY);
}

RECT ListWindow::pixelRect(const TwipsRect& rect) const {
    const float tppX = metrics_.twipsPerPixelX;
    const int left = twipsToPixels(rect.left, tppX);
    const int top = pixelsY(rect.top);
    return {left, top, left + twipsToPixels(rect.width, tppX), top + pixelsY(rect.height)};
}

LRESULT CALLBACK ListWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<ListWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ListWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->handle(window, message, wParam, lParam);
}

LRESULT ListWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_DESTROY, handler(this, &ListWindow::onDestroy));
        HANDLE_MSG(window, WM_PAINT, handler(this, &ListWindow::onPaint));
        HANDLE_MSG(window, WM_ERASEBKGND, handler(this, &ListWindow::onEraseBackground));
        HANDLE_MSG(window, WM_COMMAND, handler(this, &ListWindow::onCommand));
        HANDLE_MSG(window, WM_MEASUREITEM, handler(this, &ListWindow::onMeasureItem));
        HANDLE_MSG(window, WM_DRAWITEM, handler(this, &ListWindow::onDrawItem));
        HANDLE_MSG(window, WM_CTLCOLORLISTBOX, handler(this, &ListWindow::onControlColour));
        HANDLE_MSG(window, WM_KEYDOWN, handler(this, &ListWindow::onKeyDown));
    case WM_DPICHANGED:
        onDpiChanged(LOWORD(wParam), HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case RunLaterMessage:
        onRunLater();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void ListWindow::onDestroy(HWND window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    window_ = nullptr;
}

void ListWindow::onRunLater() {
    while (!later_.empty()) {
        const auto task = std::move(later_.front());
        later_.pop_front();
        guarded(task);
    }
}

// The controls, their font and pictures are made when the first rows arrive, which is after
// the tray icon is up: nothing of the window shows before, and the icon comes sooner.
void ListWindow::ensureControls() {
    if (list_ != nullptr)
        return;
    ensureWindow();
    loadPictures();
    listFont_ =
        makeFont("Courier New", ListFontPoints, metrics_.twipsPerPixelY, {.fixedPitch = true});
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    createPicture(LblAbout, ListWindowLayout::About, AboutName,
                  "Click here for more information about the Quivanto");
    for (const PictureSpec& picture : Pictures)
        createPicture(picture.id, *picture.rect, picture.tip, picture.tip);

    // Not LBS_SORT, which orders by the system locale: the rows arrive in the shared order.
    list_ = CreateWindowExA(0, WC_LISTBOXA, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                            scaledX(listPlace_.left), scaledY(listPlace_.top),
                            scaledX(listPlace_.width), scaledY(listPlace_.height), window_,
                            childMenu(LstApps), instance_, nullptr);
    SetWindowTextA(list_, ListName);
    SetWindowFont(list_, listFont_.get(), FALSE);
    SetWindowSubclass(list_, &ListWindow::listProc, ListSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    DragAcceptFiles(list_, TRUE);
}

// The 2x pictures where a pixel is half the size or less.
void ListWindow::loadPictures() {
    const bool doubleDensity = metrics_.twipsPerPixelX <= 7.5f;
    banner_.reset(loadBitmap(instance_, doubleDensity ? IDB_BANNER_2X : IDB_BANNER));
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        pictures_[i].reset(
            loadBitmap(instance_, doubleDensity ? Pictures[i].bitmap2x : Pictures[i].bitmap));
}

// Everything in the window at the scale of the monitor it is on: when it moves to a monitor
// of another scale, or that monitor's scale changes, the system suggests the new frame.
void ListWindow::onDpiChanged(int dpiX, int dpiY, const RECT& suggested) {
    metrics_.twipsPerPixelX = 1440.0f / static_cast<float>(dpiX);
    metrics_.twipsPerPixelY = 1440.0f / static_cast<float>(dpiY);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (list_ == nullptr)
        return; // made at the monitor's scale when the first rows arrive
    loadPictures();
    listFont_ =
        makeFont("Courier New", ListFontPoints, metrics_.twipsPerPixelY, {.fixedPitch = true});
    SetWindowFont(list_, listFont_.get(), FALSE);
    ListBox_SetItemHeight(list_, 0, pixelsY(RowHeight));
    placeControls();
    InvalidateRect(window_, nullptr, TRUE);
}

// Pixels the flows gave on their screen, on this monitor.
int ListWindow::scaledX(int flowPixels) const {
    return static_cast<int>(std::lround(static_cast<float>(flowPixels) *
                                        flowMetrics_.twipsPerPixelX / metrics_.twipsPerPixelX));
}

int ListWindow::scaledY(int flowPixels) const {
    return static_cast<int>(std::lround(static_cast<float>(flowPixels) *
                                        flowMetrics_.twipsPerPixelY / metrics_.twipsPerPixelY));
}

void ListWindow::placeControls() {
    const auto move = [](HWND control, const RECT& place) {
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    move(GetDlgItem(window_, LblAbout), pixelRect(ListWindowLayout::About));
    for (const PictureSpec& picture : Pictures)
        move(GetDlgItem(window_, picture.id), pixelRect(*picture.rect));
    const int left = scaledX(listPlace_.left);
    const int top = scaledY(listPlace_.top);
    move(list_, {left, top, left + scaledX(listPlace_.width), top + scaledY(listPlace_.height)});
}

// An owner-drawn button, so screen readers meet a named button: it draws its own picture,
// or, for the About area, the part of the banner beneath it. Tab reaches it; a click does
// not take the focus from the list (see pictureProc).
HWND ListWindow::createPicture(int id, const TwipsRect& rect, const char* name, const char* tip) {
    const RECT place = pixelRect(rect);
    HWND picture =
        CreateWindowExA(0, WC_BUTTONA, name, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        window_, childMenu(id), instance_, nullptr);
    SetWindowSubclass(picture, &ListWindow::pictureProc, PictureSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(picture);
    tool.lpszText = const_cast<char*>(tip);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return picture;
}

void ListWindow::onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    drawBitmap(dc, banner_.get(), pixelRect(ListWindowLayout::Header));
    EndPaint(window, &paint);
}

BOOL ListWindow::onEraseBackground(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, green_.get());
    return TRUE;
}

void ListWindow::onCommand(HWND, int id, HWND, UINT code) {
    if (form_ == nullptr)
        return;
    if (id == LstApps) {
        if (code == LBN_DBLCLK)
            guarded([this] { lstApps_DblClick(*form_); });
        return;
    }
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED)
        return;
    guarded([this, id] { clicked(id); });
}

void ListWindow::clicked(int id) {
    switch (id) {
    case PicAdd:
        form_->ShowAddDialog();
        break;
    case PicDelete:
        RemoveSelectedItem(*form_);
        break;
    case PicProperties:
        form_->ShowPropertiesDialog();
        break;
    case PicHelp:
        ShowHelp(*form_);
        break;
    case PicClose:
        form_->HideListWindow();
        break;
    case LblAbout:
        form_->ShowAboutDialog();
        break;
    default:
        break;
    }
}

// A dialog the system would not make is said so, and the list goes on as it was.
void ListWindow::guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        if (form_ == nullptr)
            return;
        form_->showMessage(windowFailureMessage(error.what()));
        focusList();
    }
}

void ListWindow::onMeasureItem(HWND, MEASUREITEMSTRUCT* measure) {
    // Arrives while the list is being created, before its handle is known.
    if (measure->CtlType == ODT_LISTBOX)
        measure->itemHeight = static_cast<UINT>(pixelsY(RowHeight));
}

void ListWindow::onDrawItem(HWND, const DRAWITEMSTRUCT* draw) {
    if (draw->CtlType == ODT_LISTBOX)
        drawListRow(*draw);
    else if (draw->CtlType == ODT_BUTTON)
        drawPicture(*draw);
}

void ListWindow::drawListRow(const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const COLORREF background = selected ? GetSysColor(COLOR_HIGHLIGHT) : ListGreen;
    SetBkColor(dc, background);
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ListText);
    std::string text;
    if (draw.itemID != static_cast<UINT>(-1)) {
        const auto length = SendMessageA(draw.hwndItem, LB_GETTEXTLEN, draw.itemID, 0);
        if (length > 0) {
            text.resize(static_cast<std::size_t>(length) + 1);
            const auto copied = SendMessageA(draw.hwndItem, LB_GETTEXT, draw.itemID,
                                             reinterpret_cast<LPARAM>(text.data()));
            text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        }
    }
    // The description column only: the rest of the row (the "|" and the target) would peek
    // in at the right edge whenever the font is a little narrower than the list. The list
    // keeps the whole row, which screen readers read.
    const std::string_view shown = descriptionField(text, encoding_);
    SelectedObject font(dc, listFont_.get());
    ExtTextOutA(dc, draw.rcItem.left + 1, draw.rcItem.top, ETO_OPAQUE | ETO_CLIPPED, &draw.rcItem,
                shown.data(), static_cast<UINT>(shown.size()), nullptr);
    if ((draw.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &draw.rcItem);
}

void ListWindow::drawPicture(const DRAWITEMSTRUCT& draw) {
    const int id = static_cast<int>(draw.CtlID);
    if (id == LblAbout) {
        // Transparent: the banner shows through, drawn at the same scale as the window's.
        const RECT header = pixelRect(ListWindowLayout::Header);
        BITMAP info{};
        GetObjectA(banner_.get(), sizeof info, &info);
        const RECT& area = draw.rcItem;
        const int scaleNumerator = info.bmWidth;
        const int scaleDenominator = header.right - header.left;
        drawBitmap(draw.hDC, banner_.get(), area, 0, 0,
                   MulDiv(area.right - area.left, scaleNumerator, scaleDenominator),
                   MulDiv(area.bottom - area.top, scaleNumerator, scaleDenominator));
    }
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        if (Pictures[i].id == id)
            drawBitmap(draw.hDC, pictures_[i].get(), draw.rcItem);
    // Only the keyboard gives a picture the focus, and its user must see where it is.
    if ((draw.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(draw.hDC, &draw.rcItem);
}

HBRUSH ListWindow::onControlColour(HWND, HDC dc, HWND, int) {
    // The list's empty area below its last row.
    SetBkColor(dc, ListGreen);
    SetTextColor(dc, ListText);
    return green_.get();
}

void ListWindow::onKeyDown(HWND, UINT key, BOOL, int, UINT) {
    // The window hears keys only when none of its controls has the focus.
    forwardKey(key);
}

void ListWindow::forwardKey(UINT key) {
    if (form_ == nullptr)
        return;
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= 2;
    if (GetKeyState(VK_MENU) < 0)
        shift |= 4;
    const int code = static_cast<int>(key);
    guarded([this, code, shift] { DispatchListKey(*form_, code, shift); });
}

void ListWindow::forwardCharacter(char character) {
    if (form_ != nullptr)
        form_->lstApps_KeyPress(std::string_view(&character, 1),
                                std::chrono::milliseconds(static_cast<DWORD>(GetMessageTime())));
}

void ListWindow::forwardDrop(HDROP drop) {
    DroppedFiles dropped;
    dropped.hasFileList = true;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        path.resize(DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size())));
        dropped.paths.push_back(std::move(path));
    }
    DragFinish(drop);
    // After the drop is over, so no message box keeps the drag source waiting.
    runLater([this, dropped] {
        if (form_ != nullptr)
            lstApps_OLEDragDrop(*form_, dropped);
    });
}

void ListWindow::moveFocus(HWND from, bool backwards) {
    const int count = static_cast<int>(std::size(TabOrder));
    const int id = GetDlgCtrlID(from);
    int at = 0;
    while (at < count && TabOrder[at] != id)
        ++at;
    const int next = (at + (backwards ? count - 1 : 1)) % count;
    SetFocus(GetDlgItem(window_, TabOrder[next]));
}

void ListWindow::clickPicture(HWND picture) {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(picture), BN_CLICKED),
                 reinterpret_cast<LPARAM>(picture));
}

// The pictures' keys and clicks. Enter and Space act as a click, Tab moves on; a mouse
// click acts on the button's release over it without taking the focus, so the keys of the
// list still reach the list afterwards, as before the pictures were buttons.
LRESULT CALLBACK ListWindow::pictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ListWindow*>(data);
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_TAB)
            self->moveFocus(picture, GetKeyState(VK_SHIFT) < 0);
        else if (wParam == VK_RETURN || wParam == VK_SPACE)
            self->clickPicture(picture);
        return 0;
    case WM_KEYUP:
    case WM_CHAR:
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(picture);
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != picture)
            return 0;
        ReleaseCapture();
        RECT area{};
        GetClientRect(picture, &area);
        if (PtInRect(&area, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            self->clickPicture(picture);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(picture, &ListWindow::pictureProc, PictureSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(picture, message, wParam, lParam);
}

LRESULT CALLBACK ListWindow::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ListWindow*>(data);
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            self->moveFocus(list, GetKeyState(VK_SHIFT) < 0);
            return 0;
        }
        [[fallthrough]];
    case WM_SYSKEYDOWN:
        // The list goes on to handle the key in its usual way afterwards.
        self->forwardKey(static_cast<UINT>(wParam));
        break;
    case WM_CHAR:
        // The list box would search its rows by its own rules: the typed character is ours.
        self->forwardCharacter(static_cast<char>(wParam));
        return 0;
    case WM_DROPFILES:
        self->forwardDrop(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(list, &ListWindow::listProc, ListSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

void ListWindow::setRows(const std::vector<std::string>& rows) {
    ensureControls();
    SetWindowRedraw(list_, FALSE);
    ListBox_ResetContent(list_);
    for (const std::string& row : rows)
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SetWindowRedraw(list_, TRUE);
    InvalidateRect(list_, nullptr, TRUE);
}

void ListWindow::insertRow(int index, const std::string& row) {
    ensureControls();
    // LB_INSERTSTRING moves the selection with its row by itself.
    SendMessageA(list_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(row.c_str()));
}

void ListWindow::removeRow(int index) {
    ensureControls();
    ListBox_DeleteString(list_, index);
}

void ListWindow::selectIndex(int index) {
    ensureControls();
    ListBox_SetCurSel(list_, index);
}

int ListWindow::selectedIndex() const {
    return list_ != nullptr ? ListBox_GetCurSel(list_) : -1;
}

// The window stands where the flows put it; its size and the list's place follow the scale
// of the monitor it is on.
void ListWindow::place(const PixelRect& window, const PixelRect& list) {
    windowPlace_ = window;
    listPlace_ = list;
    if (window_ == nullptr)
        return;
    SetWindowPos(window_, nullptr, window.left, window.top, scaledX(window.width),
                 scaledY(window.height), SWP_NOZORDER | SWP_NOACTIVATE);
    if (list_ != nullptr)
        SetWindowPos(list_, nullptr, scaledX(list.left), scaledY(list.top), scaledX(list.width),
                     scaledY(list.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListWindow::showWindow() {
    ensureControls();
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

void ListWindow::hideWindow() {
    ShowWindow(window_, SW_HIDE);
}

void ListWindow::activate() {
    if (IsWindowVisible(window_))
        SetForegroundWindow(window_);
}

void ListWindow::focusList() {
    if (list_ != nullptr && IsWindowVisible(window_))
        SetFocus(list_);
}

WindowHandle ListWindow::nativeHandle() const {
    return reinterpret_cast<WindowHandle>(window_);
}

void ListWindow::runLater(std::function<void()> task) {
    ensureWindow();
    later_.push_back(std::move(task));
    PostMessageA(window_, RunLaterMessage, 0, 0);
}

} // namespace quivanto::win32
