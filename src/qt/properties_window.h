#pragma once

#include "dialogs/properties_view.h"
#include "platform/platform.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quivanto {

class DescriptionBox;
class Form3;

// The Properties dialog's widgets; Form3 decides what they show.
class PropertiesWindow final : public QWidget, public PropertiesView {
    Q_OBJECT
public:
    PropertiesWindow(Form3& form, const ScreenMetrics& metrics, QWidget* parent);
    ~PropertiesWindow() override;

    void showWindow() override { show(); }
    void closeWindow() override { hide(); }
    void activate() override { activateWindow(); }
    bool isMinimized() const override { return QWidget::isMinimized(); }

    void proposeDescription(const std::string& text) override;
    std::string description() const override;
    void showTarget(const std::string& target) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls(const ScreenMetrics& metrics);

    Form3& form_;
    QLabel* Label1_ = nullptr;
    DescriptionBox* txtDescr_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QPushButton* btnUpdate_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace quivanto
