#include "qt/click_label.h"

#include <QMouseEvent>

namespace quivanto {

ClickLabel::ClickLabel(QWidget* parent)
    : FocusLabel(parent) {
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    event->accept(); // so the release comes here too
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace quivanto
