#pragma once

#include <QLabel>

namespace quivanto {

// A picture or text that takes the keyboard focus and shows it: a label draws no focus of
// its own, and keyboard users must see where they are.
class FocusLabel : public QLabel {
    Q_OBJECT
public:
    explicit FocusLabel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quivanto
