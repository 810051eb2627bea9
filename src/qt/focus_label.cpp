#include "qt/focus_label.h"

#include <QPainter>

namespace quivanto {

FocusLabel::FocusLabel(QWidget* parent)
    : QLabel(parent) {}

void FocusLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Dotted in the text's colour, as the picture buttons do: it reads on any background
    // the label's own text reads on.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace quivanto
