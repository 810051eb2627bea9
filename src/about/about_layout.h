#pragma once

#include "core/list_window_geometry.h"

// The About box's design, in twips.
namespace quivanto::AboutLayout {

inline constexpr float ClientLeft = 2340;
inline constexpr float ClientTop = 1890;
inline constexpr float ClientWidth = 5790;
inline constexpr float ClientHeight = 3975;

inline constexpr TwipsRect License{4440, 1680, 1215, 375};
inline constexpr TwipsRect SysInfo{4440, 2160, 1215, 375};
inline constexpr TwipsRect Ok{4440, 240, 1215, 375};
inline constexpr TwipsRect Icon{240, 240, 540, 540};
inline constexpr TwipsRect Website{240, 1680, 3975, 495};
inline constexpr TwipsRect Version{1920, 240, 1005, 225};
inline constexpr TwipsRect Title{1080, 240, 765, 240};
inline constexpr TwipsRect Description{240, 960, 4005, 690};
// The rights and copyright lines fill the free space under the web site sentence, the
// warning the space under the separator.
inline constexpr TwipsRect Copyright{240, 2280, 3975, 225};
inline constexpr TwipsRect Rights{240, 2520, 3975, 450};
inline constexpr TwipsRect Warning{240, 3120, 5415, 690};

// The etched separator: a white line of width 2 behind a grey one of width 1.
inline constexpr float SeparatorY = 3000;
inline constexpr float SeparatorLeft = 120;
inline constexpr float SeparatorGreyRight = 5684;
inline constexpr float SeparatorWhiteRight = 5669;

// The picture box sizes itself to the 32 x 32 icon and its 2-pixel sunken border.
inline constexpr int IconPixels = 32;
inline constexpr int IconBorderPixels = 2;

} // namespace quivanto::AboutLayout
