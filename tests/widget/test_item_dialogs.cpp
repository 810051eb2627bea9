#include "core/form1.h"
#include "core/item_line.h"
#include "qt/item_list_box.h"
#include "qt/description_box.h"
#include "qt/drive_list.h"
#include "qt/file_list.h"
#include "qt/folder_list.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "support/fake_platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What tells a rewritten file apart from an untouched one: the rewrite replaces the file.
struct FileIdentity {
    ino_t inode = 0;
    timespec modified{};
    bool operator==(const FileIdentity& other) const {
        return inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

FileIdentity identityOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {info.st_ino, info.st_mtim};
}

void clickRow(QAbstractItemView& view, int row) {
    const QModelIndex index = view.model()->index(row, 0);
    view.scrollTo(index);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
}

int rowOfFolder(const FolderList& list, const std::string& path) {
    for (int row = 0; row < list.entryCount(); ++row) {
        if (list.entryPath(row) == path)
            return row;
    }
    return -1;
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

} // namespace

class TestItemDialogs final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addDialogOpensBesideTheList();
    void browsingUpdatesTheProposal();
    void unreadableFolderLeavesTheLists();
    void driveWithoutMediumReturnsTheDriveList();
    void addWritesTheExactLineAndGrows();
    void duplicatesNameTheMatchingRow_data();
    void duplicatesNameTheMatchingRow();
    void longProposalIsKeptAndShortenedOnAdd();
    void addWhileHiddenShowsTheList();
    void closingAddShowsTheListWithFocus();

    void propertiesNeedASelectedRow();
    void propertiesShowTheSelectedItem();
    void updateMovesTheRowAndKeepsTheFilePlace();
    void leavingWithoutChangeLeavesTheFile_data();
    void leavingWithoutChangeLeavesTheFile();
    void takenDescriptionIsRefused();
    void updateAppliesToTheLoadedItem();
    void updateOfAVanishedItemChangesNothing();
    void failingRewriteRestoresTheRow();

    void reopeningBuildsAFreshDialog();
    void closeOtherDialogsClosesEach();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<Form1> form_;
    QString previousFolder_;
    fs::path root_;
    fs::path tree_;

    Form1& start(const std::string& list = {});
    Form2& openAdd();
    Form3& openProperties();
    fs::path listPath() const { return root_ / "list.dat"; }
    void openFolder(Form2& dialog, const fs::path& folder);
    void chooseFile(Form2& dialog, const std::string& name);
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void TestItemDialogs::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    root_ = fs::path(dir_->path().toStdString());
    tree_ = root_ / "tree";
    fs::create_directories(tree_ / "Apps");
    fs::create_directories(tree_ / "Docs");
    fs::create_directories(tree_ / ".config");
    std::ofstream(tree_ / "Apps" / "editor.sh") << "#!/bin/sh\n";
    std::ofstream(tree_ / "Apps" / ".editorrc") << "x";
    std::ofstream(tree_ / "Docs" / "readme.txt") << "x";
    std::ofstream(tree_ / "Docs" / "A very long document name of forty.txt") << "x";
    platform_ = std::make_unique<FakePlatform>();
    previousFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(tree_.string())));
}

void TestItemDialogs::cleanup() {
    form_.reset();
    flushDeletes();
    QDir::setCurrent(previousFolder_);
}

Form1& TestItemDialogs::start(const std::string& list) {
    if (!list.empty())
        std::ofstream(listPath(), std::ios::binary) << list;
    form_ = std::make_unique<Form1>(*platform_, root_);
    form_->Form_Load();
    platform_->trayEvent(514); // shown at the pointer
    return *form_;
}

Form2& TestItemDialogs::openAdd() {
    form_->ShowAddDialog();
    auto* dialog = qobject_cast<Form2*>(form_->openDialog(DialogNumber::AddItem));
    if (dialog == nullptr)
        qFatal("the Add Item dialog did not open");
    return *dialog;
}

