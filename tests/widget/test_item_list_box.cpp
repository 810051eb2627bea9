#include "qt/item_list_box.h"

#include <QScrollBar>
#include <QtTest>

#include <string>
#include <vector>

using namespace quivanto;

// The list box shows each row from the item line's bytes where their owner keeps them; what
// it shows and what a screen reader hears are made from them.
class TestItemListBox final : public QObject {
    Q_OBJECT
private slots:
    void rowsShowTheirLineAndSpeakTheirDescription_data();
    void rowsShowTheirLineAndSpeakTheirDescription();
    void aWholeListIsLaidOutAtOnce();
    void rowsFollowTheChangesTheyAreToldOf_data();
    void rowsFollowTheChangesTheyAreToldOf();
    void theDescriptionColumnAlwaysFits_data();
    void theDescriptionColumnAlwaysFits();
};

void TestItemListBox::rowsShowTheirLineAndSpeakTheirDescription_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("spoken");
    // A row shows its description column and nothing of the separator or the target.
    QTest::newRow("ordinary") << QByteArray("Notepad                       |notepad.exe")
                              << "Notepad" + QString(23, ' ') << "Notepad";
    const QString summer = QString::fromUtf8("\xc3\x89t\xc3\xa9 photos"); // 10 characters
    QTest::newRow("letters beyond ASCII") << (summer + QString(20, ' ') + "|/home/photos").toUtf8()
                                          << summer + QString(20, ' ') << summer;
    QTest::newRow("bytes that are no text are kept, shown replaced")
        << QByteArray("bad \xff                         |/x\xff")
        << QString::fromUtf8("bad \xef\xbf\xbd") + QString(25, ' ')
        << QString::fromUtf8("bad \xef\xbf\xbd");
    QTest::newRow("no description")
        << QByteArray(30, ' ') + "|/blank" << QString(30, ' ') << QString();
    QTest::newRow("a short line") << QByteArray("Short|/s") << "Short|/s"
                                  << "Short|/s";
    QTest::newRow("empty line") << QByteArray() << QString() << QString();
}

void TestItemListBox::rowsShowTheirLineAndSpeakTheirDescription() {
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    QFETCH(QString, spoken);
    const std::string bytes = line.toStdString();
    for (const bool loaded : {true, false}) {
        ItemListBox list;
        std::vector<std::string> lines;
        if (loaded) {
            lines.push_back(bytes);
            list.showLines(lines);
        } else {
            list.showLines(lines);
            lines.push_back(bytes);
            list.lineInserted(0);
        }
        const QModelIndex row = list.model()->index(0, 0);
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.line(0), bytes);
        QCOMPARE(row.data().toString(), shown);
        QCOMPARE(row.data(Qt::AccessibleTextRole).toString(), spoken);
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
    list.showLines(lines);
    QCOMPARE(list.count(), 200);
    // In the order given: ordering the rows is the list window's business.
    QCOMPARE(list.line(0).substr(0, 8), std::string("Row 1199"));
    QCOMPARE(list.line(199).substr(0, 8), std::string("Row 1000"));
    // The view knows every row: it scrolls to the last, and finds the rows where they are.
    QTRY_VERIFY(list.verticalScrollBar()->maximum() > 0);
    list.scrollTo(list.model()->index(199, 0));
    const QRect last = list.visualRect(list.model()->index(199, 0));
    QVERIFY(list.viewport()->rect().contains(last.center()));
    QCOMPARE(list.indexAt(last.center()).row(), 199);

    const std::vector<std::string> one{"Only one                      |/o"};
    list.showLines(one);
    QTRY_COMPARE(list.verticalScrollBar()->maximum(), 0);
    QCOMPARE(list.indexAt(list.visualRect(list.model()->index(0, 0)).center()).row(), 0);
}

