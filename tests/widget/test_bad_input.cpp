// Whatever the list file holds and whatever is dropped, and however the disk refuses: the
// program tells the user, loses no line, and keeps the list box and the file equal.
#include "commands/list_commands.h"
#include "core/item_line.h"
#include "core/list_file.h"
#include "core/text_units.h"
#include "platform/desktop/desktop_platform.h"
#include "qt/file_list.h"
#include "qt/item_list_box.h"
#include "support/fake_platform.h"
#include "support/permission_bits.h"
#include "support/qt_list_window.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::PermissionBitsCount;
using quivanto::testing::QtListWindow;
namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

const std::string Three = "Alpha                         |/opt/alpha\r\n"
                          "Beta                          |/opt/beta\r\n"
                          "Gamma                         |/opt/gamma\r\n";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Lines sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The rows as the list box shows them.
Lines rowsOf(const QtListWindow& app) {
    const ItemListBox& list = *app.window().lstApps();
    Lines rows;
    for (int row = 0; row < list.count(); ++row)
        rows.push_back(list.line(row));
    return rows;
}

int rowOf(const QtListWindow& app, const std::string& line) {
    const Lines rows = rowsOf(app);
    const auto found = std::find(rows.begin(), rows.end(), line);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

QByteArray bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// A limit on file size stops every write past it, as a full disk does.
class FullDisk final {
public:
    explicit FullDisk(rlim_t room) {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = before_;
        limited.rlim_cur = room;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previous_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit before_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

class TestBadInput final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void oddBytesLoadAndSurvive_data();
    void oddBytesLoadAndSurvive();
    void longLineShowsOnlyItsStart();
    void propertiesKeepBytesTheBoxCannotShow();
    void startUpTellsAndEnds_data();
    void startUpTellsAndEnds();
    void startUpLoadsAReadOnlyList_data();
    void startUpLoadsAReadOnlyList();
    void unwritableListKeepsListAndFileEqual_data();
    void unwritableListKeepsListAndFileEqual();
    void droppedNamesAreStoredAndOpenedAsGiven_data();
    void droppedNamesAreStoredAndOpenedAsGiven();
    void droppedNameKeepsItsBytes_data();
    void droppedNameKeepsItsBytes();
    void overlongMessageLinesFitTheScreen();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<QtListWindow> app_;
    QString previousFolder_;
    fs::path folder_;

    fs::path listPath() const { return folder_ / "list.dat"; }
    fs::path scratchPath() const { return folder_ / "temp.dat"; }
    void writeList(const std::string& list) const;
    StartOutcome start(const std::string& list);
    void drop(const std::string& path);
    void addThroughTheDialog();
    void remove(const std::string& line);
    void update(const std::string& line, const QString& description);
};

void TestBadInput::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    folder_ = fs::path(dir_->path().toStdString()) / "work";
    fs::create_directory(folder_);
    std::ofstream(folder_ / "added.txt") << "x";
    platform_ = std::make_unique<FakePlatform>();
    previousFolder_ = QDir::currentPath();
    // The Add Item dialog opens at the working folder, which holds the list.
    QVERIFY(QDir::setCurrent(QString::fromStdString(folder_.string())));
}

void TestBadInput::cleanup() {
    app_.reset();
    QCoreApplication::sendPostedEvents(); // closed dialogs go once their event is over
    QDir::setCurrent(previousFolder_);
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, ignored);
    // Never through a link: list.dat may point at a device.
    if (fs::is_regular_file(fs::symlink_status(listPath(), ignored)))
        fs::permissions(listPath(), fs::perms::owner_read | fs::perms::owner_write, ignored);
}

void TestBadInput::writeList(const std::string& list) const {
    std::ofstream(listPath(), std::ios::binary) << list;
}

StartOutcome TestBadInput::start(const std::string& list) {
    writeList(list);
    app_ = std::make_unique<QtListWindow>(*platform_, folder_);
    return app_->form().Form_Load();
}

void TestBadInput::drop(const std::string& path) {
    lstApps_OLEDragDrop(app_->form(), DroppedFiles{true, {path}});
}