Form3& TestItemDialogs::openProperties() {
    form_->ShowPropertiesDialog();
    auto* dialog = qobject_cast<Form3*>(form_->openDialog(DialogNumber::Properties));
    if (dialog == nullptr)
        qFatal("the Properties dialog did not open");
    return *dialog;
}

void TestItemDialogs::openFolder(Form2& dialog, const fs::path& folder) {
    auto* folders = dialog.findChild<FolderList*>("dirList");
    for (const auto& step : {folder.parent_path(), folder}) {
        const int row = rowOfFolder(*folders, step.string());
        QVERIFY2(row >= 0, step.c_str());
        clickRow(*folders, row);
    }
    QCOMPARE(folders->path(), folder.string());
}

void TestItemDialogs::chooseFile(Form2& dialog, const std::string& name) {
    auto* files = dialog.findChild<FileList*>("filList");
    const int row = rowOfFile(*files, name);
    QVERIFY(row >= 0);
    clickRow(*files, row);
    QCOMPARE(files->selectedName(), name);
}

void TestItemDialogs::addDialogOpensBesideTheList() {
    Form1& form = start();
    Form2& dialog = openAdd();
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
    QCOMPARE(drives->roots().front(), std::string("/"));
    QCOMPARE(drives->drive(), std::string("/"));
    QCOMPARE(folders->path(), tree_.string());
    QCOMPARE(folders->highlightedPath(), tree_.string());
    QCOMPARE(rowOfFolder(*folders, (tree_ / ".config").string()), -1);
    QVERIFY(rowOfFolder(*folders, "/") == 0);
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

void TestItemDialogs::browsingUpdatesTheProposal() {
    start();
    Form2& dialog = openAdd();
    auto* box = dialog.findChild<QLineEdit*>("txtItemName");
    auto* files = dialog.findChild<FileList*>("filList");
    auto* drives = dialog.findChild<DriveList*>("drvList");

    openFolder(dialog, tree_ / "Docs");
    QCOMPARE(box->text(), QString("Folder: Docs"));
    QCOMPARE(files->count(), 2);
    QVERIFY(files->selectedName().empty());

    chooseFile(dialog, "readme.txt");
    QCOMPARE(box->text(), QString("readme.txt"));

    openFolder(dialog, tree_ / "Apps");
    QCOMPARE(box->text(), QString("Folder: Apps"));
    QCOMPARE(files->count(), 1); // the hidden file is not listed
    QCOMPARE(files->name(0), std::string("editor.sh"));

    // Keys move the highlight, and a highlighted entry opens at once.
    auto* folders = dialog.findChild<FolderList*>("dirList");
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Up);
    QCOMPARE(folders->path(), tree_.string());
    QCOMPARE(box->text(), QString("Folder: tree"));

    drives->setDrive("/", false);
    QVERIFY(drives->roots().size() >= 1);
    clickRow(*folders, 0);
    QCOMPARE(folders->path(), std::string("/"));
    QCOMPARE(box->text(), QString("Drive: /"));
    QVERIFY(platform_->messages.empty());
}

void TestItemDialogs::unreadableFolderLeavesTheLists() {
    start();
    Form2& dialog = openAdd();
    openFolder(dialog, tree_ / "Docs");
    chooseFile(dialog, "readme.txt");
    auto* folders = dialog.findChild<FolderList*>("dirList");
    auto* box = dialog.findChild<QLineEdit*>("txtItemName");

    fs::create_directory(tree_ / "Docs" / "Gone");
    QVERIFY(folders->setPath((tree_ / "Docs").string())); // lists it
    const int gone = rowOfFolder(*folders, (tree_ / "Docs" / "Gone").string());
    QVERIFY(gone > 0);
    fs::remove(tree_ / "Docs" / "Gone");
    clickRow(*folders, gone);

    QCOMPARE(folders->path(), (tree_ / "Docs").string());
    QCOMPARE(folders->highlightedPath(), (tree_ / "Docs").string());
    QCOMPARE(dialog.findChild<FileList*>("filList")->selectedName(), std::string("readme.txt"));
    QCOMPARE(box->text(), QString("readme.txt"));
    QVERIFY(platform_->messages.empty());
}

