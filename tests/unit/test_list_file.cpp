#include "core/item_line.h"
#include "core/list_file.h"
#include "support/fake_platform.h"
#include "support/permission_bits.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace quivanto;
using quivanto::testing::FakePlatform;

namespace {

const std::string Defaults = "Explorer                      |explorer.exe\r\n"
                             "Notepad                       |notepad.exe\r\n";

using Operation = std::function<void(ListFile&)>;

const std::string Three = "Alpha                         |/opt/alpha\r\n"
                          "Beta                          |/opt/beta\r\n"
                          "Gamma                         |/opt/gamma\r\n";

// Every operation that writes the list.
QMap<QString, Operation> writers() {
    return {{"append",
             [](ListFile& file) {
                 file.appendItemLine("New|/opt/new");
             }},
            {"delete",
             [](ListFile& file) {
                 file.deleteItemLine(file.readLines().at(1));
             }},
            {"replace",
             [](ListFile& file) {
                 file.replaceItemLine("Edited|/opt/beta", file.readLines()[1]);
             }},
            {"defaults", [](ListFile& file) {
                 file.writeDefaultList();
             }}};
}

std::filesystem::perms permissionsOf(const std::filesystem::path& path) {
    return std::filesystem::status(path).permissions();
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

QStringList toList(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& line : lines)
        list << QString::fromStdString(line);
    return list;
}

} // namespace

class TestListFile final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void splitsLines_data();
    void splitsLines();
    void startUpCheck_data();
    void startUpCheck();
    void recoversScratchFileBeforeDefaults();
    void appendEndsAnUnfinishedLastLine_data();
    void appendEndsAnUnfinishedLastLine();
    void rewriteActsOnTheFirstEqualLineOnly();
    void rewriteKeepsOtherLinesByteForByte();
    void rewriteOfAnLfListKeepsEveryRow();
    void rewriteOverwritesLeftoverScratchFile();
    void failedReplaceLeavesTheListWhole();
    void failedReplaceWithoutTheListKeepsTheNewList();
    void failuresNameTheFileAndReason();
    void unusableListIsRefusedUntouched_data();
    void unusableListIsRefusedUntouched();
    void readOnlyListIsNeverChanged_data();
    void readOnlyListIsNeverChanged();
    void unreadableListIsTold();
    void readOnlyFolderKeepsTheList();
    void fullDiskLeavesNoPartialWrite_data();
    void fullDiskLeavesNoPartialWrite();
    void fullDiskAtFirstStartLeavesNothing();
    void scratchLeftoversAreReplaced_data();
    void scratchLeftoversAreReplaced();
    void scratchFolderIsRefused();
    void rewriteKeepsTheListPrivate();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    FakePlatform platform_;
    std::filesystem::path folder() const { return dir_->path().toStdString(); }
};

void TestListFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestListFile::splitsLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("CR alone ends a line") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF ends a line") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("a Windows list extended by a Unix editor")
        << QByteArray("a\r\nb\r\nc\nd\n") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("every kind of line end at once")
        << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF then CR are two line ends")
        << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("single empty line") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("empty lines are rows")
        << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestListFile::splitsLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(toList(splitListBytes(bytes.toStdString())), lines);
}

void TestListFile::startUpCheck_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("emptyScratch");
    QTest::addColumn<QByteArray>("after");
    const auto defaults = QByteArray::fromStdString(Defaults);
    QTest::newRow("missing gets the defaults") << false << QByteArray() << false << defaults;
    QTest::newRow("empty gets the defaults") << true << QByteArray() << false << defaults;
    // An empty scratch file is no list to take back.
    QTest::newRow("missing, empty scratch file: the defaults")
        << false << QByteArray() << true << defaults;
    QTest::newRow("empty, empty scratch file: the defaults")
        << true << QByteArray() << true << defaults;
    QTest::newRow("single empty line is kept")
        << true << QByteArray("\r\n") << false << QByteArray("\r\n");
    QTest::newRow("user list untouched")
        << true << QByteArray("mine\n|x") << false << QByteArray("mine\n|x");
}

void TestListFile::startUpCheck() {
    QFETCH(bool, present);
    QFETCH(QByteArray, before);
    QFETCH(bool, emptyScratch);
    QFETCH(QByteArray, after);
    ListFile file(folder(), platform_);
    if (present)
        writeFile(file.path(), before.toStdString());
    if (emptyScratch)
        writeFile(file.scratchPath(), "");
    file.ensureExists();
    QCOMPARE(QByteArray::fromStdString(readFile(file.path())), after);
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
}

void TestListFile::recoversScratchFileBeforeDefaults() {
    ListFile file(folder(), platform_);
    const std::string saved = "Saved                         |/home/u/saved\r\n";
    writeFile(file.scratchPath(), saved);
    file.ensureExists();
    QCOMPARE(readFile(file.path()), saved);
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
}

