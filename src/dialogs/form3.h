#pragma once

#include <QWidget>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quivanto {

class DescriptionBox;
class Form1;

// The Properties dialog: shows the item selected when it opened and lets the user change
// its description. Modeless; an update always applies to that item, whatever row is
// selected meanwhile.
class Form3 final : public QWidget {
    Q_OBJECT
public:
    Form3(Form1& listWindow, QWidget* parent);

    void Form_Load();
    void Form_Unload();
    void btnUpdate_Click();
    void btnCancel_Click();
    bool IsDescriptionTaken();
    // Puts the new line in place of the old one in the list file; false when the file no
    // longer holds the old line. Throws ListFileError when the rewrite fails.
    bool ReplaceItemLine(const std::string& newLine, const std::string& oldLine);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // Puts the old row back after a failed rewrite and tells the user.
    void restoreRow(int newRow, const std::string& reason);

    Form1& list_;
    std::string LoadedDescription;
    std::string loadedLine_; // the item this dialog edits

    QLabel* Label1_ = nullptr;
    DescriptionBox* txtDescr_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QPushButton* btnUpdate_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace quivanto