void TestItemDialogs::driveWithoutMediumReturnsTheDriveList() {
    start();
    Form2& dialog = openAdd();
    auto* drives = dialog.findChild<DriveList*>("drvList");
    auto* folders = dialog.findChild<FolderList*>("dirList");
    const std::string missing = (root_ / "cdrom").string();
    drives->setRoots({"/", missing});
    drives->setDrive("/", false);

    drives->setCurrentIndex(1); // as the user choosing it
    QCOMPARE(drives->drive(), std::string("/"));
    QCOMPARE(folders->path(), tree_.string());
    QVERIFY(platform_->messages.empty());

    // A drive that can be read opens at its root.
    fs::create_directory(missing);
    drives->setCurrentIndex(1);
    QCOMPARE(folders->path(), missing);
    QCOMPARE(dialog.findChild<QLineEdit*>("txtItemName")->text(),
             QString::fromStdString("Drive: " + missing));
}

void TestItemDialogs::addWritesTheExactLineAndGrows() {
    Form1& form = start();
    const int height = form.height();
    const std::string before = readFile(listPath());
    Form2& dialog = openAdd();
    openFolder(dialog, tree_ / "Apps");
    chooseFile(dialog, "editor.sh");
    auto* box = dialog.findChild<QLineEdit*>("txtItemName");
    box->clear();
    QTest::keyClicks(box, "Editor");
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);

    const std::string line =
        "Editor" + std::string(24, ' ') + "|" + (tree_ / "Apps").string() + "/editor.sh";
    QCOMPARE(readFile(listPath()), before + line + "\r\n");
    QCOMPARE(form.lstApps()->count(), 3);
    QCOMPARE(form.lstApps()->line(0), line);      // Editor sorts before Explorer
    QCOMPARE(form.lstApps()->selectedIndex(), 1); // the selection stayed on Explorer
    QCOMPARE(form.height(), height + 13);
    QVERIFY(platform_->messages.empty());
    QVERIFY(dialog.isVisible());

    // The same again meets the row just added.
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QCOMPARE(platform_->messages.size(), 1u);
    QVERIFY(platform_->messages[0].text.starts_with("The file name that you selected"));
    QCOMPARE(form.lstApps()->count(), 3);

    // No file chosen: the folder itself, with its trailing separator.
    openFolder(dialog, tree_ / "Docs");
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QCOMPARE(form.lstApps()->count(), 4);
    QVERIFY(
        readFile(listPath())
            .ends_with("Folder: Docs                  |" + (tree_ / "Docs").string() + "/\r\n"));
}

void TestItemDialogs::duplicatesNameTheMatchingRow_data() {
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same target")
        << "Something new"
        << "The file name that you selected is already in your Quivanto list.\r\r"
           "DESCRIPTION: Read me first                 \rFILE NAME: {readme}";
    QTest::newRow("same description field") << "Notepad   "
                                            << "The file description that you provided is "
                                               "already in your Quivanto list.\r\r"
                                               "DESCRIPTION: Notepad                       \r"
                                               "FILE NAME: notepad.exe";
}

void TestItemDialogs::duplicatesNameTheMatchingRow() {
    QFETCH(QString, description);
    QFETCH(QString, expected);
    const std::string readme = (tree_ / "Docs" / "readme.txt").string();
    expected.replace("{readme}", QString::fromStdString(readme));
    // The target row comes last in list order, the description row first.
    Form1& form = start("Notepad                       |notepad.exe\r\n"
                        "Read me first                 |" +
                        readme + "\r\n");
    Form2& dialog = openAdd();
    openFolder(dialog, tree_ / "Docs");
    chooseFile(dialog, "readme.txt");
    const FileIdentity file = identityOf(listPath());
    auto* box = dialog.findChild<QLineEdit*>("txtItemName");
    box->setText(description);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);

    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(QString::fromStdString(platform_->messages[0].text), expected);
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Duplicate Item!"));
    QCOMPARE(platform_->messages[0].style, 48);
    QCOMPARE(form.lstApps()->count(), 2);
    QVERIFY(identityOf(listPath()) == file);
    QCOMPARE(box->text(), description);
    QVERIFY(dialog.isVisible());
}