void TestListFile::appendEndsAnUnfinishedLastLine_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("finished") << QByteArray("a\r\n") << QByteArray("a\r\nnew\r\n");
    QTest::newRow("no line end") << QByteArray("a") << QByteArray("a\r\nnew\r\n");
    QTest::newRow("ends in LF") << QByteArray("a\n") << QByteArray("a\nnew\r\n");
    QTest::newRow("ends in CR") << QByteArray("a\r") << QByteArray("a\rnew\r\n");
    QTest::newRow("empty") << QByteArray() << QByteArray("new\r\n");
}

void TestListFile::appendEndsAnUnfinishedLastLine() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    ListFile file(folder(), platform_);
    writeFile(file.path(), before.toStdString());
    const auto linesBefore = file.readLines();
    file.appendItemLine("new");
    QCOMPARE(QByteArray::fromStdString(readFile(file.path())), after);
    auto expected = linesBefore;
    expected.push_back("new");
    QCOMPARE(toList(file.readLines()), toList(expected));
}

void TestListFile::rewriteActsOnTheFirstEqualLineOnly() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), "twin\r\nother\r\ntwin\r\n");
    QVERIFY(file.deleteItemLine("twin"));
    QCOMPARE(readFile(file.path()), std::string("other\r\ntwin\r\n"));
    QVERIFY(file.replaceItemLine("new", "twin"));
    QCOMPARE(readFile(file.path()), std::string("other\r\nnew\r\n"));
    QVERIFY(!file.deleteItemLine("absent"));
    QCOMPARE(readFile(file.path()), std::string("other\r\nnew\r\n"));
}

void TestListFile::rewriteKeepsOtherLinesByteForByte() {
    ListFile file(folder(), platform_);
    const std::string odd = "bad \xff\xfe utf8 with\ttab|/t\x01";
    const std::string trailing = "Spaces                        |/x   ";
    writeFile(file.path(), odd + "\r\n" + "gone\r\n" + trailing);
    QVERIFY(file.deleteItemLine("gone"));
    QCOMPARE(readFile(file.path()), odd + "\r\n" + trailing + "\r\n");
}

// Lines a Unix editor ended with LF stay whole; a rewrite ends every line it writes with
// CR LF, so the file comes out as a Windows list with the same rows.
void TestListFile::rewriteOfAnLfListKeepsEveryRow() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three + "Delta                         |/opt/delta\n"
                                   "Echo                          |/opt/echo\n");
    QVERIFY(file.deleteItemLine("Beta                          |/opt/beta"));
    QCOMPARE(readFile(file.path()), std::string("Alpha                         |/opt/alpha\r\n"
                                                "Gamma                         |/opt/gamma\r\n"
                                                "Delta                         |/opt/delta\r\n"
                                                "Echo                          |/opt/echo\r\n"));
}

void TestListFile::rewriteOverwritesLeftoverScratchFile() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Defaults);
    writeFile(file.scratchPath(), "stale leftover that is longer than the list\r\n");
    QVERIFY(file.replaceItemLine(makeItemLine("Editor", "notepad.exe"),
                                 makeItemLine("Notepad", "notepad.exe")));
    QCOMPARE(readFile(file.path()), "Explorer                      |explorer.exe\r\n"
                                    "Editor                        |notepad.exe\r\n");
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
}

void TestListFile::failedReplaceLeavesTheListWhole() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Defaults);
    platform_.replaceFailure = std::make_error_code(std::errc::no_space_on_device);
    QVERIFY_THROWS_EXCEPTION(ListFileError, file.deleteItemLine(defaultItemLines().front()));
    QCOMPARE(readFile(file.path()), Defaults);
}

// A replace that took the old list away and then failed leaves the new list only in the
// scratch file: it must stay, and the next start takes it back.
void TestListFile::failedReplaceWithoutTheListKeepsTheNewList() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    platform_.replaceFailure = std::make_error_code(std::errc::io_error);
    platform_.replaceFailureTakesTarget = true;
    QVERIFY_THROWS_EXCEPTION(ListFileError,
                             file.deleteItemLine("Beta                          |/opt/beta"));
    const std::string withoutBeta = "Alpha                         |/opt/alpha\r\n"
                                    "Gamma                         |/opt/gamma\r\n";
    QVERIFY(!std::filesystem::exists(file.path()));
    QCOMPARE(readFile(file.scratchPath()), withoutBeta);
    file.ensureExists();
    QCOMPARE(readFile(file.path()), withoutBeta);
}