void TestItemListBox::rowsFollowTheChangesTheyAreToldOf_data() {
    QTest::addColumn<int>("inserted"); // -1: none
    QTest::addColumn<int>("removed");  // -1: none
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("inserted before the selection") << 0 << -1 << 1 << "NABCD" << 2;
    QTest::newRow("inserted after the selection") << 4 << -1 << 3 << "ABCDN" << 3;
    QTest::newRow("removed before the selection") << -1 << 0 << 2 << "BCD" << 1;
    QTest::newRow("removed after the selection") << -1 << 3 << 1 << "ABC" << 1;
    // The selection moves on to the next row, or back from the last one.
    QTest::newRow("the selected row removed") << -1 << 2 << 2 << "ABD" << 2;
    QTest::newRow("the selected last row removed") << -1 << 3 << 3 << "ABC" << 2;
}

// The owner changes its lines first and then says so; the rows and the selection come out
// as if the box had made the change itself.
void TestItemListBox::rowsFollowTheChangesTheyAreToldOf() {
    QFETCH(int, inserted);
    QFETCH(int, removed);
    QFETCH(int, selected);
    QFETCH(QString, shownAfter);
    QFETCH(int, selectedAfter);
    ItemListBox list;
    std::vector<std::string> lines{"A", "B", "C", "D"};
    list.showLines(lines);
    list.selectIndex(selected);
    if (inserted >= 0) {
        lines.insert(lines.begin() + inserted, "N");
        list.lineInserted(inserted);
    }
    if (removed >= 0) {
        lines.erase(lines.begin() + removed);
        list.lineRemoved(removed);
    }
    QString shown;
    for (int row = 0; row < list.count(); ++row) {
        shown += list.model()->index(row, 0).data().toString();
        QCOMPARE(list.line(row), lines[static_cast<std::size_t>(row)]);
    }
    QCOMPARE(shown, shownAfter);
    QCOMPARE(list.selectedIndex(), selectedAfter);
}

void TestItemListBox::theDescriptionColumnAlwaysFits_data() {
    QTest::addColumn<qreal>("points");
    QTest::addColumn<int>("rows"); // enough rows for a scroll bar, or not
    for (const int rows : {2, 40}) {
        QTest::addRow("the design size, %d rows", rows) << 9.75 << rows;
        QTest::addRow("a font far too wide, %d rows", rows) << 20.0 << rows;
    }
}

// The list is as wide as the design gives it (3705 twips, 247 pixels); whatever the font,
// every row's 30 characters are in view, and nothing after them.
void TestItemListBox::theDescriptionColumnAlwaysFits() {
    QFETCH(qreal, points);
    QFETCH(int, rows);
    ItemListBox list;
    list.setFrameShape(QFrame::NoFrame);
    list.setRowHeightPixels(13);
    list.resize(247, 100);
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    list.setDescriptionFont(font);
    std::vector<std::string> lines;
    for (int i = 0; i < rows; ++i)
        lines.push_back("Item " + std::to_string(100 + i) + std::string(22, 'W') + "|/t/" +
                        std::to_string(i));
    list.showLines(lines);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QTRY_COMPARE(list.verticalScrollBar()->isVisible(), rows > 7);
    QVERIFY2(
        list.descriptionColumnWidth() <= list.viewport()->width(),
        qPrintable(
            QString("%1 > %2").arg(list.descriptionColumnWidth()).arg(list.viewport()->width())));
    const QFontMetrics metrics(list.font());
    const QString shown = list.model()->index(0, 0).data().toString();
    QCOMPARE(shown.size(), 30);
    QVERIFY(metrics.horizontalAdvance(shown) < list.viewport()->width());
    // A font that fits as it is is kept as asked.
    const QString column(30, 'W');
    const int margins = list.descriptionColumnWidth() - metrics.horizontalAdvance(column);
    if (QFontMetrics(font).horizontalAdvance(column) + margins <= list.viewport()->width())
        QCOMPARE(list.font().pointSizeF(), points);
    else
        QVERIFY(list.font().pointSizeF() < points);
}

QTEST_MAIN(TestItemListBox)
#include "test_item_list_box.moc"