void TestItemDialogs::longProposalIsKeptAndShortenedOnAdd() {
    Form1& form = start();
    Form2& dialog = openAdd();
    openFolder(dialog, tree_ / "Docs");
    chooseFile(dialog, "A very long document name of forty.txt");
    auto* box = dialog.findChild<QLineEdit*>("txtItemName");
    QCOMPARE(box->text(), QString("A very long document name of forty.txt"));
    // Typing cannot make it longer, but can shorten it.
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, "x");
    QCOMPARE(box->text(), QString("A very long document name of forty.txt"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString("A very long document name of forty.tx"));
    QTest::keyClicks(box, "t");
    QCOMPARE(box->text(), QString("A very long document name of forty.tx"));
    chooseFile(dialog, "readme.txt");
    chooseFile(dialog, "A very long document name of forty.txt");

    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QCOMPARE(form.lstApps()->count(), 3);
    // First 14 characters, "~", last 15.
    QVERIFY(readFile(listPath()).find("A very long do~me of forty.txt|") != std::string::npos);

    // Typing a fresh description stops at 30 characters; a line break never gets in.
    box->clear();
    QTest::keyClicks(box, QString(35, 'q'));
    QCOMPARE(box->text(), QString(30, 'q'));
    box->clear();
    box->insert("two\nlines");
    QVERIFY(box->text().isEmpty());
}

void TestItemDialogs::addWhileHiddenShowsTheList() {
    Form1& form = start();
    form.HideListWindow();
    Form2& dialog = openAdd(); // opened while the list window is hidden
    QVERIFY(form.isMinimized());
    openFolder(dialog, tree_ / "Apps");
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QVERIFY(!form.isMinimized());
    QVERIFY(form.isVisible());
    QCOMPARE(form.lstApps()->count(), 3);
}

void TestItemDialogs::closingAddShowsTheListWithFocus() {
    Form1& form = start();
    QPointer<Form2> dialog = &openAdd();
    // The list window minimised while the dialog stays open (its own state only).
    form.hide();
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdDone"), Qt::LeftButton);
    flushDeletes();
    QVERIFY(dialog.isNull());
    QVERIFY(form.openDialog(DialogNumber::AddItem) == nullptr);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isMinimized());
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.lstApps()));
}

void TestItemDialogs::propertiesNeedASelectedRow() {
    Form1& form = start();
    form.lstApps()->selectIndex(-1);
    form.ShowPropertiesDialog();
    QVERIFY(form.openDialog(DialogNumber::Properties) == nullptr);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(platform_->messages[0].text,
             std::string("You must first select an item from your list."));
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto"));
    QCOMPARE(platform_->messages[0].style, 0);
}

void TestItemDialogs::propertiesShowTheSelectedItem() {
    Form1& form = start("Notepad                       |  /usr/bin/notepad \r\n"
                        "Zed                           |/z\r\n");
    form.lstApps()->selectIndex(0);
    Form3& dialog = openProperties();
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

    // The new line carries the trimmed target.
    description->setText("Editor");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    QCOMPARE(readFile(listPath()), std::string("Editor                        |/usr/bin/notepad\r\n"
                                               "Zed                           |/z\r\n"));
}

void TestItemDialogs::updateMovesTheRowAndKeepsTheFilePlace() {
    Form1& form = start("Gamma                         |/g\r\n"
                        "Alpha                         |/a\r\n"
                        "Beta                          |/b\r\n");
    form.lstApps()->selectIndex(0); // Alpha
    QPointer<Form3> dialog = &openProperties();
    auto* description = dialog->findChild<QLineEdit*>("txtDescr");
    description->clear();
    QTest::keyClicks(description, "Zulu");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    flushDeletes();

    QVERIFY(dialog.isNull());
    QVERIFY(platform_->messages.empty());
    QCOMPARE(form.lstApps()->line(0).substr(0, 4), std::string("Beta"));
    QCOMPARE(form.lstApps()->line(1).substr(0, 5), std::string("Gamma"));
    QCOMPARE(form.lstApps()->line(2), std::string("Zulu                          |/a"));
    QCOMPARE(form.lstApps()->selectedIndex(), -1);
    QCOMPARE(readFile(listPath()), std::string("Gamma                         |/g\r\n"
                                               "Zulu                          |/a\r\n"
                                               "Beta                          |/b\r\n"));
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.lstApps()));
}