void TestBadInput::addThroughTheDialog() {
    app_->form().ShowAddDialog();
    QWidget* dialog = app_->dialog(DialogNumber::AddItem);
    QVERIFY(dialog != nullptr);
    auto* files = dialog->findChild<FileList*>("filList");
    int row = 0;
    while (row < files->count() && files->name(row) != "added.txt")
        ++row;
    QVERIFY(row < files->count());
    const QModelIndex index = files->model()->index(row, 0);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(index).center());
    QCOMPARE(files->name(files->selectedRow()), std::string("added.txt"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    dialog->close();
}

void TestBadInput::remove(const std::string& line) {
    app_->window().lstApps()->selectIndex(rowOf(*app_, line));
    platform_->answers = {MessageAnswer::Yes};
    RemoveSelectedItem(app_->form());
}

void TestBadInput::update(const std::string& line, const QString& description) {
    app_->window().lstApps()->selectIndex(rowOf(*app_, line));
    app_->form().ShowPropertiesDialog();
    QPointer<QWidget> dialog = app_->dialog(DialogNumber::Properties);
    QVERIFY(!dialog.isNull());
    // A null description leaves the box as it was loaded.
    if (!description.isNull()) {
        auto* box = dialog->findChild<QLineEdit*>("txtDescr");
        box->clear();
        QTest::keyClicks(box, description);
    }
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
    if (!dialog.isNull())
        dialog->close();
    QCoreApplication::sendPostedEvents(); // closed dialogs go once their event is over
}

void TestBadInput::oddBytesLoadAndSurvive_data() {
    QTest::addColumn<QByteArray>("list");
    const std::string nul = makeItemLine(std::string("Zero\0byte", 9), std::string("/opt/a\0b", 8));
    QTest::newRow("NUL bytes") << bytes(nul + "\r\n" + Three);
    QTest::newRow("invalid UTF-8")
        << QByteArray("Caf\xe9 \xc3(                      |/m\xfc/\xff\xfe\r\n" +
                      QByteArray::fromStdString(Three));
    QTest::newRow("a line of one megabyte")
        << bytes(makeItemLine("Huge", "/" + std::string(1 << 20, 'h')) + "\r\n" + Three);
    QTest::newRow("CR-only line ends") << QByteArray("Alpha                         |/opt/alpha\r"
                                                     "Beta                          |/opt/beta\r"
                                                     "Gamma                         |/opt/gamma");
    QTest::newRow("LF line ends, as a Unix editor writes them")
        << QByteArray("Two                           |/opt/two\nlines\r\n" +
                      QByteArray::fromStdString(Three) + "tail\n");
    QTest::newRow("only empty lines") << QByteArray("\r\n\r\n\r\n");
}

// Every line becomes a row as it is; a drop appends after it, a removal rewrites the file,
// and every line the file held is still there, byte for byte.
void TestBadInput::oddBytesLoadAndSurvive() {
    QFETCH(QByteArray, list);
    const std::string original = list.toStdString();
    const Lines lines = splitListBytes(original);
    QCOMPARE(start(original), StartOutcome::Resident);
    QVERIFY(platform_->messages.empty());
    QCOMPARE(sorted(rowsOf(*app_)), sorted(lines));

    drop("/srv/dropped.txt");
    const std::string added = makeItemLine("dropped.txt", "/srv/dropped.txt");
    Lines withAdded = lines;
    withAdded.push_back(added);
    QVERIFY(platform_->messages.empty());
    QCOMPARE(splitListBytes(readFile(listPath())), withAdded);
    QCOMPARE(sorted(rowsOf(*app_)), sorted(withAdded));

    // The odd line opens its own target, every byte of it.
    const std::string odd = lines.front();
    app_->window().lstApps()->selectIndex(rowOf(*app_, odd));
    lstApps_DblClick(app_->form());
    QCOMPARE(platform_->openRequests, Lines{std::string(targetField(odd))});

    remove(added);
    QCOMPARE(platform_->messages.size(), 1u); // the question only
    QCOMPARE(splitListBytes(readFile(listPath())), lines);
    QCOMPARE(sorted(rowsOf(*app_)), sorted(lines));
}

void TestBadInput::longLineShowsOnlyItsStart() {
    const std::string huge = makeItemLine("Huge", "/" + std::string(1 << 20, 'h'));
    QCOMPARE(start(huge + "\r\n" + Three), StartOutcome::Resident);
    const int row = rowOf(*app_, huge);
    QVERIFY(row >= 0);
    QCOMPARE(app_->window().lstApps()->line(row), huge); // the row holds the whole line
    const QString shown = app_->window().lstApps()->item(row)->text();
    QCOMPARE(shown, QString("Huge") + QString(26, ' ')); // the description column only
}

// A row whose bytes are not UTF-8: the boxes show replacement characters, but an update
// must neither take an untouched description for a change nor change the target.
void TestBadInput::propertiesKeepBytesTheBoxCannotShow() {
    const std::string odd = "Caf\xe9                          |/m\xfcsic/\xff.ogg";
    QCOMPARE(characterCount(descriptionField(odd)), DescriptionWidth);
    QCOMPARE(start(odd + "\r\n" + Three), StartOutcome::Resident);

    const std::string before = readFile(listPath());
    update(odd, QString()); // the box as it was loaded
    QVERIFY(platform_->messages.empty());
    QCOMPARE(readFile(listPath()), before);
    QVERIFY(rowOf(*app_, odd) >= 0);

    update(odd, "Music");
    QVERIFY(platform_->messages.empty());
    const std::string edited = makeItemLine("Music", "/m\xfcsic/\xff.ogg");
    QCOMPARE(splitListBytes(readFile(listPath())).front(), edited);
    QVERIFY(rowOf(*app_, edited) >= 0);
}

void TestBadInput::startUpTellsAndEnds_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("reason");
    QTest::newRow("list.dat unreadable") << "unreadable"
                                         << "Permission denied";
    QTest::newRow("list.dat a link to a device") << "device"
                                                 << "not an ordinary file";
    QTest::newRow("list.dat a pipe") << "pipe"
                                     << "not an ordinary file";
    QTest::newRow("no list.dat, read-only folder") << "read-only folder"
                                                   << "Permission denied";
    QTest::newRow("no list.dat, temp.dat a folder") << "scratch folder"
                                                    << "Is a directory";
}

