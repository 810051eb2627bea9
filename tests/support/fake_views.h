#pragma once

#include "about/about_view.h"
#include "core/event_loop.h"
#include "dialogs/add_item_view.h"
#include "dialogs/properties_view.h"
#include "list_window/dialog_views.h"
#include "list_window/list_window_view.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Views that keep what the flows show them in plain members, so flows run without any
// window. A test plays the user by changing a member and calling the flow's handler.
namespace quivanto::testing {

// What every fake dialog window records.
struct FakeDialogWindow {
    bool shown = false;
    bool closed = false;
    bool minimized = false;
    int activations = 0;
};

class FakeListWindow final : public ListWindowView {
public:
    std::vector<std::string> rows;
    int selected = -1;
    PixelRect window;
    PixelRect list;
    bool visible = false;
    int activations = 0;
    int listFocusRequests = 0;
    WindowHandle handle = 0x4711;

    void setRows(const std::vector<std::string>& newRows) override;
    void insertRow(int index, const std::string& row) override;
    void removeRow(int index) override;
    int selectedIndex() const override { return selected; }
    void selectIndex(int index) override;
    void place(const PixelRect& newWindow, const PixelRect& newList) override;
    void showWindow() override { visible = true; }
    void hideWindow() override { visible = false; }
    void activate() override { ++activations; }
    void focusList() override { ++listFocusRequests; }
    WindowHandle nativeHandle() const override { return handle; }
};

class FakeEventLoop final : public EventLoop {
public:
    bool ended = false;
    std::vector<std::function<void()>> pending; // tasks given to runLater

    void runLater(std::function<void()> task) override { pending.push_back(std::move(task)); }
    void programEnds() override { ended = true; }

    // Runs the tasks given to runLater, as the event loop would once an event is over.
    void runPending();
};

class FakeAddItemWindow final : public AddItemView, public FakeDialogWindow {
public:
    std::vector<std::string> drives;
    int drive = -1;
    std::vector<FolderEntry> folders;
    int highlighted = -1;
    std::vector<std::string> files;
    int selectedFileRow = -1;
    std::string text;
    FrameMargins frame;
    int frameLeft = 0;
    int frameTop = 0;
    int moves = 0;

    void showWindow() override { shown = true; }
    void closeWindow() override { closed = true; }
    void activate() override { ++activations; }
    bool isMinimized() const override { return minimized; }
    void setDrives(const std::vector<std::string>& roots) override;
    void chooseDrive(int index) override { drive = index; }
    int chosenDrive() const override { return drive; }
    void setFolders(const std::vector<FolderEntry>& entries) override;
    void highlightFolder(int row) override { highlighted = row; }
    int highlightedFolder() const override { return highlighted; }
    void setFiles(const std::vector<std::string>& names) override;
    int selectedFile() const override { return selectedFileRow; }
    void proposeDescription(const std::string& proposal) override { text = proposal; }
    std::string description() const override { return text; }
    FrameMargins frameMargins() const override { return frame; }
    void moveFrameTo(int left, int top) override;

    // The row of a folder entry by its name; -1 when it is not listed.
    int folderRow(const std::string& name) const;
    int fileRow(const std::string& name) const;
};

class FakePropertiesWindow final : public PropertiesView, public FakeDialogWindow {
public:
    std::string text;
    std::string target;
    // What the box gives back for the text it was given, as a box that cannot hold every
    // byte would; unset, it gives the text back unchanged.
    std::function<std::string(const std::string&)> shownAs;

    void showWindow() override { shown = true; }
    void closeWindow() override { closed = true; }
    void activate() override { ++activations; }
    bool isMinimized() const override { return minimized; }
    void proposeDescription(const std::string& proposal) override;
    std::string description() const override { return text; }
    void showTarget(const std::string& shownTarget) override { target = shownTarget; }
};

class FakeAboutWindow final : public AboutView, public FakeDialogWindow {
public:
    std::string caption;
    std::string version;
    std::string title;

    void showWindow() override { shown = true; }
    void closeWindow() override { closed = true; }
    void activate() override { ++activations; }
    bool isMinimized() const override { return minimized; }
    void setCaption(const std::string& text) override { caption = text; }
    void setVersionText(const std::string& text) override { version = text; }
    void setTitleText(const std::string& text) override { title = text; }
};

// Makes the fake windows and keeps a pointer to the latest of each kind; a pointer is
// valid while its dialog lives.
class FakeDialogViews final : public DialogViews {
public:
    FakeAddItemWindow* addItem = nullptr;
    FakePropertiesWindow* properties = nullptr;
    FakeAboutWindow* about = nullptr;
    int made = 0;
    FrameMargins addItemFrame; // the frame the next Add Item window reports
    std::function<std::string(const std::string&)> propertiesShownAs; // see FakePropertiesWindow

    std::unique_ptr<AddItemView> makeAddItemView(Form2& form) override;
    std::unique_ptr<PropertiesView> makePropertiesView(Form3& form) override;
    std::unique_ptr<AboutView> makeAboutView(Form4& form) override;
};

} // namespace quivanto::testing