void TestItemDialogs::leavingWithoutChangeLeavesTheFile_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Update unchanged") << "update";
    QTest::newRow("close box") << "close";
    QTest::newRow("Update after editing back") << "edited back";
}

void TestItemDialogs::leavingWithoutChangeLeavesTheFile() {
    QFETCH(QString, how);
    Form1& form = start();
    form.lstApps()->selectIndex(1); // Notepad
    const FileIdentity file = identityOf(listPath());
    const std::string bytes = readFile(listPath());
    QPointer<Form3> dialog = &openProperties();
    auto* description = dialog->findChild<QLineEdit*>("txtDescr");
    if (how == "cancel") {
        description->setText("Changed but cancelled");
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    } else if (how == "close") {
        description->setText("Changed but closed");
        dialog->close();
    } else {
        if (how == "edited back") {
            QTest::keyClicks(description, "x");
            QTest::keyClick(description, Qt::Key_Backspace);
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    }
    flushDeletes();
    QVERIFY(dialog.isNull());
    QVERIFY(identityOf(listPath()) == file);
    QCOMPARE(readFile(listPath()), bytes);
    QCOMPARE(form.lstApps()->selectedIndex(), 1);
    QVERIFY(platform_->messages.empty());
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.lstApps()));
}

void TestItemDialogs::takenDescriptionIsRefused() {
    Form1& form = start("Explorer                      |explorer.exe\r\n"
                        "Notepad                       |  notepad.exe\r\n");
    form.lstApps()->selectIndex(0);
    const FileIdentity file = identityOf(listPath());
    QPointer<Form3> dialog = &openProperties();
    dialog->findChild<QLineEdit*>("txtDescr")->setText("Notepad");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    flushDeletes();

    QVERIFY(!dialog.isNull());
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(platform_->messages[0].text,
             std::string("The file description that you provided is already in your Quivanto "
                         "list.\rPlease enter a unique description for this item.\r\r"
                         "DESCRIPTION: Notepad\rFILE NAME: notepad.exe"));
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Duplicate Item!"));
    QVERIFY(identityOf(listPath()) == file);
    QCOMPARE(form.lstApps()->selectedIndex(), 0);
    QCOMPARE(dialog->findChild<QLineEdit*>("txtDescr")->text(), QString("Notepad"));

    // Letter case of its own description is a change, and accepted.
    dialog->findChild<QLineEdit*>("txtDescr")->setText("EXPLORER");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    QCOMPARE(platform_->messages.size(), 1u);
    QVERIFY(readFile(listPath()).starts_with("EXPLORER                      |explorer.exe\r\n"));
}

void TestItemDialogs::updateAppliesToTheLoadedItem() {
    Form1& form = start("Alpha                         |/a\r\n"
                        "Beta                          |/b\r\n");
    form.lstApps()->selectIndex(0);
    Form3& dialog = openProperties();
    form.lstApps()->selectIndex(1); // the user selects another row meanwhile
    dialog.findChild<QLineEdit*>("txtDescr")->setText("Aleph");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    QCOMPARE(readFile(listPath()), std::string("Aleph                         |/a\r\n"
                                               "Beta                          |/b\r\n"));
    QCOMPARE(form.lstApps()->line(0), std::string("Aleph                         |/a"));
    QCOMPARE(form.lstApps()->line(1), std::string("Beta                          |/b"));
}

