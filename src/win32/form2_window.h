#pragma once

#include "dialogs/add_item_view.h"
#include "platform/platform.h"
#include "win32/dialog_support.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace quivanto {

class Form2;

namespace win32 {

// The Add Item dialog's window: a fixed frame with a close box, shown in the taskbar, its
// own drive, folder and file lists filled by Form2 (never the system's folder-listing
// helpers, which change the process's working folder). It forwards the user's actions to
// Form2 and decides nothing. Texts are in the ANSI code page.
class Form2Window final : public AddItemView {
public:
    // `owner` keeps the dialog above the list window; the dialog still has its taskbar button.
    Form2Window(Form2& form, const ScreenMetrics& screen, HWND owner);
    ~Form2Window() override;
    Form2Window(const Form2Window&) = delete;
    Form2Window& operator=(const Form2Window&) = delete;

    void showWindow() override;
    void closeWindow() override;
    void activate() override;
    bool isMinimized() const override;

    void setDrives(const std::vector<std::string>& roots) override;
    void chooseDrive(int index) override;
    int chosenDrive() const override;
    void setFolders(const std::vector<FolderEntry>& entries) override;
    void highlightFolder(int row) override;
    int highlightedFolder() const override;
    void setFiles(const std::vector<std::string>& names) override;
    int selectedFile() const override;
    void proposeDescription(const std::string& text) override;
    std::string description() const override;
    FrameMargins frameMargins() const override;
    void moveFrameTo(int left, int top) override;

    HWND handle() const { return window_; }

    // The window procedure's state; public so the message handlers can reach it.
    struct State;

private:
    std::unique_ptr<State> state_;
    HWND window_ = nullptr;
};

} // namespace win32
} // namespace quivanto
