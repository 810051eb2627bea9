#pragma once

#include "list_window/dialog_views.h"
#include "platform/platform.h"

#include <windows.h>

#include <functional>
#include <utility>

namespace quivanto::win32 {

// The Windows front end's dialog windows, made afresh for each opening. They are owned by
// the list window, which keeps them above it and (but for Add Item) out of the taskbar; it
// is asked for when a dialog opens, since it is made only when first needed.
class DialogWindows final : public DialogViews {
public:
    DialogWindows(Platform& platform, std::function<HWND()> listWindow)
        : platform_(platform)
        , listWindow_(std::move(listWindow)) {}

    std::unique_ptr<AddItemView> makeAddItemView(Form2& form) override;
    std::unique_ptr<PropertiesView> makePropertiesView(Form3& form) override;
    std::unique_ptr<AboutView> makeAboutView(Form4& form) override;

private:
    Platform& platform_;
    std::function<HWND()> listWindow_;
};

} // namespace quivanto::win32
