#include "win32/win32_dialog_views.h"

#include "win32/form2_window.h"
#include "win32/form3_window.h"
#include "win32/form4_window.h"

namespace quivanto::win32 {

std::unique_ptr<AddItemView> Win32DialogViews::makeAddItemView(Form2& form) {
    return std::make_unique<Form2Window>(instance_, form);
}

std::unique_ptr<PropertiesView> Win32DialogViews::makePropertiesView(Form3& form) {
    return std::make_unique<Form3Window>(instance_, form);
}

std::unique_ptr<AboutView> Win32DialogViews::makeAboutView(Form4& form) {
    return std::make_unique<Form4Window>(instance_, form);
}

} // namespace quivanto::win32
