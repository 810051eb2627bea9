#include "qt/item_list_box.h"
#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::QtListWindow;

class TestForm4 final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void captionAndTexts();
    void windowAndPlaces();
    void etchedSeparator();
    void focusOrder();
    void keys_data();
    void keys();
    void closingGivesTheListTheFocus_data();
    void closingGivesTheListTheFocus();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<QtListWindow> app_;

    QWidget* openAbout();
    QWidget* about() const;
    template <typename T> T* control(const char* name) const;
    static void settle();
};

void TestForm4::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    platform_ = std::make_unique<FakePlatform>();
    app_ = std::make_unique<QtListWindow>(*platform_, dir_->path().toStdString());
    QCOMPARE(app_->form().Form_Load(), StartOutcome::Resident);
    app_->form().ShowListAtCursor();
    app_->window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app_->window()));
}

void TestForm4::cleanup() {
    app_.reset();
}

void TestForm4::settle() {
    QCoreApplication::sendPostedEvents(); // closed dialogs go once their event is over
}

QWidget* TestForm4::about() const {
    return app_->dialog(DialogNumber::About);
}

QWidget* TestForm4::openAbout() {
    app_->form().ShowAboutDialog();
    QWidget* box = about();
    if (box != nullptr && QTest::qWaitForWindowActive(box))
        return box;
    return nullptr;
}

template <typename T> T* TestForm4::control(const char* name) const {
    return about()->findChild<T*>(QLatin1String(name));
}

void TestForm4::captionAndTexts() {
    QVERIFY(openAbout());
    QCOMPARE(about()->windowTitle(), QStringLiteral("About Quivanto"));
    QCOMPARE(control<QLabel>("lblTitle")->text(), QStringLiteral("Quivanto"));
    QCOMPARE(control<QLabel>("lblVersion")->text(),
             QStringLiteral("Version " QUIVANTO_EXPECTED_VERSION));
    QCOMPARE(control<QLabel>("lblDescription")->text(),
             QStringLiteral("This application allows you to quickly access your favorite "
                            "programs, folders, documents and most other file types with a few "
                            "clicks from your system tray."));
    QVERIFY(control<QLabel>("lblDescription")->wordWrap());
    QVERIFY(control<QLabel>("lblWebsite")->text().contains(QUIVANTO_EXPECTED_HOMEPAGE));
    QVERIFY(control<QLabel>("lblCopy")->text().contains("2002"));
    QVERIFY(control<QLabel>("lblCopy")->text().contains("Quivanto developers"));
    QVERIFY(!control<QLabel>("lblRights")->text().isEmpty());
    QVERIFY(!control<QLabel>("lblDisclaimer")->text().isEmpty());
    QCOMPARE(control<QPushButton>("cmdOK")->text(), QStringLiteral("&OK"));
    QCOMPARE(control<QPushButton>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
    QCOMPARE(control<QPushButton>("cmdLic")->text(), QStringLiteral("&License"));

    const auto textColour = [this](const char* name) {
        return control<QLabel>(name)->palette().color(QPalette::WindowText);
    };
    QCOMPARE(textColour("lblWebsite"), QColor(0, 128, 0));
    QVERIFY(control<QLabel>("lblWebsite")->font().underline());
    QCOMPARE(textColour("lblTitle"), QColor(Qt::black));
    QCOMPARE(textColour("lblDescription"), QColor(Qt::black));
    QCOMPARE(about()->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));

    // One-line labels show their whole text, whatever font the system has.
    for (const char* name : {"lblTitle", "lblVersion", "lblCopy"}) {
        const QLabel* label = control<QLabel>(name);
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()), name);
    }
}

void TestForm4::windowAndPlaces() {
    QVERIFY(openAbout());
    QWidget* box = about();
    const Qt::WindowFlags flags = box->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // 5790 x 3975 twips at 2340, 1890, at 15 twips a pixel.
    QCOMPARE(box->geometry(), QRect(156, 126, 386, 265));
    QCOMPARE(box->minimumSize(), box->maximumSize());
    QCOMPARE(control<QPushButton>("cmdOK")->geometry(), QRect(296, 16, 81, 25));
    QCOMPARE(control<QPushButton>("cmdLic")->geometry(), QRect(296, 112, 81, 25));
    QCOMPARE(control<QPushButton>("cmdSysInfo")->geometry(), QRect(296, 144, 81, 25));
    QCOMPARE(control<QLabel>("picIcon")->geometry(), QRect(16, 16, 36, 36));
    QCOMPARE(control<QLabel>("picIcon")->contentsRect().size(), QSize(32, 32));
    QCOMPARE(control<QLabel>("lblDescription")->geometry(), QRect(16, 64, 267, 46));
    QCOMPARE(control<QLabel>("lblWebsite")->geometry(), QRect(16, 112, 265, 33));
}

