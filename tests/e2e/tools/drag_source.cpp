// A tiny file-manager stand-in for end-to-end tests: a window that starts a drag of the
// files named on its command line (as file URLs) when the mouse is pressed in it.
// "--text" drags plain text instead, an object that is no file.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource final : public QWidget {
public:
    explicit DragSource(QStringList items)
        : items_(std::move(items)) {
        setWindowTitle(QStringLiteral("Quivanto test drag source"));
        setFixedSize(120, 80);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        if (items_.value(0) == QLatin1String("--text")) {
            data->setText(items_.value(1));
        } else {
            QList<QUrl> urls;
            for (const QString& item : items_)
                urls << QUrl::fromLocalFile(QFileInfo(item).absoluteFilePath());
            data->setUrls(urls);
        }
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction | Qt::LinkAction);
    }

private:
    QStringList items_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    DragSource source(QApplication::arguments().mid(1));
    source.move(100, 100);
    source.show();
    return QApplication::exec();
}
