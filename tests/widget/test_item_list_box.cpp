#include "qt/item_list_box.h"

#include <QScrollBar>
#include <QtTest>

#include <string>
#include <vector>

using namespace quivanto;

// The list box keeps each row as the item line's bytes; what it shows and what a screen
// reader hears are made from them.
class TestItemListBox final : public QObject {
    Q_OBJECT
private slots:
    void rowsShowTheirLineAndSpeakTheirDescription_data();
    void rowsShowTheirLineAndSpeakTheirDescription();
    void aWholeListIsLaidOutAtOnce();
};

void TestItemListBox::rowsShowTheirLineAndSpeakTheirDescription_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("ordinary") << QByteArray("Notepad                       |notepad.exe")
                              << "Notepad                       |notepad.exe"
                              << "Notepad";
    const QString summer = QString::fromUtf8("\xc3\x89t\xc3\xa9 photos"); // 10 characters
    QTest::newRow("letters beyond ASCII") << (summer + QString(20, ' ') + "|/home/photos").toUtf8()
                                          << summer + QString(20, ' ') + "|/home/photos" << summer;
    QTest::newRow("bytes that are no text are kept, shown replaced")
        << QByteArray("bad \xff                         |/x\xff")
        << QString::fromUtf8("bad \xef\xbf\xbd                         |/x\xef\xbf\xbd")
        << QString::fromUtf8("bad \xef\xbf\xbd");
    QTest::newRow("no description")
        << QByteArray(30, ' ') + "|/blank" << QString(30, ' ') + "|/blank" << QString();
    QTest::newRow("empty line") << QByteArray() << QString() << QString();
}

void TestItemListBox::rowsShowTheirLineAndSpeakTheirDescription() {
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    QFETCH(QString, spoken);
    const std::string bytes = line.toStdString();
    for (const bool loaded : {true, false}) {
        ItemListBox list;
        if (loaded)
            list.setLines({bytes});
        else
            list.insertLine(0, bytes);
        const int row = 0;
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.line(row), bytes);
        QCOMPARE(list.item(row)->text(), shown);
        QCOMPARE(list.item(row)->data(Qt::AccessibleTextRole).toString(), spoken);
    }
}

void TestItemListBox::aWholeListIsLaidOutAtOnce() {
    ItemListBox list;
    list.setRowHeightPixels(13);
    list.resize(200, 60);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    std::vector<std::string> lines;
    for (int i = 199; i >= 0; --i)
        lines.push_back("Row " + std::to_string(1000 + i) + std::string(22, ' ') + "|/r");
    list.setLines(lines);
    QCOMPARE(list.count(), 200);
    // In the order given: ordering the rows is the list window's business.
    QCOMPARE(list.line(0).substr(0, 8), std::string("Row 1199"));
    QCOMPARE(list.line(199).substr(0, 8), std::string("Row 1000"));
    // The view knows every row: it scrolls to the last, and finds the rows where they are.
    QTRY_VERIFY(list.verticalScrollBar()->maximum() > 0);
    list.scrollToItem(list.item(199));
    const QRect last = list.visualItemRect(list.item(199));
    QVERIFY(list.viewport()->rect().contains(last.center()));
    QCOMPARE(list.indexAt(last.center()).row(), 199);

    list.setLines({"Only one                      |/o"});
    QTRY_COMPARE(list.verticalScrollBar()->maximum(), 0);
    QCOMPARE(list.indexAt(list.visualItemRect(list.item(0)).center()).row(), 0);
}

QTEST_MAIN(TestItemListBox)
#include "test_item_list_box.moc"