void TestForm4::etchedSeparator() {
    QVERIFY(openAbout());
    const QImage image = about()->grab().toImage();
    const QColor grey(128, 128, 128);
    // Grey on row 200 from x 8 to 379, white beneath it from x 8 to 378.
    QCOMPARE(image.pixelColor(8, 200), grey);
    QCOMPARE(image.pixelColor(379, 200), grey);
    QCOMPARE(image.pixelColor(8, 201), QColor(Qt::white));
    QCOMPARE(image.pixelColor(378, 201), QColor(Qt::white));
    QVERIFY(image.pixelColor(379, 201) != QColor(Qt::white));
    QVERIFY(image.pixelColor(7, 200) != grey);
}

void TestForm4::focusOrder() {
    QVERIFY(openAbout());
    QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>("picIcon"));
    const QStringList expected{"cmdOK", "cmdSysInfo", "cmdLic", "picIcon", "cmdOK"};
    for (const QString& name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
}

void TestForm4::keys_data() {
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("message"); // the message the pressed button shows, if any

    const QString noMessage;
    const QString sysInfo = "System Information Is Unavailable At This Time";
    const QString license = "The License file could not be found. Please reinstall Quivanto.";
    for (const char* name : {"picIcon", "cmdOK", "cmdSysInfo", "cmdLic"})
        QTest::addRow("Escape on %s", name) << name << int(Qt::Key_Escape) << true << noMessage;
    QTest::newRow("Enter on the icon") << "picIcon" << int(Qt::Key_Return) << true << noMessage;
    QTest::newRow("Enter on OK") << "cmdOK" << int(Qt::Key_Return) << true << noMessage;
    QTest::newRow("keypad Enter on OK") << "cmdOK" << int(Qt::Key_Enter) << true << noMessage;
    QTest::newRow("Enter on System Info")
        << "cmdSysInfo" << int(Qt::Key_Return) << false << sysInfo;
    QTest::newRow("Enter on License") << "cmdLic" << int(Qt::Key_Return) << false << license;
    QTest::newRow("Space on License") << "cmdLic" << int(Qt::Key_Space) << false << license;
}

void TestForm4::keys() {
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(QString, message);

    QVERIFY(openAbout());
    QPointer<QWidget> box = about();
    QWidget* target = control<QWidget>(focused.toLatin1().constData());
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(box->windowHandle(), Qt::Key(key)); // as typed keys arrive
    settle();
    QCOMPARE(box.isNull(), closes);
    if (message.isEmpty()) {
        QVERIFY(platform_->messages.empty());
    } else {
        QCOMPARE(platform_->messages.size(), 1u);
        QCOMPARE(QString::fromStdString(platform_->messages[0].text), message);
    }
}

void TestForm4::closingGivesTheListTheFocus_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"OK", "Escape", "close box", "other dialogs", "list hidden"})
        QTest::newRow(how) << how;
}

void TestForm4::closingGivesTheListTheFocus() {
    QFETCH(QString, how);
    // The focus elsewhere in the list window first, so that only the closing can move it.
    QWidget* header = app_->window().findChild<QWidget*>("picHeader");
    header->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), header);
    QVERIFY(openAbout());
    QPointer<QWidget> box = about();
    if (how == "OK")
        QTest::mouseClick(control<QPushButton>("cmdOK"), Qt::LeftButton);
    else if (how == "Escape")
        QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
    else if (how == "close box")
        box->close();
    else if (how == "other dialogs")
        app_->form().CloseOtherDialogs(DialogNumber::None);
    else
        app_->form().HideListWindow();
    settle();
    QVERIFY(box.isNull());
    QCOMPARE(app_->window().focusWidget(), app_->window().lstApps());
    if (app_->window().isVisible())
        QTRY_COMPARE(QApplication::focusWidget(), app_->window().lstApps());
}

QTEST_MAIN(TestForm4)
#include "test_form4.moc"
