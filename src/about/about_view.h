#pragma once

#include "core/dialog_window_view.h"

#include <string>

namespace quivanto {

// The About box's window. Texts are UTF-8 bytes; the fixed texts the box shows the view
// takes from about/about_box.h itself.
class AboutView : public DialogWindowView {
public:
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setVersionText(const std::string& text) = 0; // `lblVersion`
    virtual void setTitleText(const std::string& text) = 0;   // `lblTitle`
};

} // namespace quivanto
