#include "commands/list_commands.h"
#include "core/form1.h"
#include "qt/item_list_box.h"
#include "support/fake_platform.h"

#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;

namespace {

// In the list's sorted order.
const std::string Three = "abcdefghijklmnopqrstuvwxyz1234|/gone/tool\r\n"
                          "Beta                          |/opt/beta\r\n"
                          "Zeta                          |/opt/zeta\r\n";

QList<QUrl> fileUrls(const QStringList& paths) {
    QList<QUrl> urls;
    for (const auto& path : paths)
        urls << QUrl::fromLocalFile(path);
    return urls;
}

} // namespace

class TestListCommands final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void launchHidesOrTells_data();
    void launchHidesOrTells();
    void launchWithoutSelectionDoesNothing();
    void dropOneFileAddsIt();
    void dropOfATakenNameNumbersIt();
    void dropRefusals_data();
    void dropRefusals();
    void dropClosesAnOpenDialog();
    void dropThatCannotBeWrittenAddsNoRow();
    void removeAsksThenRemoves_data();
    void removeAsksThenRemoves();
    void removeRefusals_data();
    void removeRefusals();
    void failedRewritePutsTheRowBack();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<Form1> form_;

    Form1& start(const std::string& list, bool shown);
    std::string listBytes() const;
    void doubleClickRow(int row);
    void drop(QMimeData& data);
};

void TestListCommands::init() {
    form_.reset();
    dir_ = std::make_unique<QTemporaryDir>();
    platform_ = std::make_unique<FakePlatform>();
    QVERIFY(dir_->isValid());
}

Form1& TestListCommands::start(const std::string& list, bool shown) {
    std::ofstream(dir_->filePath("list.dat").toStdString(), std::ios::binary) << list;
    form_ = std::make_unique<Form1>(*platform_, dir_->path().toStdString());
    if (form_->Form_Load() != StartOutcome::Resident)
        qFatal("start-up failed");
    if (shown)
        platform_->trayEvent(TrayCode::LeftUp);
    return *form_;
}

