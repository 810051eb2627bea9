#include "qt/description_box.h"
#include "qt/drive_list.h"
#include "qt/file_list.h"
#include "qt/folder_list.h"
#include "qt/item_list_box.h"
#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::QtListWindow;
namespace fs = std::filesystem;

namespace {

void clickRow(QAbstractItemView& view, int row) {
    const QModelIndex index = view.model()->index(row, 0);
    view.scrollTo(index);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
}

// The widgets that Tab visits, in order, starting at `first`.
QStringList tabChain(QWidget* first) {
    QStringList chain{first->objectName()};
    for (QWidget* widget = first->nextInFocusChain(); widget != first && chain.size() < 20;
         widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
    }
    return chain;
}

int rowOfFile(const FileList& list, const std::string& name) {
    for (int row = 0; row < list.count(); ++row) {
        if (list.name(row) == name)
            return row;
    }
    return -1;
}

int rowOfFolder(const FolderList& list, const std::string& name) {
    for (int row = 0; row < list.entryCount(); ++row) {
        if (list.entry(row).name == name)
            return row;
    }
    return -1;
}

} // namespace

// The dialogs' widgets: laid out as designed, and what the user does reaches the flows.
// What the flows then decide is tested on fake views.
class TestItemDialogs final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addDialogOpensBesideTheList();
    void clicksAndKeysBrowse();
    void addThroughTheWidgetsWritesTheLine();
    void descriptionBoxKeepsALongProposalAndLimitsTyping();
    void propertiesShowTheSelectedItem();
    void closeBoxRunsTheClosingBehaviour();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<QtListWindow> app_;
    QString previousFolder_;
    fs::path root_;
    fs::path tree_;

    ListWindow& start(const std::string& list = {});
    QWidget& openAdd();
    QWidget& openProperties();
    static void settle() { QCoreApplication::sendPostedEvents(); }
};

void TestItemDialogs::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    root_ = fs::path(dir_->path().toStdString());
    tree_ = root_ / "tree";
    fs::create_directories(tree_ / "Apps");
    fs::create_directories(tree_ / "Docs");
    std::ofstream(tree_ / "Apps" / "editor.sh") << "#!/bin/sh\n";
    std::ofstream(tree_ / "Docs" / "readme.txt") << "x";
    platform_ = std::make_unique<FakePlatform>();
    previousFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(tree_.string())));
}

void TestItemDialogs::cleanup() {
    app_.reset();
    settle();
    QDir::setCurrent(previousFolder_);
}

ListWindow& TestItemDialogs::start(const std::string& list) {
    if (!list.empty())
        std::ofstream(root_ / "list.dat", std::ios::binary) << list;
    app_ = std::make_unique<QtListWindow>(*platform_, root_);
    app_->form().Form_Load();
    platform_->trayEvent(TrayEvent::Kind::Click); // shown at the pointer
    return app_->window();
}

QWidget& TestItemDialogs::openAdd() {
    app_->form().ShowAddDialog();
    QWidget* dialog = app_->dialog(DialogNumber::AddItem);
    if (dialog == nullptr)
        qFatal("the Add Item dialog did not open");
    return *dialog;
}

QWidget& TestItemDialogs::openProperties() {
    app_->form().ShowPropertiesDialog();
    QWidget* dialog = app_->dialog(DialogNumber::Properties);
    if (dialog == nullptr)
        qFatal("the Properties dialog did not open");
    return *dialog;
}

void TestItemDialogs::addDialogOpensBesideTheList() {
    ListWindow& form = start();
    QWidget& dialog = openAdd();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.windowTitle(), QString("Quivanto - Add Item to List"));
    QVERIFY(dialog.isWindow());
    QCOMPARE(dialog.size(), QSize(384, 282)); // 5760 x 4230 twips
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    // Outer frame: right edge on the list window's left edge, bottoms on one line.
    QCOMPARE(dialog.frameGeometry().right() + 1, form.geometry().left());
    QCOMPARE(dialog.frameGeometry().bottom(), form.geometry().bottom());

    const auto* drives = dialog.findChild<DriveList*>("drvList");
    const auto* folders = dialog.findChild<FolderList*>("dirList");
    const auto* files = dialog.findChild<FileList*>("filList");
    const auto* box = dialog.findChild<DescriptionBox*>("txtItemName");
    QVERIFY(drives && folders && files && box);
    QCOMPARE(drives->itemText(0), QString("/"));
    QCOMPARE(drives->currentIndex(), 0);
    QCOMPARE(folders->entry(folders->highlightedRow()).name, std::string("tree"));
    QCOMPARE(rowOfFolder(*folders, "/"), 0);
    QCOMPARE(files->count(), 0);
    QVERIFY(box->text().isEmpty());
    QCOMPARE(dialog.findChild<QPushButton*>("cmdAdd")->geometry(), QRect(136, 248, 57, 25));
    QCOMPARE(dialog.findChild<QLabel*>("lblItemName")->text(), QString("Description:"));

    // Tab order: drives, folders, files, description, Add, Close.
    QCOMPARE(tabChain(dialog.findChild<QWidget*>("drvList")),
             (QStringList{"drvList", "dirList", "filList", "txtItemName", "cmdAdd", "cmdDone"}));
    for (const char* name : {"drvList", "dirList", "filList", "txtItemName", "cmdAdd", "cmdDone"})
        QVERIFY2(!dialog.findChild<QWidget*>(name)->accessibleName().isEmpty(), name);
}

