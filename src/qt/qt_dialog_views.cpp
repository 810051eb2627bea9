#include "qt/qt_dialog_views.h"

#include "qt/about_window.h"
#include "qt/add_item_window.h"
#include "qt/properties_window.h"

namespace quivanto {

std::unique_ptr<AddItemView> QtDialogViews::makeAddItemView(Form2& form) {
    return std::make_unique<AddItemWindow>(form, platform_.screenMetrics(), &listWindow_);
}

std::unique_ptr<PropertiesView> QtDialogViews::makePropertiesView(Form3& form) {
    return std::make_unique<PropertiesWindow>(form, platform_.screenMetrics(), &listWindow_);
}

std::unique_ptr<AboutView> QtDialogViews::makeAboutView(Form4& form) {
    return std::make_unique<AboutWindow>(form, platform_.screenMetrics(), &listWindow_);
}

} // namespace quivanto
