#include "win32/list_window.h"

#include "commands/command_strip.h"
#include "commands/list_commands.h"
#include "core/item_line.h"
#include "list_window/form1.h"
#include "win32/resource_ids.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <functional>
#include <stdexcept>
#include <string_view>

namespace quivanto::win32 {
namespace {

constexpr const char* WindowClassName = "QuivantoListWindow";
constexpr COLORREF ListGreen = RGB(0, 128, 0);
constexpr COLORREF ListText = RGB(255, 255, 255);
constexpr UINT_PTR ListSubclassId = 1;
// Posted to itself to run the tasks left for after the current event.
constexpr UINT RunLaterMessage = WM_APP + 1;
// Courier New at 9.75 points, in hundredths of a point.
constexpr int ListFontCentipoints = 975;

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

ATOM registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUIVANTO), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUIVANTO),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassExA(&windowClass);
}

HBITMAP loadBitmap(HINSTANCE instance, int id) {
    return static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace

ListWindow::ListWindow(HINSTANCE instance, const ScreenMetrics& metrics,
                       const TextEncoding& encoding)
    : instance_(instance)
    , metrics_(metrics)
    , encoding_(encoding)
    , doubleDensity_(metrics.twipsPerPixelX <= 7.5f) {
    static const ATOM atom = registerWindowClass(instance, &ListWindow::windowProc);
    if (atom == 0)
        throw std::runtime_error("Quivanto could not register its list window class.");
    green_.reset(CreateSolidBrush(ListGreen));
    // Form1 places it before it is ever shown.
    window_ =
        CreateWindowExA(WS_EX_TOOLWINDOW, WindowClassName, "Quivanto", WS_POPUP | WS_CLIPCHILDREN,
                        0, 0, 0, 0, nullptr, nullptr, instance, this);
    if (window_ == nullptr)
        throw std::runtime_error("Quivanto could not create its list window.");
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
    const auto on = [this](auto member) {
        return std::bind_front(member, this);
    };
    switch (message) {
        HANDLE_MSG(window, WM_DESTROY, on(&ListWindow::onDestroy));
        HANDLE_MSG(window, WM_PAINT, on(&ListWindow::onPaint));
        HANDLE_MSG(window, WM_ERASEBKGND, on(&ListWindow::onEraseBackground));
        HANDLE_MSG(window, WM_COMMAND, on(&ListWindow::onCommand));
        HANDLE_MSG(window, WM_MEASUREITEM, on(&ListWindow::onMeasureItem));
        HANDLE_MSG(window, WM_DRAWITEM, on(&ListWindow::onDrawItem));
        HANDLE_MSG(window, WM_CTLCOLORLISTBOX, on(&ListWindow::onControlColour));
        HANDLE_MSG(window, WM_KEYDOWN, on(&ListWindow::onKeyDown));
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
        task();
    }
}

// The controls, their font and pictures are made when the first rows arrive, which is after
// the tray icon is up: nothing of the window shows before, and the icon comes sooner.
void ListWindow::ensureControls() {
    if (list_ != nullptr)
        return;
    banner_.reset(loadBitmap(instance_, doubleDensity_ ? IDB_BANNER_2X : IDB_BANNER));
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        pictures_[i].reset(
            loadBitmap(instance_, doubleDensity_ ? Pictures[i].bitmap2x : Pictures[i].bitmap));
    const int dpi = static_cast<int>(1440.0f / metrics_.twipsPerPixelY + 0.5f);
    listFont_.reset(CreateFontA(-MulDiv(ListFontCentipoints, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                                "Courier New"));
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    createPicture(LblAbout, ListWindowLayout::About,
                  "Click here for more information about the Quivanto");
    for (const PictureSpec& picture : Pictures)
        createPicture(picture.id, *picture.rect, picture.tip);

    // Not LBS_SORT, which orders by the system locale: the rows arrive in the shared order.
    list_ = CreateWindowExA(0, WC_LISTBOXA, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                            listPlace_.left, listPlace_.top, listPlace_.width, listPlace_.height,
                            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(LstApps)),
                            instance_, nullptr);
    SetWindowTextA(list_, "lstApps");
    SetWindowFont(list_, listFont_.get(), FALSE);
    SetWindowSubclass(list_, &ListWindow::listProc, ListSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    DragAcceptFiles(list_, TRUE);
}

// An owner-drawn static: it takes clicks (SS_NOTIFY) and draws its own picture, or, for
// the About area, the part of the banner beneath it.
HWND ListWindow::createPicture(int id, const TwipsRect& rect, const char* tip) {
    const RECT place = pixelRect(rect);
    HWND picture = CreateWindowExA(
        0, WC_STATICA, nullptr, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, place.left,
        place.top, place.right - place.left, place.bottom - place.top, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
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
            lstApps_DblClick(*form_);
        return;
    }
    if (code != STN_CLICKED && code != STN_DBLCLK)
        return;
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

void ListWindow::onMeasureItem(HWND, MEASUREITEMSTRUCT* measure) {
    // Arrives while the list is being created, before its handle is known.
    if (measure->CtlType == ODT_LISTBOX)
        measure->itemHeight = static_cast<UINT>(pixelsY(RowHeight));
}

void ListWindow::onDrawItem(HWND, const DRAWITEMSTRUCT* draw) {
    if (draw->CtlType == ODT_LISTBOX)
        drawListRow(*draw);
    else if (draw->CtlType == ODT_STATIC)
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
        return;
    }
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        if (Pictures[i].id == id)
            drawBitmap(draw.hDC, pictures_[i].get(), draw.rcItem);
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
    DispatchListKey(*form_, code, shift);
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

LRESULT CALLBACK ListWindow::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ListWindow*>(data);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // The list goes on to handle the key in its usual way afterwards.
        self->forwardKey(static_cast<UINT>(wParam));
        break;
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

void ListWindow::place(const PixelRect& window, const PixelRect& list) {
    SetWindowPos(window_, nullptr, window.left, window.top, window.width, window.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    listPlace_ = list;
    if (list_ != nullptr)
        SetWindowPos(list_, nullptr, list.left, list.top, list.width, list.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
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
    later_.push_back(std::move(task));
    PostMessageA(window_, RunLaterMessage, 0, 0);
}

} // namespace quivanto::win32
