#pragma once

#include "core/list_host.h"
#include "dialogs/add_item_view.h"

#include <memory>
#include <string>
#include <vector>

namespace quivanto {

class Platform;

// The Add Item dialog: browse to a folder and perhaps a file, describe it, add it to the
// list. Modeless; it stays open after an item is added.
class Form2 final : public ListDialog {
public:
    // Opens at `startFolder`, or at the home folder when that cannot be read. The view is
    // made here, from `views`.
    Form2(ListHost& listWindow, AddItemViews& views, const std::string& startFolder);
    ~Form2() override;

    // The process's working folder, where the dialog starts.
    static std::string workingFolder(Platform& platform);

    // Places the dialog; the front end calls it again through frameMayHaveChanged.
    void Form_Load();
    // However the window closes; runs once.
    void Form_Unload();
    void drvList_Change();
    void dirList_Change();
    void dirList_Click();
    void dirList_LostFocus();
    void filList_Click();
    void cmdAdd_Click();
    void cmdDone_Click();

    // The window was shown, moved or resized: the frame's size may be known only now.
    void frameMayHaveChanged();

    void close() override { Form_Unload(); }
    bool isMinimized() const override { return view_->isMinimized(); }

    AddItemView& view() { return *view_; }
    // The open folder and the folder the highlight is on, as paths.
    const std::string& folderPath() const { return folderPath_; }
    std::string highlightedPath() const;
    std::string selectedFileName() const;
    std::string chosenDrive() const;

private:
    // Opens a folder: false, with the highlight back on the open folder, when it cannot be
    // read. `dirList_Change` runs when the open folder changed.
    bool openFolder(const std::string& folder);
    void showDriveOfFolder();
    std::string folderEntryPath(int row) const;

    ListHost& list_;
    char separator_;
    std::vector<std::string> roots_;
    std::string folderPath_;
    std::vector<std::string> childNames_;
    int openRow_ = -1;
    std::vector<std::string> files_;
    FrameMargins placedWithFrame_;
    bool placed_ = false;
    bool unloaded_ = false;
    // Last, so it goes first: a window being destroyed may still report an event.
    std::unique_ptr<AddItemView> view_;
};

} // namespace quivanto
