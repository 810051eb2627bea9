#pragma once

// The list window's keys and Help: the key table shared by the list, the window and the
// banner.
namespace quivanto {

class ListHost;

// Acts on one key of the table (virtual-key codes, commands/key_table.h). The code is only
// read: the control that received the key goes on to handle it its usual way. The shift
// state makes no difference.
void DispatchListKey(ListHost& form, const int& keyCode, int shift);

// Opens Help.html from the working folder, or says it is missing.
void ShowHelp(ListHost& form);

} // namespace quivanto
