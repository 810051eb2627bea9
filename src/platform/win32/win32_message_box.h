#pragma once

#include "platform/platform.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace quivanto::win32 {

// Messages break lines with a lone CR; a Windows message box breaks them at CR LF.
std::string messageBoxText(std::string_view text);

// The MB_* flags for a style: buttons, icon and default button.
UINT messageBoxFlags(MessageStyle style);

// The answer a MessageBoxA result stands for. A box that could not be shown (result 0)
// answers No to a question, so nothing is done on a failure's behalf.
MessageAnswer messageAnswerFor(int result, MessageStyle style);

// MessageBoxA without an owner.
MessageAnswer showMessageBox(const std::string& text, const std::string& title, MessageStyle style);

} // namespace quivanto::win32
