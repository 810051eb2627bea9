#include "win32/dialog_support.h"

#include "resource_ids.h"

#include <windowsx.h>

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
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr,
                                           0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, ansi.data(), length,
                        nullptr, nullptr);
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

} // namespace quivanto::win32
