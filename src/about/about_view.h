#pragma once

#include "core/dialog_window_view.h"

#include <memory>
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

class Form4;

// Makes the window afresh at every opening. The view keeps the flow it is given to forward
// the user's actions, and must not call it while being made.
class AboutViews {
public:
    virtual ~AboutViews() = default;
    virtual std::unique_ptr<AboutView> makeAboutView(Form4& form) = 0;
};

} // namespace quivanto
