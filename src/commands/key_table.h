#pragma once

// The list window's keys, by virtual-key code. The shift state does not matter.
namespace quivanto {

namespace VirtualKey {
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;
} // namespace VirtualKey

enum class ListKeyAction { None, Launch, Hide, Remove, Add, Help };

ListKeyAction listKeyAction(int virtualKeyCode);

} // namespace quivanto
