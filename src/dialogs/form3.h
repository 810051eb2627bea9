#pragma once

#include "core/list_host.h"
#include "dialogs/properties_view.h"

#include <memory>
#include <string>

namespace quivanto {

// The Properties dialog: shows the item selected when it opened and lets the user change
// its description. Modeless; an update always applies to that item, whatever row is
// selected meanwhile.
class Form3 final : public ListDialog {
public:
    // The view is made here, from `views`.
    Form3(ListHost& listWindow, PropertiesViews& views);
    ~Form3() override;

    void Form_Load();
    // However the window closes; runs once.
    void Form_Unload();
    void btnUpdate_Click();
    void btnCancel_Click();
    bool IsDescriptionTaken();
    // Puts the new line in place of the old one in the list file; false when the file no
    // longer holds the old line. Throws ListFileError when the rewrite fails.
    bool ReplaceItemLine(const std::string& newLine, const std::string& oldLine);

    void close() override { Form_Unload(); }
    bool isMinimized() const override { return view_->isMinimized(); }

    PropertiesView& view() { return *view_; }
    const std::string& loadedLine() const { return loadedLine_; }

private:
    // Puts the old row back after a failed rewrite and tells the user.
    void restoreRow(int newRow, const std::string& reason);

    ListHost& list_;
    std::string LoadedDescription;
    std::string loadedLine_; // the item this dialog edits
    bool unloaded_ = false;
    // Last, so it goes first: a window being destroyed may still report an event.
    std::unique_ptr<PropertiesView> view_;
};

} // namespace quivanto
