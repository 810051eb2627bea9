#pragma once

#include "about/about_view.h"
#include "core/list_window_geometry.h"
#include "platform/platform.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace quivanto {

class ClickLabel;
class Form4;

// The About box's widgets, drawn as designed; Form4 decides what happens on a click.
class AboutWindow final : public QWidget, public AboutView {
    Q_OBJECT
public:
    AboutWindow(Form4& form, const ScreenMetrics& metrics, QWidget* parent);
    ~AboutWindow() override;

    void showWindow() override { show(); }
    void closeWindow() override { hide(); }
    void activate() override { activateWindow(); }
    bool isMinimized() const override { return QWidget::isMinimized(); }

    void setCaption(const std::string& caption) override;
    void setVersionText(const std::string& text) override;
    void setTitleText(const std::string& text) override;

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

    Form4& form_;
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