void TestBadInput::startUpTellsAndEnds() {
    QFETCH(QString, state);
    QFETCH(QString, reason);
    if (state == "unreadable") {
        writeList(Three);
        fs::permissions(listPath(), fs::perms::none);
    } else if (state == "device") {
        fs::create_symlink("/dev/full", listPath());
    } else if (state == "pipe") {
        QCOMPARE(::mkfifo(listPath().c_str(), 0644), 0);
    } else if (state == "read-only folder") {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    } else {
        fs::create_directory(scratchPath());
    }
    const auto typeBefore = fs::symlink_status(listPath()).type();
    std::optional<StartOutcome> outcome;
    {
        PermissionBitsCount bits;
        QVERIFY(bits.holds());
        app_ = std::make_unique<QtListWindow>(*platform_, folder_);
        outcome = app_->form().Form_Load();
    }
    QCOMPARE(*outcome, StartOutcome::ListFileFailed);
    QCOMPARE(platform_->messages.size(), 1u);
    const QString text = QString::fromStdString(platform_->messages[0].text);
    QVERIFY2((text.contains("list.dat") || text.contains("temp.dat")) && text.contains(reason),
             qPrintable(text));
    QCOMPARE(platform_->messages[0].title, std::string("Quivanto - Error Occured!"));
    QCOMPARE(platform_->trayRequests, (std::vector<int>{0, 2})); // the icon does not stay
    QCOMPARE(fs::symlink_status(listPath()).type(), typeBefore);
}

void TestBadInput::startUpLoadsAReadOnlyList_data() {
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("read-only list.dat") << false;
    QTest::newRow("read-only working folder") << true;
}

void TestBadInput::startUpLoadsAReadOnlyList() {
    QFETCH(bool, readOnlyFolder);
    writeList(Three);
    if (readOnlyFolder)
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    else
        fs::permissions(listPath(), fs::perms::owner_read);
    PermissionBitsCount bits;
    QVERIFY(bits.holds());
    app_ = std::make_unique<QtListWindow>(*platform_, folder_);
    QCOMPARE(app_->form().Form_Load(), StartOutcome::Resident);
    QVERIFY(platform_->messages.empty());
    QCOMPARE(sorted(rowsOf(*app_)), sorted(splitListBytes(Three)));
}

