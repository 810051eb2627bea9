#pragma once

#include <array>
#include <string>
#include <string_view>

// Where the system has no registry entries for a system information tool, one of the
// tools desktop users know stands in for it.
namespace quivanto {

// In order of preference: dedicated system information tools first, then the desktops'
// system monitors.
inline constexpr std::array<std::string_view, 5> SystemInformationTools{
    "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor", "xfce4-taskmanager"};

// The full path of the first tool of the list that `searchPath` (folders separated by
// `listSeparator`, as in PATH) holds as an executable file; empty when there is none.
// Only absolute folders are searched: an empty or relative entry would make the current
// folder's files candidates.
std::string findSystemInformationTool(std::string_view searchPath, char listSeparator = ':');

} // namespace quivanto
