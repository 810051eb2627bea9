#pragma once

#include "core/dialog_views.h"

#include <windows.h>

namespace quivanto::win32 {

// Makes the Win32 windows of the Add Item, Properties and About dialogs, each afresh at
// every opening.
class Win32DialogViews final : public DialogViews {
public:
    explicit Win32DialogViews(HINSTANCE instance)
        : instance_(instance) {}

    std::unique_ptr<AddItemView> makeAddItemView(Form2& form) override;
    std::unique_ptr<PropertiesView> makePropertiesView(Form3& form) override;
    std::unique_ptr<AboutView> makeAboutView(Form4& form) override;

private:
    HINSTANCE instance_;
};

} // namespace quivanto::win32