void TestBadInput::unwritableListKeepsListAndFileEqual_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("reason"); // empty: the command goes through
    // Every command, an added item too, writes through temp.dat: the same reasons for all.
    struct State {
        const char* name;
        const char* reason;
    };
    const State states[] = {
        {"list.dat a folder", "Is a directory"},
        {"list.dat read-only", "Permission denied"},
        {"list.dat unreadable", "Permission denied"},
        {"list.dat a link to a device", "not an ordinary file"},
        {"disk full", "File too large"},
        {"temp.dat a folder", "Is a directory"},
        {"temp.dat read-only", ""},
        {"working folder read-only", "Permission denied"},
    };
    for (const State& state : states)
        for (const char* command : {"drop", "add", "remove", "update"})
            QTest::addRow("%s: %s", state.name, command) << state.name << command << state.reason;
}

void TestBadInput::unwritableListKeepsListAndFileEqual() {
    QFETCH(QString, state);
    QFETCH(QString, command);
    QFETCH(QString, reason);
    QCOMPARE(start(Three), StartOutcome::Resident);
    const Lines rowsBefore = rowsOf(*app_);
    const int height = app_->window().height();
    QSignalSpy unloaded(&app_->eventLoop(), &QtEventLoop::ended);

    if (state == "list.dat a folder") {
        fs::remove(listPath());
        fs::create_directory(listPath());
    } else if (state == "list.dat read-only") {
        fs::permissions(listPath(), fs::perms::owner_read | fs::perms::group_read);
    } else if (state == "list.dat unreadable") {
        fs::permissions(listPath(), fs::perms::none);
    } else if (state == "list.dat a link to a device") {
        fs::remove(listPath());
        fs::create_symlink("/dev/full", listPath());
    } else if (state == "temp.dat a folder") {
        fs::create_directory(scratchPath());
    } else if (state == "temp.dat read-only") {
        std::ofstream(scratchPath()) << "left over";
        fs::permissions(scratchPath(), fs::perms::owner_read);
    } else if (state == "working folder read-only") {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    }
    const bool listIsAFile = fs::is_regular_file(fs::symlink_status(listPath()));
    const std::string fileBefore = listIsAFile ? readFile(listPath()) : std::string();
    {
        PermissionBitsCount bits;
        QVERIFY(bits.holds());
        std::optional<FullDisk> full;
        if (state == "disk full")
            full.emplace(40);
        if (command == "drop")
            drop("/srv/dropped.txt");
        else if (command == "add")
            addThroughTheDialog();
        else if (command == "remove")
            remove(rowsBefore[1]);
        else
            update(rowsBefore[1], "Edited");
    }
    QCOMPARE(unloaded.count(), 0);

    // Asked (remove only), then told: the error is the last message shown.
    std::vector<FakePlatform::ShownMessage> errors;
    for (const auto& message : platform_->messages) {
        if (message.title != "Quivanto - Are you sure?")
            errors.push_back(message);
    }
    if (reason.isEmpty()) {
        QVERIFY2(errors.empty(), errors.empty() ? "" : errors[0].text.c_str());
        QCOMPARE(sorted(rowsOf(*app_)), sorted(splitListBytes(readFile(listPath()))));
        QVERIFY(rowsOf(*app_) != rowsBefore);
        if (command == "remove" || command == "update")
            QVERIFY(!fs::exists(fs::symlink_status(scratchPath()))); // a leftover is replaced
        return;
    }
    QCOMPARE(errors.size(), 1u);
    const QString text = QString::fromStdString(errors[0].text);
    QVERIFY2(text.contains(reason) && (text.contains("list.dat") || text.contains("temp.dat")),
             qPrintable(text));
    QVERIFY(errors[0].style == quivanto::testing::OkWithExclamation);
    QCOMPARE(sorted(rowsOf(*app_)), sorted(rowsBefore));
    QCOMPARE(app_->window().height(), height);
    if (listIsAFile) {
        QCOMPARE(readFile(listPath()), fileBefore);
        QCOMPARE(sorted(rowsOf(*app_)), sorted(splitListBytes(fileBefore)));
    }
}

