#pragma once

#include "platform/platform.h"

// The ANSI code page as the core counts characters in it.
namespace quivanto::win32 {

// What the system says about a code page: UTF-8, one byte a character, or a double-byte
// code page with its lead bytes. A code page the system does not know reads as one byte a
// character, which never splits a byte sequence.
TextEncoding encodingOfCodePage(unsigned codePage);

// The code page of the A functions, list.dat and the tray tip.
TextEncoding ansiEncoding();

} // namespace quivanto::win32