std::string TestListCommands::listBytes() const {
    std::ifstream in(dir_->filePath("list.dat").toStdString(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void TestListCommands::doubleClickRow(int row) {
    ItemListBox* list = form_->lstApps();
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QWidget* viewport = list->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

void TestListCommands::drop(QMimeData& data) {
    QWidget* viewport = form_->lstApps()->viewport();
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
    QCoreApplication::processEvents(); // the command runs once the drop is over
}

void TestListCommands::launchHidesOrTells_data() {
    QTest::addColumn<int>("openResult");
    QTest::addColumn<int>("startResult");
    QTest::addColumn<int>("starts");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("accepted open request hides")
        << 42 << 0 << 0 << true << QByteArray() << QByteArray();
    QTest::newRow("32 fails: the direct start launches and hides")
        << 32 << 0 << 1 << true << QByteArray() << QByteArray();
    QTest::newRow("no such file: told, the list stays")
        << 2 << 53 << 1 << false << QByteArray("Quivanto - File not found!")
        << QByteArray("The program that you selected does not exist anymore! Please remove it "
                      "from your Quivanto list.\r\rDESCRIPTION: abcdefghijklmnopqrstuvwxyz1234"
                      "\rFILE NAME: /gone/tool");
    QTest::newRow("other failure: told by number, the program goes on")
        << 31 << 70 << 1 << false << QByteArray("Quivanto - Error Occured!")
        << QByteArray(" 70: Error Occured!");
}

void TestListCommands::launchHidesOrTells() {
    QFETCH(int, openResult);
    QFETCH(int, startResult);
    QFETCH(int, starts);
    QFETCH(bool, hidden);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, text);
    Form1& form = start(Three, true);
    QSignalSpy unloaded(&form, &Form1::unloaded);
    platform_->openResults = {openResult};
    platform_->startResults = {startResult};
    doubleClickRow(0);
    QCOMPARE(platform_->openRequests, std::vector<std::string>{"/gone/tool"}); // once
    QCOMPARE(platform_->starts.size(), static_cast<std::size_t>(starts));
    QCOMPARE(form.isVisible(), !hidden);
    QCOMPARE(form.lstApps()->selectedIndex(), 0);
    QCOMPARE(form.lstApps()->count(), 3);
    if (title.isEmpty()) {
        QVERIFY(platform_->messages.empty());
        return;
    }
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(QByteArray::fromStdString(platform_->messages[0].title), title);
    QCOMPARE(QByteArray::fromStdString(platform_->messages[0].text), text);
    QCOMPARE(platform_->messages[0].style, 48);
    // Still running with its tray icon: the next launch works.
    QCOMPARE(unloaded.count(), 0);
    QCOMPARE(platform_->trayRequests, std::vector<int>{0});
    doubleClickRow(1);
    QCOMPARE(platform_->openRequests.back(), std::string("/opt/beta"));
    QVERIFY(!form.isVisible());
}

void TestListCommands::launchWithoutSelectionDoesNothing() {
    Form1& form = start(Three, true);
    form.lstApps()->clearSelection();
    lstApps_DblClick(form);
    QVERIFY(platform_->openRequests.empty());
    QVERIFY(platform_->messages.empty());
    QVERIFY(form.isVisible());
}

void TestListCommands::dropOneFileAddsIt() {
    Form1& form = start(Three, false);
    const int height = form.height();
    QMimeData data;
    data.setUrls(fileUrls({"/home/ann/Song.ogg"}));
    drop(data);
    QVERIFY(platform_->messages.empty());
    const std::string line = "Song.ogg                      |/home/ann/Song.ogg";
    QCOMPARE(listBytes(), Three + line + "\r\n");
    QCOMPARE(form.lstApps()->count(), 4);
    QCOMPARE(form.lstApps()->line(2), line); // at its sorted place
    QCOMPARE(form.lstApps()->selectedIndex(), 0);
    QCOMPARE(form.height(), height + 13);
    QVERIFY(form.isVisible()); // a hidden list is brought up for the drop
}

void TestListCommands::dropOfATakenNameNumbersIt() {
    Form1& form = start(Three, true);
    QMimeData data;
    data.setUrls(fileUrls({"/mnt/Beta"}));
    drop(data);
    QVERIFY(platform_->messages.empty());
    QCOMPARE(listBytes(), Three + "Beta                        ~2|/mnt/Beta\r\n");
    QCOMPARE(form.lstApps()->count(), 4);
}

void TestListCommands::dropRefusals_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QByteArray>("title");
    QTest::newRow("several files") << fileUrls({"/tmp/a", "/tmp/b"})
                                   << QByteArray("Quivanto - Drag and Drop Multiple Files Error");
    QTest::newRow("no file list") << QList<QUrl>{}
                                  << QByteArray("Quivanto - File Type Not Supported!");
    QTest::newRow("an address is not a file") << QList<QUrl>{QUrl("https://example.org/page")}
                                              << QByteArray("Quivanto - File Type Not Supported!");
    QTest::newRow("listed target")
        << fileUrls({"/opt/zeta"}) << QByteArray("Quivanto - Duplicate Item!");
    QTest::newRow("line feed in the name")
        << fileUrls({"/tmp/two\nlines"}) << QByteArray("Quivanto - File Name Not Supported!");
}

void TestListCommands::dropRefusals() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(QByteArray, title);
    Form1& form = start(Three, true);
    const int height = form.height();
    QMimeData data;
    if (urls.isEmpty())
        data.setText(QStringLiteral("just some text"));
    else
        data.setUrls(urls);
    drop(data);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(QByteArray::fromStdString(platform_->messages[0].title), title);
    QCOMPARE(platform_->messages[0].style, 48);
    QCOMPARE(listBytes(), Three);
    QCOMPARE(form.lstApps()->count(), 3);
    QCOMPARE(form.height(), height);
}

void TestListCommands::dropClosesAnOpenDialog() {
    Form1& form = start(Three, true);
    auto* dialog = new QDialog(&form);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    form.registerDialog(DialogNumber::Properties, dialog);
    dialog->show();
    QMimeData data;
    data.setUrls(fileUrls({"/tmp/a", "/tmp/b"})); // even a refused drop closes it
    drop(data);
    QTRY_VERIFY(form.openDialog(DialogNumber::Properties) == nullptr);
}

void TestListCommands::dropThatCannotBeWrittenAddsNoRow() {
    Form1& form = start(Three, true);
    const int height = form.height();
    QSignalSpy unloaded(&form, &Form1::unloaded);
    QVERIFY(QFile::remove(dir_->filePath("list.dat")));
    QVERIFY(QDir(dir_->path()).mkdir("list.dat"));
    QMimeData data;
    data.setUrls(fileUrls({"/tmp/new.txt"}));
    drop(data);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Error Occured!"));
    // The number, then the file and the reason, so the user can put it right.
    const QString text = QString::fromStdString(platform_->messages[0].text);
    QVERIFY2(text.startsWith(" 75: Error Occured!\r\r") && text.contains("list.dat") &&
                 text.contains("Is a directory"),
             qPrintable(text));
    QCOMPARE(form.lstApps()->count(), 3);
    QCOMPARE(form.height(), height);
    QCOMPARE(unloaded.count(), 0);
    QVERIFY(form.isVisible());
}

void TestListCommands::removeAsksThenRemoves_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::newRow("Yes on the middle row selects the row above")
        << 1 << true << 0
        << QByteArray("abcdefghijklmnopqrstuvwxyz1234|/gone/tool\r\n"
                      "Zeta                          |/opt/zeta\r\n");
    QTest::newRow("Yes on the first row selects the new first row")
        << 0 << true << 0
        << QByteArray("Beta                          |/opt/beta\r\n"
                      "Zeta                          |/opt/zeta\r\n");
    QTest::newRow("No changes nothing") << 2 << false << 2 << QByteArray::fromStdString(Three);
}

