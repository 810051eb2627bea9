#include "core/item_line.h"
#include "core/row_order.h"

#include <QtTest>

using namespace quivanto;

class TestRowOrder final : public QObject {
    Q_OBJECT
private slots:
    void ordersIgnoringCase_data();
    void ordersIgnoringCase();
    void isAStrictOrder();
};

void TestRowOrder::ordersIgnoringCase_data() {
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("defaults") << QStringList{makeItemLine("Notepad", "n").c_str(),
                                             makeItemLine("Explorer", "e").c_str()}
                              << QStringList{makeItemLine("Explorer", "e").c_str(),
                                             makeItemLine("Notepad", "n").c_str()};
    QTest::newRow("case ignored") << QStringList{"banana", "Apple", "cherry"}
                                  << QStringList{"Apple", "banana", "cherry"};
    QTest::newRow("padded words order as words")
        << QStringList{makeItemLine("Notepad", "x").c_str(), makeItemLine("Note", "y").c_str()}
        << QStringList{makeItemLine("Note", "y").c_str(), makeItemLine("Notepad", "x").c_str()};
    QTest::newRow("Latin-1 capitals fold")
        << QStringList{"Édition", "éa", "Éz"} << QStringList{"éa", "Édition", "Éz"};
}

void TestRowOrder::ordersIgnoringCase() {
    QFETCH(QStringList, input);
    QFETCH(QStringList, sorted);
    std::vector<std::string> rows;
    for (const auto& row : input)
        rows.push_back(row.toStdString());
    sortRows(rows);
    QStringList result;
    for (const auto& row : rows)
        result << QString::fromStdString(row);
    QCOMPARE(result, sorted);
}

void TestRowOrder::isAStrictOrder() {
    const std::vector<std::string> rows{"a", "A", "b", "", "\xff", "\xc3\x89", "\xc3\xa9", "ab"};
    for (const auto& a : rows) {
        QVERIFY(!rowLess(a, a));
        for (const auto& b : rows) {
            QVERIFY2(!(rowLess(a, b) && rowLess(b, a)), (a + " / " + b).c_str());
            if (a != b)
                QVERIFY2(rowLess(a, b) || rowLess(b, a), (a + " / " + b).c_str());
        }
    }
}

QTEST_GUILESS_MAIN(TestRowOrder)
#include "test_row_order.moc"
