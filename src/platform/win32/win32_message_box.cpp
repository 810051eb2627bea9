#include "platform/win32/win32_message_box.h"

#include <windows.h>

namespace quivanto::win32 {

namespace {

UINT buttonFlags(MessageButtons buttons) {
    return buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
}

UINT iconFlags(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::None:
        break;
    }
    return 0;
}

UINT defaultButtonFlags(DefaultButton button) {
    return button == DefaultButton::Second ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
}

} // namespace

UINT messageBoxFlags(MessageStyle style) {
    return buttonFlags(style.buttons) | iconFlags(style.icon) |
           defaultButtonFlags(style.defaultButton);
}

std::string messageBoxText(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        const bool loneCr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        if (loneCr)
            result += '\n';
    }
    return result;
}

MessageAnswer messageAnswerFor(int result, MessageStyle style) {
    if (style.buttons != MessageButtons::YesNo)
        return MessageAnswer::Ok;
    return result == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer showMessageBox(const std::string& text, const std::string& title,
                             MessageStyle style) {
    const int result =
        MessageBoxA(nullptr, messageBoxText(text).c_str(), title.c_str(), messageBoxFlags(style));
    return messageAnswerFor(result, style);
}

} // namespace quivanto::win32
