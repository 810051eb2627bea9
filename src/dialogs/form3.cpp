#include "dialogs/form3.h"

#include "core/item_line.h"
#include "core/list_file.h"
#include "dialogs/properties_rules.h"

namespace quivanto {

Form3::Form3(ListHost& listWindow, PropertiesViews& views)
    : list_(listWindow)
    , view_(views.makePropertiesView(*this)) {}

Form3::~Form3() = default;

void Form3::Form_Load() {
    const int selected = list_.selectedIndex();
    loadedLine_ = selected >= 0 && static_cast<std::size_t>(selected) < list_.rows().size()
                      ? list_.rows()[static_cast<std::size_t>(selected)]
                      : std::string{};
    const ShownItem item = shownItem(loadedLine_, list_.platform().textEncoding());
    view_->proposeDescription(item.description);
    view_->showTarget(item.target);
    // As the box shows it: bytes that are not UTF-8 come back changed, and must not make
    // an untouched description look edited.
    LoadedDescription = view_->description();
}

void Form3::btnUpdate_Click() {
    const std::string typed = view_->description();
    if (typed == LoadedDescription) {
        close();
        return;
    }
    const auto row = rowOfLine(list_.rows(), loadedLine_);
    if (!row) {
        list_.showMessage(itemGoneMessage(shownItem(loadedLine_, list_.platform().textEncoding())));
        close();
        return;
    }
    // The target's own bytes: the read-only box shows them, but cannot give back every one.
    const TextEncoding encoding = list_.platform().textEncoding();
    const std::string newLine =
        makeItemLine(typed, shownItem(loadedLine_, encoding).target, encoding);
    if (IsDescriptionTaken())
        return;

    list_.removeRow(static_cast<int>(*row));
    const int newRow = list_.addRow(newLine);
    list_.selectIndex(-1);
    try {
        if (ReplaceItemLine(newLine, loadedLine_)) {
            close();
            return;
        }
        restoreRow(newRow, {});
    } catch (const ListFileError& error) {
        restoreRow(newRow, error.what());
    }
}

void Form3::restoreRow(int newRow, const std::string& reason) {
    list_.removeRow(newRow);
    list_.selectIndex(list_.addRow(loadedLine_));
    list_.showMessage(reason.empty() ? itemNotInListFileMessage(
                                           list_.listFile().path(),
                                           shownItem(loadedLine_, list_.platform().textEncoding()))
                                     : descriptionNotSavedMessage(reason));
}

bool Form3::IsDescriptionTaken() {
    const TextEncoding encoding = list_.platform().textEncoding();
    const auto taken = rowWithDescription(list_.rows(), view_->description(), encoding);
    if (!taken)
        return false;
    list_.showMessage(descriptionTakenMessage(list_.rows()[*taken], encoding));
    return true;
}

bool Form3::ReplaceItemLine(const std::string& newLine, const std::string& oldLine) {
    return list_.listFile().replaceItemLine(newLine, oldLine);
}

void Form3::btnCancel_Click() {
    close();
}

void Form3::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    list_.focusList();
    view_->closeWindow();
    list_.dialogClosed(*this);
}

} // namespace quivanto
