#pragma once

class QWidget;

namespace quivanto::desktop {

// Makes a frameless window a pop-up that stands where the program puts it and is no
// taskbar task or pager entry, on every X11 desktop, XWayland included. Call once, before
// the window is first shown. Elsewhere (a native Wayland session, no display) it changes
// nothing.
void makeStandAlonePopup(QWidget& window);

} // namespace quivanto::desktop