void TestItemDialogs::clicksAndKeysBrowse() {
    start();
    QWidget& dialog = openAdd();
    auto* box = dialog.findChild<QLineEdit*>("txtItemName");
    auto* folders = dialog.findChild<FolderList*>("dirList");
    auto* files = dialog.findChild<FileList*>("filList");

    clickRow(*folders, rowOfFolder(*folders, "Docs"));
    QCOMPARE(box->text(), QString("Folder: Docs"));
    QCOMPARE(files->count(), 1);
    clickRow(*files, rowOfFile(*files, "readme.txt"));
    QCOMPARE(box->text(), QString("readme.txt"));

    // Keys move the highlight, and a highlighted entry opens at once.
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Up);
    QCOMPARE(folders->entry(folders->highlightedRow()).name, std::string("tree"));
    QCOMPARE(box->text(), QString("Folder: tree"));
    QCOMPARE(files->count(), 0);

    // The drive list as the user chooses a drive.
    auto* drives = dialog.findChild<DriveList*>("drvList");
    clickRow(*folders, 0);
    QCOMPARE(box->text(), QString("Drive: /"));
    QCOMPARE(drives->currentIndex(), 0);
    QVERIFY(platform_->messages.empty());
}

void TestItemDialogs::addThroughTheWidgetsWritesTheLine() {
    ListWindow& form = start();
    const int height = form.height();
    QWidget& dialog = openAdd();
    auto* folders = dialog.findChild<FolderList*>("dirList");
    clickRow(*folders, rowOfFolder(*folders, "Apps"));
    auto* files = dialog.findChild<FileList*>("filList");
    clickRow(*files, rowOfFile(*files, "editor.sh"));
    auto* box = dialog.findChild<QLineEdit*>("txtItemName");
    box->clear();
    QTest::keyClicks(box, "Editor");
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);

    const std::string line =
        "Editor" + std::string(24, ' ') + "|" + (tree_ / "Apps").string() + "/editor.sh";
    QCOMPARE(form.lstApps()->count(), 3);
    QCOMPARE(form.lstApps()->line(0), line);
    QCOMPARE(form.lstApps()->selectedIndex(), 1); // the selection stayed on Explorer
    QCOMPARE(form.height(), height + 13);
    QVERIFY(dialog.isVisible());

    QPointer<QWidget> closing = &dialog;
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdDone"), Qt::LeftButton);
    QVERIFY(!closing.isNull()); // not while its own click is being handled
    settle();
    QVERIFY(closing.isNull());
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.lstApps()));
}

void TestItemDialogs::descriptionBoxKeepsALongProposalAndLimitsTyping() {
    start();
    QWidget& dialog = openAdd();
    auto* box = dialog.findChild<DescriptionBox*>("txtItemName");
    const QString long40 = "A very long document name of forty.txt";
    box->setProposal(long40);
    QCOMPARE(box->text(), long40);
    // Typing cannot make it longer, but can shorten it.
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, "x");
    QCOMPARE(box->text(), long40);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), long40.chopped(1));
    QTest::keyClicks(box, "t");
    QCOMPARE(box->text(), long40.chopped(1));

    // Typing a fresh description stops at 30 characters; a line break never gets in.
    box->clear();
    QTest::keyClicks(box, QString(35, 'q'));
    QCOMPARE(box->text(), QString(30, 'q'));
    box->clear();
    box->insert("two\nlines");
    QVERIFY(box->text().isEmpty());
}

void TestItemDialogs::propertiesShowTheSelectedItem() {
    ListWindow& form = start("Notepad                       |  /usr/bin/notepad \r\n"
                             "Zed                           |/z\r\n");
    form.lstApps()->selectIndex(0);
    QWidget& dialog = openProperties();
    QCOMPARE(dialog.windowTitle(), QString("Quivanto - Properties for Selected Item"));
    QCOMPARE(dialog.geometry(), QRect(184, 250, 565, 96));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    auto* description = dialog.findChild<QLineEdit*>("txtDescr");
    auto* target = dialog.findChild<QLineEdit*>("txtName");
    QCOMPARE(description->text(), QString("Notepad"));
    QCOMPARE(target->text(), QString("/usr/bin/notepad"));
    QVERIFY(target->isReadOnly());
    QCOMPARE(target->palette().color(QPalette::Base), target->palette().color(QPalette::Button));
    QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), QString("DESCRIPTION:"));
    QCOMPARE(dialog.findChild<QLabel*>("Label2")->text(), QString("FILE NAME:"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnUpdate")->text(), QString("&Update"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnCancel")->text(), QString("&Cancel"));
    QCOMPARE(tabChain(description), (QStringList{"txtDescr", "txtName", "btnUpdate", "btnCancel"}));

    description->clear();
    QTest::keyClicks(description, "Editor");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    QCOMPARE(form.lstApps()->line(0),
             std::string("Editor                        |/usr/bin/notepad"));
    QVERIFY(!dialog.isVisible());
}

void TestItemDialogs::closeBoxRunsTheClosingBehaviour() {
    ListWindow& form = start();
    QPointer<QWidget> add = &openAdd();
    form.hide();  // minimised while the dialog stays open
    add->close(); // the window's close box
    QVERIFY(app_->dialog(DialogNumber::AddItem) == nullptr);
    QVERIFY(form.isVisible()); // closing the Add Item dialog shows the list again
    settle();
    QVERIFY(add.isNull());

    form.lstApps()->selectIndex(1);
    QPointer<QWidget> properties = &openProperties();
    properties->close();
    settle();
    QVERIFY(properties.isNull());
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.lstApps()));
}

QTEST_MAIN(TestItemDialogs)
#include "test_item_dialogs.moc"
