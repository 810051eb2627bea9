#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>

// A message box as the program shows it: text (single CR line breaks), title and style.
namespace quivanto {

inline constexpr std::string_view ApplicationTitle = "Quivanto";
inline constexpr char LineBreak = '\r';

// Errors and refusals: an exclamation and OK. Confirmations: a question, Yes and No, with
// No the default. A few messages are plain: OK alone, no icon.
inline constexpr MessageStyle ExclamationStyle{MessageButtons::Ok, MessageIcon::Exclamation};
inline constexpr MessageStyle ConfirmationStyle{MessageButtons::YesNo, MessageIcon::Question,
                                                DefaultButton::Second};
inline constexpr MessageStyle PlainStyle{};

struct Message {
    std::string text;
    std::string title;
    MessageStyle style;

    bool operator==(const Message&) const = default;
};

// The block that ends every message about one item.
std::string itemBlock(std::string_view description, std::string_view target);

// Start-up and shutdown.
Message alreadyRunningMessage();
Message confirmRemoveFromTrayMessage();
Message noTrayMessage();
Message listFileErrorMessage(std::string_view reason);

} // namespace quivanto
