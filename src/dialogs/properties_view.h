#pragma once

#include "core/dialog_window_view.h"

#include <memory>
#include <string>

namespace quivanto {

// The Properties dialog's window. Texts are UTF-8 bytes.
class PropertiesView : public DialogWindowView {
public:
    // `txtDescr`: a proposal may be longer than the typing limit and is kept whole; the
    // description reads back what the box holds, as the box shows it.
    virtual void proposeDescription(const std::string& text) = 0;
    virtual std::string description() const = 0;
    // `txtName`: read only.
    virtual void showTarget(const std::string& target) = 0;
};

class Form3;

// Makes the window afresh at every opening. The view keeps the flow it is given to forward
// the user's actions, and must not call it while being made.
class PropertiesViews {
public:
    virtual ~PropertiesViews() = default;
    virtual std::unique_ptr<PropertiesView> makePropertiesView(Form3& form) = 0;
};

} // namespace quivanto