void TestListFile::failuresNameTheFileAndReason() {
    ListFile file(folder(), platform_);
    std::filesystem::create_directory(file.path());
    try {
        file.ensureExists();
        QFAIL("a folder named list.dat must not pass for the list");
    } catch (const ListFileError& error) {
        const QString text = QString::fromUtf8(error.what());
        QVERIFY2(text.contains(QString::fromStdString(file.path())), qPrintable(text));
        QVERIFY2(text.contains("directory", Qt::CaseInsensitive), qPrintable(text));
    }
    QVERIFY_THROWS_EXCEPTION(ListFileError, file.appendItemLine("x"));
}

void TestListFile::unusableListIsRefusedUntouched_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("reason");
    for (const QString kind : {"folder", "device", "pipe"}) {
        const QString reason = kind == "folder" ? "directory" : "not an ordinary file";
        QTest::addRow("%s: start-up", qPrintable(kind)) << kind << "start-up" << reason;
        QTest::addRow("%s: read", qPrintable(kind)) << kind << "read" << reason;
        for (const QString& operation : writers().keys())
            QTest::addRow("%s: %s", qPrintable(kind), qPrintable(operation))
                << kind << operation << reason;
    }
}

// A device gives endless bytes and a pipe a read that never returns: neither may be taken
// for the list, nor replaced by it.
void TestListFile::unusableListIsRefusedUntouched() {
    QFETCH(QString, kind);
    QFETCH(QString, operation);
    QFETCH(QString, reason);
    ListFile file(folder(), platform_);
    if (kind == "folder")
        std::filesystem::create_directory(file.path());
    else if (kind == "device")
        std::filesystem::create_symlink("/dev/full", file.path());
    else
        QCOMPARE(::mkfifo(file.path().c_str(), 0644), 0);
    const auto typeBefore = std::filesystem::symlink_status(file.path()).type();
    auto operations = writers();
    operations["start-up"] = [](ListFile& list) {
        list.ensureExists();
    };
    operations["read"] = [](ListFile& list) {
        list.readLines();
    };
    if (operation == "delete" || operation == "replace")
        operations[operation] = [operation](ListFile& list) {
            if (operation == "delete")
                list.deleteItemLine("x");
            else
                list.replaceItemLine("y", "x");
        };
    try {
        operations[operation](file);
        QFAIL("the operation went through");
    } catch (const ListFileError& error) {
        const QString text = QString::fromUtf8(error.what());
        QVERIFY2(text.contains("list.dat") && text.contains(reason, Qt::CaseInsensitive),
                 qPrintable(text));
    }
    QCOMPARE(std::filesystem::symlink_status(file.path()).type(), typeBefore);
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
}

void TestListFile::readOnlyListIsNeverChanged_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("bitsCount");
    for (const QString& operation : writers().keys()) {
        QTest::addRow("%s, as this user", qPrintable(operation)) << operation << false;
        QTest::addRow("%s, as one whom the bits stop", qPrintable(operation)) << operation << true;
    }
}

// A rename replaces a read-only file without asking, and root writes it anyway: the list
// must refuse both.
void TestListFile::readOnlyListIsNeverChanged() {
    QFETCH(QString, operation);
    QFETCH(bool, bitsCount);
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
    std::filesystem::permissions(file.path(), readOnly);
    std::optional<testing::PermissionBitsCount> bits;
    if (bitsCount) {
        bits.emplace();
        QVERIFY(bits->holds());
    }
    try {
        writers()[operation](file);
        QFAIL("a read-only list was written");
    } catch (const ListFileError& error) {
        QVERIFY2(QString(error.what()).contains("Permission denied"), error.what());
        QCOMPARE(error.reason(), std::make_error_code(std::errc::permission_denied));
    }
    bits.reset();
    QCOMPARE(readFile(file.path()), Three);
    QCOMPARE(permissionsOf(file.path()), readOnly);
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
}

void TestListFile::unreadableListIsTold() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    std::filesystem::permissions(file.path(), std::filesystem::perms::none);
    testing::PermissionBitsCount bits;
    QVERIFY(bits.holds());
    file.ensureExists(); // it exists and is not empty: nothing to write
    QVERIFY_THROWS_EXCEPTION(ListFileError, file.readLines());
    QVERIFY_THROWS_EXCEPTION(ListFileError, file.deleteItemLine("x"));
    std::filesystem::permissions(file.path(), std::filesystem::perms::owner_read);
    QCOMPARE(readFile(file.path()), Three);
}

