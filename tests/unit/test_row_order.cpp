#include "core/item_line.h"
#include "core/row_order.h"

#include <QtTest>

#include <algorithm>
#include <random>

using namespace quivanto;

class TestRowOrder final : public QObject {
    Q_OBJECT
private slots:
    void ordersIgnoringCase_data();
    void ordersIgnoringCase();
    void isAStrictOrder();
    void sortingAgreesWithTheComparison();
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
    // U+00D7 and U+00F7 sit among the Latin-1 capitals and small letters but are no letters.
    QTest::newRow("multiplication and division signs do not fold")
        << QStringList{"÷", "ß", "×"} << QStringList{"×", "ß", "÷"};
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
    const std::vector<std::string> rows{"a",        "A",        "b",  "",         "\xff",
                                        "\xc3\x89", "\xc3\xa9", "ab", "\xc3\x97", "\xc3\xb7"};
    for (const auto& a : rows) {
        QVERIFY(!rowLess(a, a));
        for (const auto& b : rows) {
            QVERIFY2(!(rowLess(a, b) && rowLess(b, a)), (a + " / " + b).c_str());
            if (a != b)
                QVERIFY2(rowLess(a, b) || rowLess(b, a), (a + " / " + b).c_str());
        }
    }
}

void TestRowOrder::sortingAgreesWithTheComparison() {
    // Rows that share long beginnings, differ only in case, end in the middle of a
    // two-byte letter or hold stray bytes: sorting must order them exactly as rowLess does.
    const std::vector<std::string> beginnings{
        "", "Notepad ", "notepad plus", "\xc3\x89t\xc3\xa9 ", "NOTEPAD PLUS ", "\xc3"};
    const std::string pieces[] = {"a",        "A",        "b",    "Z",        " ",
                                  "~",        "|",        "\xc3", "\xc3\x89", "\xc3\xa9",
                                  "\xc3\x97", "\xc3\xb7", "\x80", "\xff"};
    std::mt19937 random(7);
    std::vector<std::string> rows;
    for (int i = 0; i < 3000; ++i) {
        std::string row = beginnings[random() % beginnings.size()];
        const auto length = random() % 12;
        for (unsigned j = 0; j < length; ++j)
            row += pieces[random() % std::size(pieces)];
        rows.push_back(row);
    }
    auto sorted = rows;
    sortRows(sorted);
    for (std::size_t i = 1; i < sorted.size(); ++i)
        QVERIFY2(!rowLess(sorted[i], sorted[i - 1]), (sorted[i - 1] + " / " + sorted[i]).c_str());
    std::sort(rows.begin(), rows.end());
    auto same = sorted;
    std::sort(same.begin(), same.end());
    QVERIFY(same == rows); // nothing lost, nothing doubled
}

QTEST_GUILESS_MAIN(TestRowOrder)
#include "test_row_order.moc"