void TestListCommands::removeAsksThenRemoves() {
    QFETCH(int, selected);
    QFETCH(bool, yes);
    QFETCH(int, selectedAfter);
    QFETCH(QByteArray, fileAfter);
    Form1& form = start(Three, true);
    const int height = form.height();
    const std::string line = form.lstApps()->line(selected);
    form.lstApps()->selectIndex(selected);
    QPointer<QDialog> dialog = new QDialog(&form);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    form.registerDialog(DialogNumber::AddItem, dialog);
    dialog->show();
    form.findChild<QWidget*>(QStringLiteral("picHeader"))->setFocus();
    bool dialogClosedFirst = false;
    platform_->whileMessageShown = [&](const FakePlatform::ShownMessage&) {
        dialogClosedFirst = dialog.isNull() || !dialog->isVisible();
    };
    platform_->answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};

    RemoveSelectedItem(form);

    QVERIFY(dialogClosedFirst);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Are you sure?"));
    QCOMPARE(platform_->messages[0].text,
             "Are you sure that you want to remove the selected item from your Quivanto "
             "list?\r\rDESCRIPTION: " +
                 line.substr(0, 30) + "\rFILE NAME: " + line.substr(31));
    QCOMPARE(platform_->messages[0].style, 4 + 32 + 256);
    QCOMPARE(QByteArray::fromStdString(listBytes()), fileAfter);
    QVERIFY(!QFile::exists(dir_->filePath("temp.dat")));
    QCOMPARE(form.lstApps()->count(), yes ? 2 : 3);
    QCOMPARE(form.height(), yes ? height - 13 : height);
    QCOMPARE(form.lstApps()->selectedIndex(), selectedAfter);
    QCOMPARE(form.focusWidget(), form.lstApps());
}

void TestListCommands::removeRefusals_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QByteArray>("text");
    const QByteArray one = "Only                          |/opt/only\r\n";
    QTest::newRow("last item, selected")
        << one << 0 << QByteArray("You cannot remove the last item! Please add an item first.");
    QTest::newRow("last item, even without a selection")
        << one << -1 << QByteArray("You cannot remove the last item! Please add an item first.");
    QTest::newRow("nothing selected")
        << QByteArray::fromStdString(Three) << -1
        << QByteArray("You must first select an item from your list.");
}

void TestListCommands::removeRefusals() {
    QFETCH(QByteArray, list);
    QFETCH(int, selected);
    QFETCH(QByteArray, text);
    Form1& form = start(list.toStdString(), true);
    const int height = form.height();
    if (selected < 0)
        form.lstApps()->clearSelection();
    RemoveSelectedItem(form);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto"));
    QCOMPARE(QByteArray::fromStdString(platform_->messages[0].text), text);
    QCOMPARE(platform_->messages[0].style, 0);
    QCOMPARE(QByteArray::fromStdString(listBytes()), list);
    QCOMPARE(form.height(), height);
}

void TestListCommands::failedRewritePutsTheRowBack() {
    Form1& form = start(Three, true);
    const int height = form.height();
    QSignalSpy unloaded(&form, &Form1::unloaded);
    const std::string line = form.lstApps()->line(1);
    form.lstApps()->selectIndex(1);
    platform_->answers = {MessageAnswer::Yes};
    platform_->replaceFailure = std::make_error_code(std::errc::read_only_file_system);

    RemoveSelectedItem(form);

    QCOMPARE(platform_->messages.size(), 2u);
    const auto& told = platform_->messages[1];
    QCOMPARE(told.title, std::string("Quivanto - Error Occured!"));
    QVERIFY2(told.text.find("list.dat") != std::string::npos, told.text.c_str());
    QVERIFY2(told.text.find("Read-only file system") != std::string::npos, told.text.c_str());
    QCOMPARE(listBytes(), Three);
    QCOMPARE(form.lstApps()->count(), 3);
    QCOMPARE(form.lstApps()->line(1), line);
    QCOMPARE(form.lstApps()->selectedIndex(), 1);
    QCOMPARE(form.height(), height);
    QCOMPARE(unloaded.count(), 0);
}

QTEST_MAIN(TestListCommands)
#include "test_list_commands.moc"