void TestItemDialogs::updateOfAVanishedItemChangesNothing() {
    Form1& form = start("Alpha                         |/a\r\n"
                        "Beta                          |/b\r\n"
                        "Gamma                         |/g\r\n");
    form.lstApps()->selectIndex(0);
    QPointer<Form3> dialog = &openProperties();
    form.lstApps()->removeLine(0);
    const FileIdentity file = identityOf(listPath());
    dialog->findChild<QLineEdit*>("txtDescr")->setText("Aleph");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    flushDeletes();

    QCOMPARE(platform_->messages.size(), 1u);
    QVERIFY(platform_->messages[0].text.find("no longer in your Quivanto list") !=
            std::string::npos);
    QVERIFY(platform_->messages[0].text.ends_with("DESCRIPTION: Alpha\rFILE NAME: /a"));
    QVERIFY(identityOf(listPath()) == file);
    QCOMPARE(form.lstApps()->count(), 2);
    QCOMPARE(form.lstApps()->line(0).substr(0, 4), std::string("Beta"));
    QVERIFY(dialog.isNull());
}

void TestItemDialogs::failingRewriteRestoresTheRow() {
    Form1& form = start("Alpha                         |/a\r\n"
                        "Beta                          |/b\r\n");
    form.lstApps()->selectIndex(0);
    const std::string bytes = readFile(listPath());
    QPointer<Form3> dialog = &openProperties();
    dialog->findChild<QLineEdit*>("txtDescr")->setText("Zulu");
    platform_->replaceFailure = std::make_error_code(std::errc::permission_denied);
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    flushDeletes();

    QCOMPARE(platform_->messages.size(), 1u);
    const QString text = QString::fromStdString(platform_->messages[0].text);
    QVERIFY2(text.contains(QString::fromStdString(listPath().string())), qPrintable(text));
    QVERIFY2(text.contains("Permission denied"), qPrintable(text));
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Error Occured!"));
    QCOMPARE(readFile(listPath()), bytes);
    QCOMPARE(form.lstApps()->count(), 2);
    QCOMPARE(form.lstApps()->line(0), std::string("Alpha                         |/a"));
    QCOMPARE(form.lstApps()->selectedIndex(), 0);
    QVERIFY(!dialog.isNull()); // left open to try again or cancel

    QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    QCOMPARE(readFile(listPath()), std::string("Zulu                          |/a\r\n"
                                               "Beta                          |/b\r\n"));
}

void TestItemDialogs::reopeningBuildsAFreshDialog() {
    Form1& form = start();
    QPointer<Form2> first = &openAdd();
    first->findChild<QLineEdit*>("txtItemName")->setText("typed");
    QPointer<Form2> second = &openAdd();
    flushDeletes();
    QVERIFY(first.isNull());
    QVERIFY(second->findChild<QLineEdit*>("txtItemName")->text().isEmpty());
    QCOMPARE(form.openDialog(DialogNumber::AddItem), static_cast<QWidget*>(second.data()));

    form.lstApps()->selectIndex(1);
    QPointer<Form3> properties = &openProperties();
    flushDeletes();
    QVERIFY(second.isNull()); // opening one dialog closes the other
    properties->findChild<QLineEdit*>("txtDescr")->setText("typed");
    form.lstApps()->selectIndex(0);
    QPointer<Form3> again = &openProperties();
    flushDeletes();
    QVERIFY(properties.isNull());
    QCOMPARE(again->findChild<QLineEdit*>("txtDescr")->text(), QString("Explorer"));
}

void TestItemDialogs::closeOtherDialogsClosesEach() {
    Form1& form = start();
    QPointer<Form2> add = &openAdd();
    form.hide();
    form.CloseOtherDialogs(DialogNumber::None);
    flushDeletes();
    QVERIFY(add.isNull());
    QVERIFY(form.isVisible()); // closing the Add Item dialog shows the list again

    QPointer<Form3> properties = &openProperties();
    form.CloseOtherDialogs(DialogNumber::None);
    flushDeletes();
    QVERIFY(properties.isNull());
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.lstApps()));

    // Hiding the list window closes an open dialog on the way.
    add = &openAdd();
    form.HideListWindow();
    flushDeletes();
    QVERIFY(add.isNull());
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(TestItemDialogs)
#include "test_item_dialogs.moc"
