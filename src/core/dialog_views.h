#pragma once

#include "about/about_view.h"
#include "dialogs/add_item_view.h"
#include "dialogs/properties_view.h"

#include <memory>

namespace quivanto {

class Form2;
class Form3;
class Form4;

// A dialog opened from the list window, as the list window's registry holds it.
class ListDialog {
public:
    virtual ~ListDialog() = default;
    // Runs the dialog's own closing behaviour and takes it off the screen.
    virtual void close() = 0;
    virtual bool isMinimized() const = 0;
};

// The front end's windows for the dialogs, made afresh at every opening. A view keeps the
// flow it is given to forward the user's actions, and must not call it while being made.
class DialogViews {
public:
    virtual ~DialogViews() = default;

    virtual std::unique_ptr<AddItemView> makeAddItemView(Form2& form) = 0;
    virtual std::unique_ptr<PropertiesView> makePropertiesView(Form3& form) = 0;
    virtual std::unique_ptr<AboutView> makeAboutView(Form4& form) = 0;
};

} // namespace quivanto
