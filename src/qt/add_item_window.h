#pragma once

#include "dialogs/add_item_view.h"
#include "platform/platform.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace quivanto {

class DescriptionBox;
class DriveList;
class FileList;
class FolderList;
class Form2;

// The Add Item dialog's widgets; Form2 decides what they show.
class AddItemWindow final : public QWidget, public AddItemView {
    Q_OBJECT
public:
    AddItemWindow(Form2& form, const ScreenMetrics& metrics, QWidget* parent);
    ~AddItemWindow() override;

    void showWindow() override { show(); }
    void closeWindow() override { hide(); }
    void activate() override { activateWindow(); }
    bool isMinimized() const override { return QWidget::isMinimized(); }

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
    void moveFrameTo(int left, int top) override { move(left, top); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls(const ScreenMetrics& metrics);

    Form2& form_;
    DriveList* drvList_ = nullptr;
    FolderList* dirList_ = nullptr;
    FileList* filList_ = nullptr;
    QLabel* lblItemName_ = nullptr;
    DescriptionBox* txtItemName_ = nullptr;
    QPushButton* cmdAdd_ = nullptr;
    QPushButton* cmdDone_ = nullptr;
};

} // namespace quivanto
