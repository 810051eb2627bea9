#pragma once

#include <QMargins>
#include <QWidget>

#include <string>

class QLabel;
class QPushButton;

namespace quivanto {

class DescriptionBox;
class DriveList;
class FileList;
class FolderList;
class Form1;

// The Add Item dialog: browse to a folder and perhaps a file, describe it, add it to the
// list. Modeless; it stays open after an item is added.
class Form2 final : public QWidget {
    Q_OBJECT
public:
    // Opens at `startFolder`, or at the home folder when that cannot be read.
    Form2(Form1& listWindow, const std::string& startFolder, QWidget* parent);

    // The process's working folder, where the dialog starts.
    static std::string workingFolder();

    void Form_Load();
    void Form_Unload();
    void drvList_Change();
    void dirList_Change();
    void dirList_Click();
    void dirList_LostFocus();
    void filList_Click();
    void cmdAdd_Click();
    void cmdDone_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void openStartFolder(const std::string& startFolder);
    void showDriveOfFolder();
    QMargins frameMargins() const;

    Form1& list_;
    char separator_;
    QMargins placedWithFrame_;

    DriveList* drvList_ = nullptr;
    FolderList* dirList_ = nullptr;
    FileList* filList_ = nullptr;
    QLabel* lblItemName_ = nullptr;
    DescriptionBox* txtItemName_ = nullptr;
    QPushButton* cmdAdd_ = nullptr;
    QPushButton* cmdDone_ = nullptr;
};

} // namespace quivanto
