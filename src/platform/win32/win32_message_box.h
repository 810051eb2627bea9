#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>

namespace quivanto::win32 {

// Messages break lines with a lone CR; a Windows message box breaks them at CR LF.
std::string messageBoxText(std::string_view text);

// The answer a MessageBoxA result stands for. A box that could not be shown (result 0)
// answers No to a question, so nothing is done on a failure's behalf.
MessageAnswer messageAnswerFor(int result, int style);

// MessageBoxA without an owner, with the style bits as given.
MessageAnswer showMessageBox(const std::string& text, const std::string& title, int style);

} // namespace quivanto::win32
