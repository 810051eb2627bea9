#pragma once

#include "list_window/dialog_views.h"
#include "platform/platform.h"

class QWidget;

namespace quivanto {

// Makes the dialogs' Qt windows, each a child window of the list window. The list window
// must outlive the flows that own these windows.
class QtDialogViews final : public DialogViews {
public:
    // Each window is laid out for the screen as it is when the window is made.
    QtDialogViews(QWidget& listWindow, Platform& platform)
        : listWindow_(listWindow)
        , platform_(platform) {}

    std::unique_ptr<AddItemView> makeAddItemView(Form2& form) override;
    std::unique_ptr<PropertiesView> makePropertiesView(Form3& form) override;
    std::unique_ptr<AboutView> makeAboutView(Form4& form) override;

private:
    QWidget& listWindow_;
    Platform& platform_;
};

} // namespace quivanto
