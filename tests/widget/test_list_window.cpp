#include "qt/item_list_box.h"
#include "qt/list_window.h"
#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::QtListWindow;

namespace {

const std::string Three = "abcdefghijklmnopqrstuvwxyz1234|/gone/tool\r\n"
                          "Beta                          |/opt/beta\r\n"
                          "Zeta                          |/opt/zeta\r\n";

} // namespace

// The list window's widgets: what Form1 tells them shows, and what the user does reaches
// the flows. The flows themselves are tested on fake views.
class TestListWindow final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void placedAndSizedAsTold();
    void rowsMirrorTheFlowsRows();
    void doubleClickLaunches();
    void dropReachesTheListOnceItIsOver();
    void droppedDataBecomesAFileList_data();
    void droppedDataBecomesAFileList();
    void keysMapToTheTable_data();
    void keysMapToTheTable();
    void endingTheProgramIsSignalled();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<QtListWindow> app_;

    ListWindow& start(bool shown);
};

void TestListWindow::init() {
    app_.reset();
    dir_ = std::make_unique<QTemporaryDir>();
    platform_ = std::make_unique<FakePlatform>();
    platform_->separator = '/';
    QVERIFY(dir_->isValid());
}

ListWindow& TestListWindow::start(bool shown) {
    std::ofstream(dir_->filePath("list.dat").toStdString(), std::ios::binary) << Three;
    app_ = std::make_unique<QtListWindow>(*platform_, dir_->path().toStdString());
    if (app_->form().Form_Load() != StartOutcome::Resident)
        qFatal("start-up failed");
    if (shown)
        platform_->trayEvent(TrayEvent::Kind::Click);
    return app_->window();
}

void TestListWindow::placedAndSizedAsTold() {
    ListWindow& window = start(true);
    QVERIFY(window.isVisible());
    QCOMPARE(window.geometry().width(), app_->form().windowRect().width);
    QCOMPARE(window.geometry().height(), app_->form().windowRect().height);
    QCOMPARE(window.pos(), QPoint(app_->form().windowRect().left, app_->form().windowRect().top));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    const int before = window.height();
    app_->form().GrowListWindow();
    QCOMPARE(window.height(), before + 13);
    QCOMPARE(window.lstApps()->height(), app_->form().listRect().height);
    app_->form().HideListWindow();
    QVERIFY(!window.isVisible());
}

void TestListWindow::rowsMirrorTheFlowsRows() {
    ListWindow& window = start(true);
    const auto rowsShown = [&window] {
        std::vector<std::string> rows;
        for (int row = 0; row < window.lstApps()->count(); ++row)
            rows.push_back(window.lstApps()->line(row));
        return rows;
    };
    QCOMPARE(rowsShown(), app_->form().rows());
    window.selectIndex(2);
    app_->form().addRow("Alpha                         |/a");
    QCOMPARE(rowsShown(), app_->form().rows());
    QCOMPARE(window.selectedIndex(), 3); // the selection stayed on Zeta
    app_->form().removeRow(0);
    QCOMPARE(rowsShown(), app_->form().rows());
    QCOMPARE(window.selectedIndex(), 2);
    window.selectIndex(-1);
    QCOMPARE(window.selectedIndex(), -1);
}

void TestListWindow::doubleClickLaunches() {
    ListWindow& window = start(true);
    ItemListBox* list = window.lstApps();
    const QPoint at = list->visualRect(list->model()->index(1, 0)).center();
    QWidget* viewport = list->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QCOMPARE(platform_->openRequests, std::vector<std::string>{"/opt/beta"});
    QVERIFY(!window.isVisible());
}

void TestListWindow::dropReachesTheListOnceItIsOver() {
    ListWindow& window = start(false);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/home/ann/Song.ogg")});
    QWidget* viewport = window.lstApps()->viewport();
    QVERIFY(viewport->acceptDrops()); // a real drag looks for this on the widget under it
    const QPoint at(10, 5);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(at), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                       Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &dropped);
    QVERIFY(dropped.isAccepted());
    QCOMPARE(window.lstApps()->count(), 3); // not yet: the drop is still going on
    QCoreApplication::processEvents();
    QCOMPARE(window.lstApps()->count(), 4);
    QCOMPARE(window.lstApps()->line(2),
             std::string("Song.ogg                      |/home/ann/Song.ogg"));
    QVERIFY(window.isVisible());
}

void TestListWindow::droppedDataBecomesAFileList_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("hasFileList");
    QTest::addColumn<int>("paths");
    QTest::newRow("one file") << QList<QUrl>{QUrl::fromLocalFile("/tmp/a")} << true << 1;
    QTest::newRow("two files") << QList<QUrl>{QUrl::fromLocalFile("/tmp/a"),
                                              QUrl::fromLocalFile("/tmp/b")}
                               << true << 2;
    QTest::newRow("text only") << QList<QUrl>{} << false << 0;
    QTest::newRow("an address is not a file")
        << QList<QUrl>{QUrl("https://example.org/page")} << false << 0;
    QTest::newRow("a file and an address")
        << QList<QUrl>{QUrl::fromLocalFile("/tmp/a"), QUrl("https://example.org/page")} << false
        << 0;
}

void TestListWindow::droppedDataBecomesAFileList() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, hasFileList);
    QFETCH(int, paths);
    QMimeData data;
    if (urls.isEmpty())
        data.setText(QStringLiteral("just some text"));
    else
        data.setUrls(urls);
    const DroppedFiles dropped = droppedFilesFrom(data);
    QCOMPARE(dropped.hasFileList, hasFileList);
    QCOMPARE(static_cast<int>(dropped.paths.size()), paths);
}

void TestListWindow::keysMapToTheTable_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("Return") << int(Qt::Key_Return) << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 13;
    QTest::newRow("Space") << int(Qt::Key_Space) << 32;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 27;
    QTest::newRow("Insert") << int(Qt::Key_Insert) << 45;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 46;
    QTest::newRow("F1") << int(Qt::Key_F1) << 112;
    QTest::newRow("A is not in the table") << int(Qt::Key_A) << 0;
}

void TestListWindow::keysMapToTheTable() {
    QFETCH(int, key);
    QFETCH(int, code);
    QCOMPARE(virtualKeyCode(key), code);
}

void TestListWindow::endingTheProgramIsSignalled() {
    start(false);
    QSignalSpy unloaded(&app_->eventLoop(), &QtEventLoop::ended);
    platform_->answers = {MessageAnswer::Yes};
    platform_->trayEvent(TrayEvent::Kind::ContextRequest);
    QCOMPARE(unloaded.count(), 1);
}

QTEST_MAIN(TestListWindow)
#include "test_list_window.moc"