void TestBadInput::droppedNamesAreStoredAndOpenedAsGiven_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("description"); // empty: refused for its line break
    QTest::newRow("CR in the name") << QByteArray("/srv/two\rlines") << QByteArray();
    QTest::newRow("LF in the name") << QByteArray("/srv/two\nlines") << QByteArray();
    QTest::newRow("leading dash") << QByteArray("/srv/-rf --no-preserve-root")
                                  << QByteArray("-rf --no-preserve-root");
    QTest::newRow("semicolon") << QByteArray("/srv/a;rm -rf ~") << QByteArray("a;rm -rf ~");
    QTest::newRow("command substitution")
        << QByteArray("/srv/$(touch pwned).txt") << QByteArray("$(touch pwned).txt");
    QTest::newRow("backquotes") << QByteArray("/srv/`id`&|<>'\"*?") << QByteArray("`id`&|<>'\"*?");
    QTest::newRow("4,096 characters") << QByteArray("/srv/" + QByteArray(4091, 'p'))
                                      << QByteArray(14, 'p') + "~" + QByteArray(15, 'p');
    QTest::newRow("not UTF-8") << QByteArray("/srv/caf\xe9 \xff.txt")
                               << QByteArray("caf\xe9 \xff.txt");
    QTest::newRow("ends with spaces")
        << QByteArray("/srv/notes.txt  ") << QByteArray("notes.txt  ");
}

void TestBadInput::droppedNamesAreStoredAndOpenedAsGiven() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, description);
    QCOMPARE(start(Three), StartOutcome::Resident);
    drop(path.toStdString());
    if (description.isEmpty()) {
        QCOMPARE(platform_->messages.size(), 1u);
        QCOMPARE(platform_->messages[0].title, std::string("Quivanto - File Name Not Supported!"));
        QCOMPARE(readFile(listPath()), Three);
        QCOMPARE(app_->window().lstApps()->count(), 3);
        return;
    }
    QVERIFY(platform_->messages.empty());
    const std::string line = makeItemLine(description.toStdString(), path.toStdString());
    QCOMPARE(bytes(readFile(listPath())), bytes(Three + line + "\r\n"));
    app_->window().lstApps()->selectIndex(rowOf(*app_, line));
    lstApps_DblClick(app_->form());
    QCOMPARE(platform_->openRequests, Lines{path.toStdString()}); // this, and nothing else
    QVERIFY(platform_->starts.empty());
}

void TestBadInput::droppedNameKeepsItsBytes_data() {
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QByteArray>("path");
    QTest::newRow("not UTF-8") << QUrl::fromEncoded("file:///srv/caf%E9%20%FF.txt")
                               << QByteArray("/srv/caf\xe9 \xff.txt");
    QTest::newRow("UTF-8") << QUrl::fromLocalFile(QStringLiteral("/srv/\u00e9t\u00e9 \u20ac"))
                           << QByteArray("/srv/\xc3\xa9t\xc3\xa9 \xe2\x82\xac");
    QTest::newRow("shell characters")
        << QUrl::fromLocalFile(QStringLiteral("/srv/$(touch x);`id` 50%"))
        << QByteArray("/srv/$(touch x);`id` 50%");
}

// The file list of a real drop, as the drop command receives it.
void TestBadInput::droppedNameKeepsItsBytes() {
    QFETCH(QUrl, url);
    QFETCH(QByteArray, path);
    QMimeData data;
    data.setUrls({url});
    const DroppedFiles dropped = droppedFilesFrom(data);
    QVERIFY(dropped.hasFileList);
    QCOMPARE(dropped.paths, Lines{path.toStdString()});
}

// The desktop back end's boxes: a line of a megabyte is shown by its two ends.
void TestBadInput::overlongMessageLinesFitTheScreen() {
    const std::string target = "/start" + std::string(1 << 20, 'm') + "\xf0\x9f\x98\x80" + "end";
    const QString shown = DesktopPlatform::messageBoxText("First line\r\rFILE NAME: " + target);
    const QStringList lines = shown.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QString("First line"));
    QVERIFY(lines[2].startsWith("FILE NAME: /start"));
    QVERIFY(lines[2].endsWith(QString::fromUtf8("\xf0\x9f\x98\x80"
                                                "end")));
    QVERIFY2(lines[2].size() < 1000, qPrintable(QString::number(lines[2].size())));
    QVERIFY(lines[2].contains(QChar(0x2026)));
    // A short line is left whole.
    QCOMPARE(DesktopPlatform::messageBoxText("a\rb"), QString("a\nb"));
}

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"
