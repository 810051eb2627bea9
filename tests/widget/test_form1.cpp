#include "core/form1.h"
#include "core/item_list_box.h"
#include "core/list_file.h"
#include "support/fake_platform.h"

#include <QDialog>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;

class TestForm1 final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void startUpLeavesOnlyTheTrayIcon();
    void secondInstanceShowsItsMessageAndStops();
    void noTrayIsToldAndStops();
    void unreadableListIsToldAndStops();
    void trayCodesToggleTheWindow_data();
    void trayCodesToggleTheWindow();
    void shownWindowSitsAtThePointer_data();
    void shownWindowSitsAtThePointer();
    void rightClickAsksAndYesEnds_data();
    void rightClickAsksAndYesEnds();
    void rightClickClosesOpenDialogsFirst();
    void growAndShrinkResizeTheWidgets();
    void rowsAreSortedWithoutRegardToCase();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<Form1> form_;

    void writeList(const std::string& bytes);
    Form1& start();
};

void TestForm1::init() {
    form_.reset();
    dir_ = std::make_unique<QTemporaryDir>();
    platform_ = std::make_unique<FakePlatform>();
    QVERIFY(dir_->isValid());
}

void TestForm1::writeList(const std::string& bytes) {
    std::ofstream out(dir_->filePath("list.dat").toStdString(), std::ios::binary);
    out << bytes;
}

Form1& TestForm1::start() {
    form_ = std::make_unique<Form1>(*platform_, dir_->path().toStdString());
    return *form_;
}

void TestForm1::startUpLeavesOnlyTheTrayIcon() {
    Form1& form = start();
    QCOMPARE(form.Form_Load(), StartOutcome::Resident);
    QCOMPARE(platform_->trayRequests, std::vector<int>{0});
    QVERIFY(form.isMinimized());
    QVERIFY(!form.isVisible());
    QVERIFY(platform_->messages.empty());
    QCOMPARE(form.lstApps()->count(), 2);
    QCOMPARE(form.lstApps()->line(0), std::string("Explorer                      |explorer.exe"));
    QCOMPARE(form.lstApps()->selectedIndex(), 0);
    QVERIFY(QFile::exists(dir_->filePath("list.dat")));
    // Two rows on 1024x768: 1440 twips high, 96 pixels; the list box 615 twips, 41 pixels.
    QCOMPARE(form.listGeometry().height, 1440.f);
    QCOMPARE(form.height(), 96);
    QCOMPARE(form.lstApps()->height(), 41);
    QCOMPARE(form.width(), 263);
}

void TestForm1::secondInstanceShowsItsMessageAndStops() {
    platform_->anotherInstance = true;
    Form1& form = start();
    QCOMPARE(form.Form_Load(), StartOutcome::AlreadyRunning);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(platform_->messages[0].text, std::string("Quivanto is already running."));
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Multiple Instances Error"));
    QCOMPARE(platform_->messages[0].style, 48);
    QVERIFY(platform_->trayRequests.empty());
    QVERIFY(!QFile::exists(dir_->filePath("list.dat")));
}

void TestForm1::noTrayIsToldAndStops() {
    platform_->trayAppears = false;
    Form1& form = start();
    QCOMPARE(form.Form_Load(), StartOutcome::NoTray);
    QCOMPARE(platform_->messages.size(), 1u);
    QVERIFY(QString::fromStdString(platform_->messages[0].text).contains("system tray"));
    QVERIFY(platform_->trayRequests.empty());
}

void TestForm1::unreadableListIsToldAndStops() {
    QVERIFY(QDir(dir_->path()).mkdir("list.dat"));
    Form1& form = start();
    QCOMPARE(form.Form_Load(), StartOutcome::ListFileFailed);
    QCOMPARE(platform_->messages.size(), 1u);
    QVERIFY(QString::fromStdString(platform_->messages[0].text).contains("list.dat"));
    QCOMPARE(platform_->trayRequests, (std::vector<int>{0, 2}));
}

void TestForm1::trayCodesToggleTheWindow_data() {
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<bool>("shown");
    QTest::newRow("left up shows") << QList<int>{514} << true;
    QTest::newRow("second click hides") << QList<int>{514, 514} << false;
    QTest::newRow("double click toggles three times") << QList<int>{514, 515, 514} << true;
    QTest::newRow("moves and downs do nothing") << QList<int>{512, 513, 516, 519} << false;
}

void TestForm1::trayCodesToggleTheWindow() {
    QFETCH(QList<int>, codes);
    QFETCH(bool, shown);
    Form1& form = start();
    QCOMPARE(form.Form_Load(), StartOutcome::Resident);
    for (const int code : codes)
        platform_->trayEvent(code);
    QCOMPARE(form.isVisible(), shown);
    QCOMPARE(form.isMinimized(), !shown);
}

