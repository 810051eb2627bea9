#pragma once

#include "core/list_window_geometry.h"

// The dialogs' controls at their design places, in twips inside the client area.
namespace quivanto {

namespace AddItemLayout {
inline constexpr TwipsRect Client{0, 0, 5760, 4230};
inline constexpr TwipsRect Drives{120, 120, 2775, 315};
inline constexpr TwipsRect Folders{120, 480, 2775, 2565};
inline constexpr TwipsRect Files{3000, 120, 2655, 3015};
inline constexpr TwipsRect DescriptionLabel{120, 3240, 1455, 255};
inline constexpr TwipsRect Description{1440, 3240, 4200, 315};
inline constexpr TwipsRect Add{2040, 3720, 855, 375};
inline constexpr TwipsRect Close{3120, 3720, 855, 375};
} // namespace AddItemLayout

namespace PropertiesLayout {
// The client area's designed place on the screen; the dialog is not placed by code.
inline constexpr TwipsRect Client{2760, 3750, 8475, 1440};
inline constexpr TwipsRect DescriptionLabel{120, 120, 1575, 255};
inline constexpr TwipsRect Description{1680, 120, 2895, 285};
inline constexpr TwipsRect TargetLabel{420, 480, 1575, 255};
inline constexpr TwipsRect Target{1680, 480, 6735, 285};
inline constexpr TwipsRect Update{5880, 960, 1215, 375};
inline constexpr TwipsRect Cancel{7200, 960, 1215, 375};
} // namespace PropertiesLayout

// Descriptions typed into the dialogs: at most this many characters.
inline constexpr int DescriptionTypingLimit = 30;

} // namespace quivanto
