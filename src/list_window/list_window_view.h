#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

namespace quivanto {

// A place on the screen in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// What the list window's flows ask of the window that shows it. A front end implements
// it and forwards the user's actions by calling Form1 and the command functions; the
// view itself decides nothing. None of these calls the flows back.
class ListWindowView {
public:
    virtual ~ListWindowView() = default;

    // The rows of `lstApps`, each one list file line as bytes, in the order given.
    virtual void setRows(const std::vector<std::string>& rows) = 0;
    // The selection stays on the row it was on.
    virtual void insertRow(int index, const std::string& row) = 0;
    virtual void removeRow(int index) = 0;
    // -1 when no row is selected; selecting -1 clears the selection.
    virtual int selectedIndex() const = 0;
    virtual void selectIndex(int index) = 0;

    // The window's outer place and the list's place inside it, both in pixels.
    virtual void place(const PixelRect& window, const PixelRect& list) = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Brings the window to the front with the keyboard focus, when it is shown.
    virtual void activate() = 0;
    virtual void focusList() = 0;
    virtual WindowHandle nativeHandle() const = 0;
};

} // namespace quivanto
