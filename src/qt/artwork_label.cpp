#include "qt/artwork_label.h"

#include "qt/artwork.h"

namespace quivanto {

ArtworkLabel::ArtworkLabel(const QString& artwork, QWidget* parent)
    : FocusLabel(parent)
    , artwork_(artwork) {}

void ArtworkLabel::showEvent(QShowEvent* event) {
    const QPixmap current = pixmap();
    if (current.isNull() || current.devicePixelRatio() != devicePixelRatioF() ||
        current.deviceIndependentSize().toSize() != size())
        setPixmap(artworkPixmap(artwork_, size(), devicePixelRatioF()));
    QLabel::showEvent(event);
}

} // namespace quivanto
