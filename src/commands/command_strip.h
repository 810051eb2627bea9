#pragma once

#include <Qt>

// The list window's command strip and keys: the picture buttons, the About area, and the
// key table shared by the list, the window and the banner.
namespace quivanto {

class Form1;

// The virtual-key code of a Qt key; 0 for keys the table does not know.
int virtualKeyCode(int qtKey);

// Acts on one key of the table. The code is only read: the control that received the key
// goes on to handle it its usual way. The shift state makes no difference.
void DispatchListKey(Form1& form, const int& keyCode, Qt::KeyboardModifiers shift);

// Opens Help.html from the working folder, or says it is missing.
void ShowHelp(Form1& form);

} // namespace quivanto
