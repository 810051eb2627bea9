#pragma once

#include "qt/focus_label.h"

#include <QString>

namespace quivanto {

// A label showing one of the program's SVG pictures, drawn when the label is first shown:
// a window that waits hidden in the tray pays nothing for its pictures, nor for the fonts
// their text needs. It shows the keyboard focus like any focusable label.
class ArtworkLabel final : public FocusLabel {
    Q_OBJECT
public:
    ArtworkLabel(const QString& artwork, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString artwork_;
};

} // namespace quivanto
