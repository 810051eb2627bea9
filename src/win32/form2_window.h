#pragma once

#include "dialogs/add_item_view.h"
#include "platform/platform.h"
#include "win32/dialog_window.h"

#include <windows.h>

#include <vector>

namespace quivanto {

class Form2;

namespace win32 {

// The Add Item dialog's window: a fixed frame with a close box, shown in the taskbar, its
// own drive, folder and file lists filled by Form2 (never the system's folder-listing
// helpers, which change the process's working folder). It forwards the user's actions to
// Form2 and decides nothing. Texts are in the ANSI code page.
class Form2Window final : public AddItemView, public DialogWindow {
public:
    // `owner` keeps the dialog above the list window; the dialog still has its taskbar button.
    Form2Window(Form2& form, const ScreenMetrics& screen, HWND owner);
    ~Form2Window() override;

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

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void unload() override;
    void makeFonts() override;
    void scaleChanged() override;
    void buildControls();
    void onCommand(HWND window, int id, HWND control, UINT code);
    void onMeasureItem(HWND window, MEASUREITEMSTRUCT* measure);
    void onDrawItem(HWND window, const DRAWITEMSTRUCT* draw);
    void onShowWindow(HWND window, BOOL shown, UINT status);

    Form2& form_;
    FontHandle formFont_;
    FontHandle listFont_;
    FontHandle labelFont_;
    FontHandle descriptionFont_;
    HWND drvList_ = nullptr;
    HWND dirList_ = nullptr;
    HWND filList_ = nullptr;
    HWND txtItemName_ = nullptr;
    std::vector<FolderEntry> folders_;
};

} // namespace win32
} // namespace quivanto
