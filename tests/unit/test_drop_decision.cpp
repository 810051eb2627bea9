#include "commands/drop_decision.h"
#include "core/item_line.h"
#include "support/fake_platform.h"

#include <QtTest>

using namespace quivanto;

namespace {

std::string s(const QString& text) {
    return text.toStdString();
}

std::vector<std::string> rowsFrom(const QStringList& rows) {
    std::vector<std::string> result;
    for (const auto& row : rows)
        result.push_back(s(row));
    return result;
}

QString line(const QString& description, const QString& target) {
    return QString::fromStdString(makeItemLine(s(description), s(target)));
}

// The numbered variants of a one-letter name, as the renaming writes them.
QString variant(int counter) {
    const int spaces = counter < 10 ? 27 : 26;
    return "n" + QString(spaces, ' ') + "~" + QString::number(counter);
}

} // namespace

Q_DECLARE_METATYPE(quivanto::ScanResult)

class TestDropDecision final : public QObject {
    Q_OBJECT
private slots:
    void fileNameFollowsTheLastSeparator_data();
    void fileNameFollowsTheLastSeparator();
    void descriptionFitsThirtyCharacters_data();
    void descriptionFitsThirtyCharacters();
    void scanRefusesOrRenames_data();
    void scanRefusesOrRenames();
    void renamingStopsAfterNinetyNine();
    void decidesTheWholeDrop_data();
    void decidesTheWholeDrop();
};

void TestDropDecision::fileNameFollowsTheLastSeparator_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("name");
    QTest::newRow("Windows path") << "C:\\Tools\\notepad.exe" << '\\' << "notepad.exe";
    QTest::newRow("drive root has no name") << "D:\\" << '\\' << "";
    QTest::newRow("Linux path") << "/home/ann/notes.txt" << '/' << "notes.txt";
    QTest::newRow("Linux root has no name") << "/" << '/' << "";
    QTest::newRow("no separator: the whole path") << "notes.txt" << '/' << "notes.txt";
    QTest::newRow("the other system's separator is a plain character")
        << "/srv/a\\b.txt" << '/' << "a\\b.txt";
}

void TestDropDecision::fileNameFollowsTheLastSeparator() {
    QFETCH(QString, path);
    QFETCH(char, separator);
    QFETCH(QString, name);
    const std::string text = s(path);
    QCOMPARE(QString::fromStdString(std::string(droppedFileName(text, separator))), name);
}

void TestDropDecision::descriptionFitsThirtyCharacters_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("description");
    QTest::newRow("short name padded, extension kept") << "notepad.exe"
                                                       << "notepad.exe" + QString(19, ' ');
    QTest::newRow("30 characters stay whole") << "abcdefghijklmnopqrstuvwxyz1234"
                                              << "abcdefghijklmnopqrstuvwxyz1234";
    QTest::newRow("31 characters: first 14, ~, last 15") << "abcdefghijklmnopqrstuvwxyz12345"
                                                         << "abcdefghijklmn~qrstuvwxyz12345";
    QTest::newRow("empty name: 30 spaces") << "" << QString(30, ' ');
    QTest::newRow("long non-ASCII name cut by characters")
        << QString(17, QChar(0x00FC)) + QString(14, 'x')
        << QString(14, QChar(0x00FC)) + "~" + QString(1, QChar(0x00FC)) + QString(14, 'x');
}

void TestDropDecision::descriptionFitsThirtyCharacters() {
    QFETCH(QString, fileName);
    QFETCH(QString, description);
    QCOMPARE(QString::fromStdString(descriptionForFileName(s(fileName))), description);
}

