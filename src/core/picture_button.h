#pragma once

#include <QAbstractButton>
#include <QString>

namespace quivanto {

// A small clickable picture with a tooltip, as on the list window's banner.
class PictureButton final : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(const QString& artwork, const QString& toolTip, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString artwork_;
};

} // namespace quivanto