void TestListFile::readOnlyFolderKeepsTheList() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    const auto folderPermissions = permissionsOf(folder());
    std::filesystem::permissions(folder(), std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
    {
        testing::PermissionBitsCount bits;
        QVERIFY(bits.holds());
        // Every change, an added line too, needs a scratch file beside the list, which the
        // folder refuses, though the list itself is writable.
        QVERIFY_THROWS_EXCEPTION(ListFileError, file.appendItemLine("New|/opt/new"));
        QVERIFY_THROWS_EXCEPTION(ListFileError,
                                 file.deleteItemLine("Beta                          |/opt/beta"));
        QVERIFY_THROWS_EXCEPTION(
            ListFileError, file.replaceItemLine("x", "Beta                          |/opt/beta"));
    }
    QCOMPARE(readFile(file.path()), Three);
    QVERIFY(!std::filesystem::exists(file.scratchPath()));

    // Without a list, the defaults cannot be written either: told, nothing made.
    std::filesystem::permissions(folder(), folderPermissions);
    std::filesystem::remove(file.path());
    std::filesystem::permissions(folder(), std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
    {
        testing::PermissionBitsCount bits;
        QVERIFY_THROWS_EXCEPTION(ListFileError, file.ensureExists());
    }
    std::filesystem::permissions(folder(), folderPermissions);
    QVERIFY(!std::filesystem::exists(file.path()));
}

void TestListFile::fullDiskLeavesNoPartialWrite_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("room");
    // Room for part of the new bytes: the disk fills in the middle of the line.
    QTest::newRow("append") << "append" << static_cast<int>(Three.size()) + 10;
    QTest::newRow("delete") << "delete" << 30;
    QTest::newRow("replace") << "replace" << 30;
}

// A full disk, made by a limit on file size that stops writes past it just as a full disk
// does (the system's answer is "File too large" instead of "No space left on device").
void TestListFile::fullDiskLeavesNoPartialWrite() {
    QFETCH(QString, operation);
    QFETCH(int, room);
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    rlimit before{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = static_cast<rlim_t>(room);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString told;
    try {
        writers()[operation](file);
    } catch (const ListFileError& error) {
        told = QString::fromUtf8(error.what());
    }
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY2(told.contains("File too large"), qPrintable(told));
    QCOMPARE(readFile(file.path()), Three);
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
}

// A half-written scratch file left without a list would be taken for the list next time.
void TestListFile::fullDiskAtFirstStartLeavesNothing() {
    ListFile file(folder(), platform_);
    rlimit before{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = 30;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool told = false;
    try {
        file.ensureExists();
    } catch (const ListFileError&) {
        told = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(told);
    QVERIFY(!std::filesystem::exists(file.path()));
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
    file.ensureExists();
    QCOMPARE(readFile(file.path()), Defaults);
}

void TestListFile::scratchLeftoversAreReplaced_data() {
    QTest::addColumn<QString>("leftover");
    QTest::newRow("read-only file") << "read-only";
    QTest::newRow("link to another file") << "link";
    QTest::newRow("link to nowhere") << "dangling";
}

void TestListFile::scratchLeftoversAreReplaced() {
    QFETCH(QString, leftover);
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    const auto victim = folder() / "victim.txt";
    writeFile(victim, "someone else's file\n");
    if (leftover == "read-only") {
        writeFile(file.scratchPath(), "stale\r\n");
        std::filesystem::permissions(file.scratchPath(), std::filesystem::perms::owner_read);
    } else {
        std::filesystem::create_symlink(leftover == "link" ? victim : folder() / "nowhere",
                                        file.scratchPath());
    }
    {
        testing::PermissionBitsCount bits;
        QVERIFY(file.deleteItemLine("Beta                          |/opt/beta"));
    }
    QCOMPARE(readFile(file.path()), "Alpha                         |/opt/alpha\r\n"
                                    "Gamma                         |/opt/gamma\r\n");
    QCOMPARE(readFile(victim), std::string("someone else's file\n"));
    QVERIFY(!std::filesystem::exists(file.scratchPath()));
    QVERIFY(!std::filesystem::is_symlink(file.scratchPath()));
    QVERIFY(!std::filesystem::exists(folder() / "nowhere"));
}

void TestListFile::scratchFolderIsRefused() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    std::filesystem::create_directory(file.scratchPath());
    writeFile(std::filesystem::path(file.scratchPath()) / "inside.txt", "kept");
    for (const auto& [name, operation] : writers().toStdMap()) {
        try {
            operation(file);
            QFAIL(qPrintable(name + " went through"));
        } catch (const ListFileError& error) {
            QVERIFY2(QString(error.what()).contains("temp.dat") &&
                         QString(error.what()).contains("directory", Qt::CaseInsensitive),
                     error.what());
        }
    }
    QCOMPARE(readFile(file.path()), Three);
    QCOMPARE(readFile(std::filesystem::path(file.scratchPath()) / "inside.txt"),
             std::string("kept"));
}

void TestListFile::rewriteKeepsTheListPrivate() {
    ListFile file(folder(), platform_);
    writeFile(file.path(), Three);
    const auto privateToOwner =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    std::filesystem::permissions(file.path(), privateToOwner);
    QVERIFY(file.deleteItemLine("Beta                          |/opt/beta"));
    QCOMPARE(permissionsOf(file.path()), privateToOwner);
}

QTEST_GUILESS_MAIN(TestListFile)
#include "test_list_file.moc"
