#include "core/item_line.h"
#include "core/text_units.h"

#include <QtTest>

using namespace quivanto;

class TestItemLine final : public QObject {
    Q_OBJECT
private slots:
    void makesLinesByCharacterPosition_data();
    void makesLinesByCharacterPosition();
    void splitsByPositionOnly_data();
    void splitsByPositionOnly();
    void shortensLongNames_data();
    void shortensLongNames();
    void trimsOnlySpaces();
    void detectsLineBreaks();
    void damagedTextCountsEachStrayByte();
};

void TestItemLine::makesLinesByCharacterPosition_data() {
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("line");
    QTest::newRow("default Explorer") << "Explorer"
                                      << "explorer.exe"
                                      << "Explorer                      |explorer.exe";
    QTest::newRow("exactly 30 characters, no filling") << "abcdefghijklmnopqrstuvwxyz1234"
                                                       << "x"
                                                       << "abcdefghijklmnopqrstuvwxyz1234|x";
    QTest::newRow("empty description is 30 spaces") << ""
                                                    << "/tmp" << QString(30, ' ') + "|/tmp";
    QTest::newRow("non-ASCII pads by characters, not bytes")
        << "Éditeur ü"
        << "/usr/bin/ed"
        << "Éditeur ü" + QString(21, ' ') + "|/usr/bin/ed";
    QTest::newRow("a 4-byte character pads as one character")
        << "😀 Party 🎉"
        << "/srv/party"
        << "😀 Party 🎉" + QString(21, ' ') + "|/srv/party";
    QTest::newRow("separator inside the target is kept") << "Pipe"
                                                         << "/tmp/a|b"
                                                         << "Pipe" + QString(26, ' ') + "|/tmp/a|b";
}

void TestItemLine::makesLinesByCharacterPosition() {
    QFETCH(QString, description);
    QFETCH(QString, target);
    QFETCH(QString, line);
    const std::string made = makeItemLine(description.toStdString(), target.toStdString());
    QCOMPARE(QString::fromStdString(made), line);
    QCOMPARE(characterCount(made), static_cast<std::size_t>(line.toUcs4().size()));
    QCOMPARE(QString::fromStdString(std::string(targetField(made))), target);
}

void TestItemLine::splitsByPositionOnly_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("target");
    QTest::newRow("ordinary") << "Notepad                       |notepad.exe"
                              << "Notepad                       "
                              << "notepad.exe";
    QTest::newRow("short hand-edited line has no target") << "short|path"
                                                          << "short|path"
                                                          << "";
    QTest::newRow("31 characters: still no target")
        << QString(30, 'a') + "|" << QString(30, 'a') << "";
    QTest::newRow("pipe in description is not searched for") << "a|b" + QString(27, ' ') + "|/x"
                                                             << "a|b" + QString(27, ' ') << "/x";
    QTest::newRow("target starting with spaces is untouched")
        << QString(30, 'd') + "|  /spaced" << QString(30, 'd') << "  /spaced";
    QTest::newRow("multi-byte characters are never split")
        << QString(29, 'x') + "é|ü/ß" << QString(29, 'x') + "é"
        << "ü/ß";
    QTest::newRow("a multi-byte first character moves every field")
        << "é" + QString(29, 'x') + "|/t"
        << "é" + QString(29, 'x') << "/t";
    QTest::newRow("a 4-byte character is one character")
        << QString(29, 'x') + "🎉|/t" << QString(29, 'x') + "🎉"
        << "/t";
    QTest::newRow("empty line") << ""
                                << ""
                                << "";
}

void TestItemLine::splitsByPositionOnly() {
    QFETCH(QString, line);
    QFETCH(QString, description);
    QFETCH(QString, target);
    const std::string text = line.toStdString();
    QCOMPARE(QString::fromStdString(std::string(descriptionField(text))), description);
    QCOMPARE(QString::fromStdString(std::string(targetField(text))), target);
}

void TestItemLine::shortensLongNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("30 stays whole") << "abcdefghijklmnopqrstuvwxyz1234"
                                    << "abcdefghijklmnopqrstuvwxyz1234";
    QTest::newRow("31 becomes 14 ~ 15") << "abcdefghijklmnopqrstuvwxyz12345"
                                        << "abcdefghijklmn~qrstuvwxyz12345";
    QTest::newRow("non-ASCII counted as characters")
        << QString(20, QChar(0x00E9)) + QString(20, 'z')
        << QString(14, QChar(0x00E9)) + "~" + QString(15, 'z');
    QTest::newRow("4-byte characters counted as characters")
        << QString("😀").repeated(20) + QString("🎉").repeated(20)
        << QString("😀").repeated(14) + "~" + QString("🎉").repeated(15);
}

void TestItemLine::shortensLongNames() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const std::string shortened = shortenToDescriptionWidth(name.toStdString());
    QCOMPARE(QString::fromStdString(shortened), expected);
    QVERIFY(characterCount(shortened) <= DescriptionWidth);
}

void TestItemLine::trimsOnlySpaces() {
    QCOMPARE(std::string(trimSpaces("  Notepad  ")), std::string("Notepad"));
    QCOMPARE(std::string(trimSpaces("\tTab\t")), std::string("\tTab\t"));
    QCOMPARE(std::string(trimSpaces("     ")), std::string());
}

void TestItemLine::detectsLineBreaks() {
    QVERIFY(containsLineBreak("a\rb"));
    QVERIFY(containsLineBreak("a\nb"));
    QVERIFY(!containsLineBreak("plain name.txt"));
}

void TestItemLine::damagedTextCountsEachStrayByte() {
    // A stray or truncated sequence is one character per byte, so nothing is ever skipped.
    const std::string damaged = std::string(29, 'x') + "\xff|\xc3/t\xe2\x82";
    QCOMPARE(characterCount(damaged), static_cast<std::size_t>(29 + 1 + 1 + 1 + 2 + 2));
    QCOMPARE(std::string(descriptionField(damaged)), std::string(29, 'x') + "\xff");
    QCOMPARE(std::string(targetField(damaged)), std::string("\xc3/t\xe2\x82"));
}

QTEST_GUILESS_MAIN(TestItemLine)
#include "test_item_line.moc"
