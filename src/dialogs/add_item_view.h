#pragma once

#include "core/dialog_window_view.h"

#include <memory>
#include <string>
#include <vector>

namespace quivanto {

// One entry of the folder list `dirList`.
struct FolderEntry {
    std::string name;  // the folder's own name as the system's bytes; a root shows whole
    int depth = 0;     // indentation level
    bool open = false; // the open folder or one of the folders above it
    bool operator==(const FolderEntry&) const = default;
};

// The frame a window manager puts around a window, in pixels.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const FrameMargins&) const = default;
};

// The Add Item dialog's window. Texts are UTF-8 bytes. Setting a field never calls the
// flow back: only the user's own actions are forwarded.
class AddItemView : public DialogWindowView {
public:
    // `drvList`: the roots, one chosen (-1: none).
    virtual void setDrives(const std::vector<std::string>& roots) = 0;
    virtual void chooseDrive(int index) = 0;
    virtual int chosenDrive() const = 0;

    // `dirList`: the entries, one highlighted (-1: none).
    virtual void setFolders(const std::vector<FolderEntry>& entries) = 0;
    virtual void highlightFolder(int row) = 0;
    virtual int highlightedFolder() const = 0;

    // `filList`: file names shown with none selected; the selected row, or -1.
    virtual void setFiles(const std::vector<std::string>& names) = 0;
    virtual int selectedFile() const = 0;

    // `txtItemName`: a proposal may be longer than the typing limit and is kept whole.
    virtual void proposeDescription(const std::string& text) = 0;
    virtual std::string description() const = 0;

    // Placement: the frame's margins as known now, and the outer frame's top-left corner.
    virtual FrameMargins frameMargins() const = 0;
    virtual void moveFrameTo(int left, int top) = 0;
};

class Form2;

// Makes the window afresh at every opening. The view keeps the flow it is given to forward
// the user's actions, and must not call it while being made.
class AddItemViews {
public:
    virtual ~AddItemViews() = default;
    virtual std::unique_ptr<AddItemView> makeAddItemView(Form2& form) = 0;
};

} // namespace quivanto
