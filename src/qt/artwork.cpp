#include "qt/artwork.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <utility>

namespace quivanto {
namespace {

QPixmap render(QSvgRenderer& renderer, QSize logicalSize, qreal devicePixelRatio) {
    QPixmap pixmap(logicalSize * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

// An icon drawn from its SVG at the size asked for, when first asked for: start-up then
// pays for the few small sizes the tray and the window manager use, not for a whole set.
class ArtworkIconEngine final : public QIconEngine {
public:
    explicit ArtworkIconEngine(QString name)
        : name_(std::move(name)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const auto key = std::make_pair(size.width(), size.height());
        auto found = pixmaps_.find(key);
        if (found == pixmaps_.end()) {
            if (!renderer_)
                renderer_ =
                    std::make_shared<QSvgRenderer>(QStringLiteral(":/quivanto/%1.svg").arg(name_));
            found = pixmaps_.emplace(key, render(*renderer_, size, 1.0)).first;
        }
        return found->second;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    // The size handed to the window manager with every window, as the program's icon is
    // designed; a tray or a menu that wants another size gets it drawn for that size.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(32, 32)}; }

    QIconEngine* clone() const override { return new ArtworkIconEngine(*this); }
    QString key() const override { return QStringLiteral("quivanto-artwork"); }

private:
    QString name_;
    std::shared_ptr<QSvgRenderer> renderer_;
    std::map<std::pair<int, int>, QPixmap> pixmaps_;
};

} // namespace

QPixmap artworkPixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/quivanto/%1.svg").arg(name));
    return render(renderer, logicalSize, devicePixelRatio);
}

QIcon programIcon() {
    return QIcon(new ArtworkIconEngine(QStringLiteral("icon"))); // the icon owns its engine
}

} // namespace quivanto