void TestDropDecision::scanRefusesOrRenames_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("path");
    QTest::addColumn<ScanResult>("result");
    QTest::addColumn<QString>("itemLine");
    QTest::addColumn<QString>("matched");

    const QString notepad = "notepad.exe" + QString(19, ' ');
    const QString notepad2 = "notepad.exe" + QString(17, ' ') + "~2";
    const QString notepad3 = "notepad.exe" + QString(17, ' ') + "~3";

    QTest::newRow("empty list adds") << QStringList{} << notepad << "/a/notepad.exe"
                                     << ScanResult::Add << line(notepad, "/a/notepad.exe") << "";
    QTest::newRow("listed path under another description is refused")
        << QStringList{line("Editor", "/a/notepad.exe")} << notepad << "/a/notepad.exe"
        << ScanResult::DuplicatePath << ""
        << "Editor" + QString(24, ' ');
    QTest::newRow("path in another letter case is new")
        << QStringList{line("Editor", "/a/Notepad.exe")} << notepad << "/a/notepad.exe"
        << ScanResult::Add << line(notepad, "/a/notepad.exe") << "";
    QTest::newRow("same path and description: only the path refusal")
        << QStringList{line(notepad, "/a/notepad.exe")} << notepad << "/a/notepad.exe"
        << ScanResult::DuplicatePath << "" << notepad;
    QTest::newRow("same name in another folder gets ~2")
        << QStringList{line(notepad, "/a/notepad.exe")} << notepad << "/b/notepad.exe"
        << ScanResult::Add << line(notepad2, "/b/notepad.exe") << "";
    QTest::newRow("a third one gets ~3 on the rescan")
        << QStringList{line(notepad, "/a/notepad.exe"), line(notepad2, "/b/notepad.exe")} << notepad
        << "/c/notepad.exe" << ScanResult::Add << line(notepad3, "/c/notepad.exe") << "";
    QTest::newRow("the rescan begins again at the first row")
        << QStringList{line("abcdefghijklmnopqrstuvwxyz12~2", "/x/one"),
                       line("abcdefghijklmnopqrstuvwxyz1234", "/x/two")}
        << "abcdefghijklmnopqrstuvwxyz1234"
        << "/y/abcdefghijklmnopqrstuvwxyz1234" << ScanResult::Add
        << line("abcdefghijklmnopqrstuvwxyz12~3", "/y/abcdefghijklmnopqrstuvwxyz1234") << "";
    QTest::newRow("a variant equal to the matched row is skipped")
        << QStringList{line("abcdefghijklmnopqrstuvwxyz12~2", "/x/one")}
        << "abcdefghijklmnopqrstuvwxyz12~2"
        << "/y/other" << ScanResult::Add << line("abcdefghijklmnopqrstuvwxyz12~3", "/y/other")
        << "";
    QTest::newRow("path refusal found after a renaming")
        << QStringList{line(notepad, "/a/notepad.exe"), line("Other", "/b/notepad.exe")} << notepad
        << "/b/notepad.exe" << ScanResult::DuplicatePath << ""
        << "Other" + QString(25, ' ');
    QTest::newRow("from ~10 on, 27 characters are kept")
        << QStringList{line("n", "/1"),        line(variant(2), "/2"), line(variant(3), "/3"),
                       line(variant(4), "/4"), line(variant(5), "/5"), line(variant(6), "/6"),
                       line(variant(7), "/7"), line(variant(8), "/8"), line(variant(9), "/9")}
        << "n" + QString(29, ' ') << "/new" << ScanResult::Add << line(variant(10), "/new") << "";
    // Where names may end with spaces, they are part of the name: another file.
    const QString song = "song.ogg" + QString(22, ' ');
    QTest::newRow("a path with trailing spaces is another file")
        << QStringList{line("Song", "/srv/song.ogg")} << song << "/srv/song.ogg  "
        << ScanResult::Add << line(song, "/srv/song.ogg  ") << "";
    QTest::newRow("a path without the listed one's trailing spaces is another file")
        << QStringList{line("Song", "/srv/song.ogg ")} << song << "/srv/song.ogg" << ScanResult::Add
        << line(song, "/srv/song.ogg") << "";
}

void TestDropDecision::scanRefusesOrRenames() {
    QFETCH(QStringList, rows);
    QFETCH(QString, description);
    QFETCH(QString, path);
    QFETCH(ScanResult, result);
    QFETCH(QString, itemLine);
    QFETCH(QString, matched);
    const DuplicateScan scan = scanForDuplicates(rowsFrom(rows), s(description), s(path));
    QCOMPARE(scan.result, result);
    if (result == ScanResult::Add)
        QCOMPARE(QString::fromStdString(scan.itemLine), itemLine);
    else
        QCOMPARE(QString::fromStdString(scan.matchedDescription), matched);
}

