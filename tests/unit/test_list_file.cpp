#include "core/item_line.h"
#include "core/list_file.h"
#include "support/fake_platform.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;

namespace {

const std::string Defaults = "Explorer                      |explorer.exe\r\n"
                             "Notepad                       |notepad.exe\r\n";

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
    void rewriteOverwritesLeftoverScratchFile();
    void failedReplaceLeavesTheListWhole();
    void failuresNameTheFileAndReason();

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
    QTest::newRow("lone LF stays in the line") << QByteArray("a\nb\r\n") << QStringList{"a\nb"};
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
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("missing gets the defaults")
        << false << QByteArray() << QByteArray::fromStdString(Defaults);
    QTest::newRow("empty gets the defaults")
        << true << QByteArray() << QByteArray::fromStdString(Defaults);
    QTest::newRow("single empty line is kept") << true << QByteArray("\r\n") << QByteArray("\r\n");
    QTest::newRow("user list untouched")
        << true << QByteArray("mine\n|x") << QByteArray("mine\n|x");
}

void TestListFile::startUpCheck() {
    QFETCH(bool, present);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    ListFile file(folder(), platform_);
    if (present)
        writeFile(file.path(), before.toStdString());
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
    QTest::newRow("ends in lone LF") << QByteArray("a\n") << QByteArray("a\n\r\nnew\r\n");
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
    const std::string odd = "bad \xff\xfe utf8\nwith LF|/t\x01";
    const std::string trailing = "Spaces                        |/x   ";
    writeFile(file.path(), odd + "\r\n" + "gone\r\n" + trailing);
    QVERIFY(file.deleteItemLine("gone"));
    QCOMPARE(readFile(file.path()), odd + "\r\n" + trailing + "\r\n");
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

void TestListFile::failuresNameTheFileAndReason() {
    ListFile file(folder(), platform_);
    std::filesystem::create_directory(file.path());
    try {
        file.ensureExists();
        QFAIL("a folder named list.dat must not pass for the list");
    } catch (const ListFileError& error) {
        const QString text = QString::fromUtf8(error.what());
        QVERIFY2(text.contains(QString::fromStdString(file.path().string())), qPrintable(text));
        QVERIFY2(text.contains("directory", Qt::CaseInsensitive), qPrintable(text));
    }
    QVERIFY_THROWS_EXCEPTION(ListFileError, file.appendItemLine("x"));
}

QTEST_GUILESS_MAIN(TestListFile)
#include "test_list_file.moc"
