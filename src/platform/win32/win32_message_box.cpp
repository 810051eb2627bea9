#include "platform/win32/win32_message_box.h"

#include <windows.h>

namespace quivanto::win32 {

static_assert(MessageStyle::YesNo == MB_YESNO && MessageStyle::IconQuestion == MB_ICONQUESTION &&
              MessageStyle::IconExclamation == MB_ICONEXCLAMATION &&
              MessageStyle::DefaultButton2 == MB_DEFBUTTON2);
static_assert(static_cast<int>(MessageAnswer::Ok) == IDOK &&
              static_cast<int>(MessageAnswer::Yes) == IDYES &&
              static_cast<int>(MessageAnswer::No) == IDNO);

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

MessageAnswer messageAnswerFor(int result, int style) {
    const bool question = (style & MessageStyle::ButtonsMask) == MessageStyle::YesNo;
    if (!question)
        return MessageAnswer::Ok;
    return result == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer showMessageBox(const std::string& text, const std::string& title, int style) {
    const int result =
        MessageBoxA(nullptr, messageBoxText(text).c_str(), title.c_str(), static_cast<UINT>(style));
    return messageAnswerFor(result, style);
}

} // namespace quivanto::win32
