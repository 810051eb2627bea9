// The yardstick for Quivanto's costs at rest: a tray icon and a frameless window with a
// list, nothing else. A left click on the icon shows the window at the pointer or hides it.
#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    // The list window's size with two items: 263 x 96 pixels.
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::Tool);
    window.setFixedSize(263, 96);
    QListWidget list(&window);
    list.setGeometry(8, 48, 247, 41);
    list.addItems({QStringLiteral("Explorer"), QStringLiteral("Notepad")});

    // A plain square: no image to decode.
    QPixmap picture(32, 32);
    picture.fill(Qt::darkGreen);
    QSystemTrayIcon tray{QIcon(picture)};
    QObject::connect(&tray, &QSystemTrayIcon::activated, &window,
                     [&window](QSystemTrayIcon::ActivationReason reason) {
                         if (reason != QSystemTrayIcon::Trigger)
                             return;
                         if (window.isVisible()) {
                             window.hide();
                             return;
                         }
                         const int screenHeight = window.screen()->geometry().height();
                         window.move(QCursor::pos().x() - window.width(),
                                     screenHeight - window.height() - 28);
                         window.show();
                     });
    tray.show();
    return QApplication::exec();
}
