#pragma once

#include <QAbstractButton>
#include <QPixmap>
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
    const QPixmap& picture();

    QString artwork_;
    QPixmap picture_; // drawn once per device pixel ratio, not on every paint
};

} // namespace quivanto
