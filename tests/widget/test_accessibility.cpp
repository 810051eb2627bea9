// Every control a user reaches, by keyboard or by pointer, tells assistive technologies
// what it is and what it does, and shows when it has the keyboard focus.

#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::QtListWindow;

namespace {

// The window's own controls: named by us (Qt's inner parts are named qt_...) and reachable
// with the keyboard or a click.
QList<QWidget*> controlsOf(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (widget->focusPolicy() != Qt::NoFocus ||
            widget->cursor().shape() == Qt::PointingHandCursor)
            controls << widget;
    }
    return controls;
}

QString accessibleText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible == nullptr ? QString() : accessible->text(kind).trimmed();
}

QImage drawnWithoutChildren(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

// The control alone, so that a focused child does not count as the control's own focus;
// a list draws its rows in its viewport, which belongs to it.
QList<QImage> drawnAlone(QWidget* control) {
    QList<QImage> images{drawnWithoutChildren(control)};
    if (auto* scrollArea = qobject_cast<QAbstractScrollArea*>(control))
        images << drawnWithoutChildren(scrollArea->viewport());
    return images;
}

} // namespace

class TestAccessibility final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyControlIsNamedAndDescribed_data();
    void everyControlIsNamedAndDescribed();
    void keyboardFocusIsVisible_data();
    void keyboardFocusIsVisible();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<QtListWindow> app_;
    QString previousFolder_;

    QWidget& openWindow(int dialogNumber);
};

void TestAccessibility::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    // The Add Item dialog browses the working folder: give its file list a row.
    std::ofstream(dir_->filePath(QStringLiteral("notes.txt")).toStdString()) << "x";
    previousFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
    platform_ = std::make_unique<FakePlatform>();
    app_ = std::make_unique<QtListWindow>(*platform_, dir_->path().toStdString());
    QCOMPARE(app_->form().Form_Load(), StartOutcome::Resident);
    app_->form().ShowListAtCursor();
}

void TestAccessibility::cleanup() {
    app_.reset();
    QCoreApplication::sendPostedEvents();
    QDir::setCurrent(previousFolder_);
}

QWidget& TestAccessibility::openWindow(int dialogNumber) {
    switch (dialogNumber) {
    case DialogNumber::AddItem:
        app_->form().ShowAddDialog();
        break;
    case DialogNumber::Properties:
        app_->form().ShowPropertiesDialog();
        break;
    case DialogNumber::About:
        app_->form().ShowAboutDialog();
        break;
    default:
        return app_->window();
    }
    QWidget* dialog = app_->dialog(dialogNumber);
    if (dialog == nullptr)
        qFatal("dialog %d did not open", dialogNumber);
    return *dialog;
}

void TestAccessibility::everyControlIsNamedAndDescribed_data() {
    QTest::addColumn<int>("dialogNumber");
    QTest::addColumn<int>("atLeast"); // so a window whose controls went unseen cannot pass
    QTest::newRow("list window") << DialogNumber::None << 8;
    QTest::newRow("Add Item") << DialogNumber::AddItem << 6;
    QTest::newRow("Properties") << DialogNumber::Properties << 4;
    QTest::newRow("About") << DialogNumber::About << 5;
}

void TestAccessibility::everyControlIsNamedAndDescribed() {
    QFETCH(int, dialogNumber);
    QFETCH(int, atLeast);
    const QList<QWidget*> controls = controlsOf(openWindow(dialogNumber));
    QVERIFY2(controls.size() >= atLeast, qPrintable(QString::number(controls.size())));
    QStringList unnamed;
    QStringList undescribed;
    for (QWidget* control : controls) {
        if (accessibleText(control, QAccessible::Name).isEmpty())
            unnamed << control->objectName();
        if (accessibleText(control, QAccessible::Description).isEmpty())
            undescribed << control->objectName();
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
    QVERIFY2(undescribed.isEmpty(), qPrintable(undescribed.join(QLatin1Char(' '))));
}

void TestAccessibility::keyboardFocusIsVisible_data() {
    everyControlIsNamedAndDescribed_data();
}

void TestAccessibility::keyboardFocusIsVisible() {
    QFETCH(int, dialogNumber);
    QWidget& window = openWindow(dialogNumber);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QList<QWidget*> focusable;
    for (QWidget* control : controlsOf(window)) {
        if (control->focusPolicy() != Qt::NoFocus)
            focusable << control;
    }
    QVERIFY(focusable.size() >= 2);
    // A keyboard user arrives with Tab; styles may show the focus only from then on.
    focusable.first()->setFocus();
    QTRY_VERIFY(focusable.first()->hasFocus());
    QTest::keyClick(focusable.first(), Qt::Key_Tab);
    QStringList unseen;
    for (qsizetype i = 0; i < focusable.size(); ++i) {
        // The same control drawn with the focus and with the focus on another one.
        QWidget* control = focusable[i];
        QWidget* other = focusable[(i + 1) % focusable.size()];
        other->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!control->hasFocus());
        const QList<QImage> without = drawnAlone(control);
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        const QList<QImage> with = drawnAlone(control);
        if (with == without)
            unseen << control->objectName();
    }
    QVERIFY2(unseen.isEmpty(), qPrintable(unseen.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
