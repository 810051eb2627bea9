#pragma once

#include "core/list_window_geometry.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

namespace quivanto {

class ClickLabel;
class Form1;
class Platform;

// The About box: what the program is and which version runs, with the system information
// tool, the licence agreement and the home page one click away. Modeless; it deletes
// itself when closed and is built afresh at every opening.
class Form4 final : public QWidget {
    Q_OBJECT
public:
    explicit Form4(Form1& form1);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void cmdLic_Click();
    void lblWebsite_Click();
    void picIcon_Click();
    // However the box closes; it never refuses to.
    void Form_Unload();

    void StartSysInfo();
    bool GetKeyValue(std::uint32_t keyRoot, const std::string& keyName,
                     const std::string& subKeyRef, std::string& keyVal);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    QRect pixelRect(const TwipsRect& rect) const;
    int pixelsX(float twips) const;
    int pixelsY(float twips) const;
    QLabel* makeLabel(const char* name, const TwipsRect& rect);

    Form1& form1_;
    Platform& platform_;
    float twipsPerPixelX_;
    float twipsPerPixelY_;

    QPushButton* cmdLic_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    ClickLabel* picIcon_ = nullptr;
    ClickLabel* lblWebsite_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblDescription_ = nullptr;
    QLabel* lblCopy_ = nullptr;
    QLabel* lblRights_ = nullptr;
    QLabel* lblDisclaimer_ = nullptr;
};

} // namespace quivanto
