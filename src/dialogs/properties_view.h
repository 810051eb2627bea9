#pragma once

#include "core/dialog_window_view.h"

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

} // namespace quivanto