void TestDropDecision::renamingStopsAfterNinetyNine() {
    QStringList rows{line("n", "/n/1")};
    for (int counter = 2; counter <= 98; ++counter)
        rows << line(variant(counter), "/n/" + QString::number(counter));
    // ~99 is still free: the counter may reach 99.
    DuplicateScan scan = scanForDuplicates(rowsFrom(rows), descriptionForFileName("n"), "/new");
    QCOMPARE(scan.result, ScanResult::Add);
    QCOMPARE(QString::fromStdString(scan.itemLine), line(variant(99), "/new"));

    rows << line(variant(99), "/n/99");
    scan = scanForDuplicates(rowsFrom(rows), descriptionForFileName("n"), "/new");
    QCOMPARE(scan.result, ScanResult::DuplicateDescription);
    QCOMPARE(QString::fromStdString(scan.matchedDescription), variant(99));
}

void TestDropDecision::decidesTheWholeDrop_data() {
    QTest::addColumn<bool>("hasFileList");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("showList");
    QTest::addColumn<QString>("itemLine");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("no file list")
        << false << QStringList{} << '/' << false << ""
        << "Quivanto - File Type Not Supported!"
        << "The system file that you selected cannot be placed in your Quivanto list.\rPlease "
           "create a shortcut for the system file before placing it in your list.";
    QTest::newRow("several files")
        << true << QStringList{"/a", "/b"} << '/' << false << ""
        << "Quivanto - Drag and Drop Multiple Files Error"
        << "You may only drag and drop one item into your Quivanto list.";
    QTest::newRow("an empty file list does nothing") << true << QStringList{} << '/' << false << ""
                                                     << ""
                                                     << "";
    QTest::newRow("one Windows file")
        << true << QStringList{"C:\\Tools\\notepad.exe"} << '\\' << true
        << "notepad.exe" + QString(19, ' ') + "|C:\\Tools\\notepad.exe"
        << ""
        << "";
    QTest::newRow("spaces around a Windows path are removed")
        << true << QStringList{"  C:\\Music\\song.ogg  "} << '\\' << true
        << "song.ogg" + QString(22, ' ') + "|C:\\Music\\song.ogg"
        << ""
        << "";
    QTest::newRow("a Unix name ending with spaces keeps them")
        << true << QStringList{"  /srv/song.ogg  "} << '/' << true
        << "song.ogg" + QString(22, ' ') + "|/srv/song.ogg  "
        << ""
        << "";
    QTest::newRow("a Unix name of spaces only is kept whole")
        << true << QStringList{"/srv/   "} << '/' << true << QString(30, ' ') + "|/srv/   "
        << ""
        << "";
    QTest::newRow("listed path refused, naming the listed item")
        << true << QStringList{"/home/ann/notes.txt"} << '/' << true << ""
        << "Quivanto - Duplicate Item!"
        << "The file that you selected is already in your Quivanto list.\r\rDESCRIPTION: Notes" +
               QString(25, ' ') + "\rFILE NAME: /home/ann/notes.txt";
    QTest::newRow("line feed in the name refused")
        << true << QStringList{"/tmp/two\nlines"} << '/' << false << ""
        << "Quivanto - File Name Not Supported!"
        << "";
}

void TestDropDecision::decidesTheWholeDrop() {
    QFETCH(bool, hasFileList);
    QFETCH(QStringList, paths);
    QFETCH(char, separator);
    QFETCH(bool, showList);
    QFETCH(QString, itemLine);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const DroppedFiles dropped{hasFileList, rowsFrom(paths)};
    // Windows names never end with a space; Unix names may.
    const PathRules rules{separator, separator == '/'};
    const DropDecision decision =
        decideDrop(dropped, {s(line("Notes", "/home/ann/notes.txt"))}, rules);
    QCOMPARE(decision.showList, showList);
    QCOMPARE(decision.itemLine.has_value(), !itemLine.isEmpty());
    if (decision.itemLine)
        QCOMPARE(QString::fromStdString(*decision.itemLine), itemLine);
    QCOMPARE(decision.message.has_value(), !title.isEmpty());
    if (decision.message) {
        QCOMPARE(QString::fromStdString(decision.message->title), title);
        if (!text.isEmpty())
            QCOMPARE(QString::fromStdString(decision.message->text), text);
        QCOMPARE(decision.message->style, quivanto::testing::OkWithExclamation);
    }
}

QTEST_GUILESS_MAIN(TestDropDecision)
#include "test_drop_decision.moc"
