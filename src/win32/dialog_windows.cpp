#include "win32/dialog_windows.h"

#include "win32/form2_window.h"
#include "win32/form3_window.h"
#include "win32/form4_window.h"

namespace quivanto::win32 {

std::unique_ptr<AddItemView> DialogWindows::makeAddItemView(Form2& form) {
    return std::make_unique<Form2Window>(form, platform_.screenMetrics(), listWindow_());
}

std::unique_ptr<PropertiesView> DialogWindows::makePropertiesView(Form3& form) {
    return std::make_unique<Form3Window>(form, platform_.screenMetrics(), listWindow_());
}

std::unique_ptr<AboutView> DialogWindows::makeAboutView(Form4& form) {
    return std::make_unique<Form4Window>(form, platform_.screenMetrics(), listWindow_());
}

} // namespace quivanto::win32