void TestForm1::shownWindowSitsAtThePointer_data() {
    QTest::addColumn<std::optional<int>>("clickX");
    QTest::addColumn<int>("rightEdge");
    QTest::newRow("at the pointer") << std::optional<int>() << 1000;
    // A StatusNotifier host says where its icon was clicked; the X pointer may be stale.
    QTest::newRow("at the x the tray host gives") << std::optional<int>(700) << 700;
}

void TestForm1::shownWindowSitsAtThePointer() {
    QFETCH(std::optional<int>, clickX);
    QFETCH(int, rightEdge);
    platform_->cursor = {1000, 700};
    Form1& form = start();
    form.Form_Load();
    platform_->trayEvent(514, clickX);
    // Right edge at the pointer or the host's x (15000 or 10500 twips), top 9655 twips.
    QCOMPARE(form.listGeometry().left, static_cast<float>(rightEdge) * 15.f - 3945.f);
    QCOMPARE(form.listGeometry().top, 9655.f);
    QCOMPARE(form.geometry().right() + 1, rightEdge);
    QCOMPARE(form.y(), 644);
    QCOMPARE(form.y() + form.height(), 740); // 425 twips (28 pixels) above the bottom
}

void TestForm1::rightClickAsksAndYesEnds_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("No while hidden") << false << false;
    QTest::newRow("No while shown hides") << false << true;
    QTest::newRow("Yes ends") << true << false;
}

void TestForm1::rightClickAsksAndYesEnds() {
    QFETCH(bool, yes);
    QFETCH(bool, shownBefore);
    Form1& form = start();
    form.Form_Load();
    if (shownBefore)
        platform_->trayEvent(514);
    QSignalSpy unloaded(&form, &Form1::unloaded);
    bool hiddenWhileAsked = false;
    platform_->whileMessageShown = [&](const FakePlatform::ShownMessage&) {
        hiddenWhileAsked = !form.isVisible();
    };
    platform_->answers.push_back(yes ? MessageAnswer::Yes : MessageAnswer::No);
    platform_->trayEvent(517);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(platform_->messages[0].text,
             std::string("Do you want to remove Quivanto from your system tray?"));
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Are you sure?"));
    QCOMPARE(platform_->messages[0].style, 4 + 32 + 256);
    QVERIFY(hiddenWhileAsked);
    QVERIFY(!form.isVisible());
    QCOMPARE(unloaded.count(), yes ? 1 : 0);
    QCOMPARE(platform_->trayRequests, yes ? (std::vector<int>{0, 2}) : (std::vector<int>{0}));
}

void TestForm1::rightClickClosesOpenDialogsFirst() {
    Form1& form = start();
    form.Form_Load();
    QPointer<QDialog> dialog = new QDialog(&form);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    form.registerDialog(DialogNumber::AddItem, dialog);
    dialog->show();
    bool dialogClosedWhileAsked = false;
    platform_->whileMessageShown = [&](const FakePlatform::ShownMessage&) {
        dialogClosedWhileAsked = dialog.isNull() || !dialog->isVisible();
    };
    platform_->trayEvent(517);
    QVERIFY(dialogClosedWhileAsked);
    QTRY_VERIFY(form.openDialog(DialogNumber::AddItem) == nullptr);
}

void TestForm1::growAndShrinkResizeTheWidgets() {
    Form1& form = start();
    form.Form_Load();
    const int before = form.height();
    form.GrowListWindow();
    QCOMPARE(form.height(), before + 13);
    QCOMPARE(form.lstApps()->height(), 41 + 13);
    for (int i = 0; i < 6; ++i)
        form.ShrinkListWindow();
    QCOMPARE(form.height(), 70);            // 1050 twips, never less
    QCOMPARE(form.lstApps()->height(), 15); // 225 twips
}

void TestForm1::rowsAreSortedWithoutRegardToCase() {
    writeList("zeta                          |/z\r\n"
              "Alpha                         |/a\r\n"
              "beta                          |/b\r\n");
    Form1& form = start();
    form.Form_Load();
    QCOMPARE(form.lstApps()->line(0).substr(0, 5), std::string("Alpha"));
    QCOMPARE(form.lstApps()->line(1).substr(0, 4), std::string("beta"));
    const int added = form.lstApps()->addLine("Gamma                         |/g");
    QCOMPARE(added, 2);
    QCOMPARE(form.lstApps()->selectedIndex(), 0);
    QCOMPARE(form.lstApps()->line(3).substr(0, 4), std::string("zeta"));
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
