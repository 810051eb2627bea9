#include "win32/dialog_support.h"

#include "resource_ids.h"

#include <windowsx.h>

#include <cmath>
#include <string_view>

namespace quivanto::win32 {
HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

RECT DesignScale::pixels(const TwipsRect& rect) const {
    const int left = x(rect.left);
    const int top = y(rect.top);
    return {left, top, left + x(rect.width), top + y(rect.height)};
}

int DesignScale::fontHeight(float points) const {
    return -static_cast<int>(std::lround(points * 20.0f / twipsPerPixelY_));
}

Font::Font(const char* face, float points, const DesignScale& scale, bool bold, bool underline)
    : font_(CreateFontA(scale.fontHeight(points), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                        underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face)) {}

Font::~Font() {
    if (font_ != nullptr)
        DeleteObject(font_);
}

HWND control(HWND parent, const char* windowClass, const char* text, DWORD style, int id,
             const TwipsRect& place, const DesignScale& scale, const Font& font, DWORD exStyle) {
    const RECT r = scale.pixels(place);
    HWND child =
        CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle()), FALSE);
    return child;
}

HWND controlW(HWND parent, const wchar_t* windowClass, DWORD style, int id, const TwipsRect& place,
              const DesignScale& scale, const Font& font, DWORD exStyle) {
    const RECT r = scale.pixels(place);
    HWND child =
        CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle()), FALSE);
    return child;
}

namespace {

// Both window icons, large and small, at the sizes the system uses.
void setWindowIcons(HWND window) {
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(programIcon(GetSystemMetrics(SM_CXICON))));
    SendMessageA(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(programIcon(GetSystemMetrics(SM_CXSMICON))));
}

// The control that had the focus when the window was last active is given it back when
// the window is active again, as a dialog box does for itself.
void keepFocus(HWND window, UINT activation, HWND& remembered) {
    if (activation == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus))
            remembered = focus;
    } else if (remembered != nullptr && IsWindow(remembered)) {
        SetFocus(remembered);
    }
}

BOOL onNcCreate(HWND window, LPCREATESTRUCT create) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcA);
}

void onClose(HWND window) {
    DialogState* state = dialogState<DialogState>(window);
    if (state != nullptr && state->forwarding)
        state->unload();
}

void onActivate(HWND window, UINT activation, HWND, BOOL) {
    if (DialogState* state = dialogState<DialogState>(window))
        keepFocus(window, activation, state->focus);
}

LRESULT onGetDefId(HWND window) {
    const DialogState* state = dialogState<DialogState>(window);
    return state == nullptr ? 0 : state->defaultButton.defaultAnswer();
}

} // namespace

void registerWindowClass(const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    if (GetClassInfoExA(instance(), name, &windowClass))
        return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance();
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

HICON programIcon(int size) {
    return static_cast<HICON>(
        LoadImageA(instance(), MAKEINTRESOURCEA(IDI_QUIVANTO), IMAGE_ICON, size, size, LR_SHARED));
}

std::wstring wideFromAnsi(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string ansiFromWide(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::string windowTextAnsi(HWND box) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return ansiFromWide(text);
}

void setWindowTextAnsi(HWND box, const std::string& text) {
    SetWindowTextW(box, wideFromAnsi(text).c_str());
}

bool routeDialogMessage(MSG& message) {
    if (message.hwnd == nullptr)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    char name[64] = {};
    if (root == nullptr || GetClassNameA(root, name, sizeof name) == 0 ||
        std::string_view(name).rfind(DialogClassPrefix, 0) != 0)
        return false;
    return IsDialogMessageA(root, &message) != FALSE;
}

void DefaultButton::follow(HWND window, int id, UINT code) {
    if (code != BN_SETFOCUS && code != BN_KILLFOCUS)
        return;
    const auto setStyle = [window](int button, UINT style) {
        if (button != 0)
            SendMessageA(GetDlgItem(window, button), BM_SETSTYLE, style | BS_NOTIFY, TRUE);
    };
    setStyle(current_, BS_PUSHBUTTON);
    current_ = code == BN_SETFOCUS ? id : resting_;
    setStyle(current_, BS_DEFPUSHBUTTON);
}

LRESULT DefaultButton::defaultAnswer() const {
    return current_ == 0 ? 0 : MAKELRESULT(current_, DC_HASDEFID);
}

LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_NCCREATE, onNcCreate);
        HANDLE_MSG(window, WM_CLOSE, onClose);
        HANDLE_MSG(window, WM_ACTIVATE, onActivate);
    case DM_GETDEFID:
        return onGetDefId(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND createDialogWindow(const char* className, const char* caption, DWORD style, DWORD exStyle,
                        const RECT& client, HWND owner, DialogState& state) {
    RECT outer = client;
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    state.window = CreateWindowExA(exStyle, className, caption, style, outer.left, outer.top,
                                   outer.right - outer.left, outer.bottom - outer.top, owner,
                                   nullptr, instance(), &state);
    setWindowIcons(state.window);
    return state.window;
}

void showDialog(const DialogState& state, HWND firstFocus) {
    ShowWindow(state.window, SW_SHOW);
    SetForegroundWindow(state.window);
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(state.window, focus))
        SetFocus(firstFocus);
}

void takeOffScreen(DialogState& state) {
    state.forwarding = false;
    ShowWindow(state.window, SW_HIDE);
}

// The flow goes first: nothing the window does while going away reaches it.
void destroyDialog(DialogState& state) {
    state.forwarding = false;
    SetWindowLongPtrA(state.window, GWLP_USERDATA, 0);
    DestroyWindow(state.window);
}

} // namespace quivanto::win32
