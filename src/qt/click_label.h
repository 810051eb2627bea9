#pragma once

#include "qt/focus_label.h"

namespace quivanto {

// A label that answers a click of the left button, released over it.
class ClickLabel final : public FocusLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace quivanto
