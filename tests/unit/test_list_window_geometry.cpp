#include "core/list_window_geometry.h"

#include <QtTest>

using namespace quivanto;

namespace {

ScreenMetrics screenOf(int widthPixels, int heightPixels) {
    return {static_cast<float>(widthPixels) * 15, static_cast<float>(heightPixels) * 15, 15, 15};
}

} // namespace

class TestListWindowGeometry final : public QObject {
    Q_OBJECT
private slots:
    void loadingGrowsOneRowPerItem_data();
    void loadingGrowsOneRowPerItem();
    void growthStopsWhereTheScreenEnds();
    void growthStopsAtExactlyTheScreenHeight_data();
    void growthStopsAtExactlyTheScreenHeight();
    void loadingAtOnceEqualsStepByStep();
    void shrinkingNeverGoesBelowTheDesign();
    void pointerPlacesTheRightEdge_data();
    void pointerPlacesTheRightEdge();
    void offScreenAtStartUp();
};

void TestListWindowGeometry::loadingGrowsOneRowPerItem_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<float>("listHeight");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("top");
    QTest::newRow("two items on 1024x768") << 2 << 615.f << 1440.f << 9655.f;
    QTest::newRow("one item") << 1 << 420.f << 1245.f << 9850.f;
}

void TestListWindowGeometry::loadingGrowsOneRowPerItem() {
    QFETCH(int, rows);
    QFETCH(float, listHeight);
    QFETCH(float, height);
    QFETCH(float, top);
    const auto screen = screenOf(1024, 768);
    const auto geometry = grownForRows(offScreen({}, screen), screen, rows);
    QCOMPARE(geometry.listHeight, listHeight);
    QCOMPARE(geometry.height, height);
    QCOMPARE(geometry.top, top);
    QCOMPARE(geometry.left, screen.widthTwips); // still beyond the screen while loading
}

void TestListWindowGeometry::growthStopsWhereTheScreenEnds() {
    const auto screen = screenOf(1024, 768);
    ListWindowGeometry geometry;
    int grants = 0;
    for (;;) {
        const auto next = grown(geometry, screen);
        if (next == geometry)
            break;
        QVERIFY(geometry.height + RowHeight + TaskbarMargin < screen.heightTwips);
        geometry = next;
        ++grants;
    }
    // The first refused row is the one for which height + 620 reaches the screen height.
    QVERIFY(geometry.height + 620 >= screen.heightTwips);
    QCOMPARE(grants, static_cast<int>((11520 - 620 - 1050 + 194) / 195));
    const float topAtLimit = geometry.top;
    geometry = grown(geometry, screen);
    QCOMPARE(geometry.top, topAtLimit);
}

void TestListWindowGeometry::growthStopsAtExactlyTheScreenHeight_data() {
    QTest::addColumn<float>("twipsPerPixel");
    QTest::addColumn<int>("heightPixels");
    QTest::addColumn<int>("grants");
    // 144 dpi: 10 twips per pixel; after 56 rows, one more would end exactly at the screen's
    // height (1050 + 57 * 195 + 425 = 12590 twips), and that is already too much.
    QTest::newRow("144 dpi, 1259 pixels high") << 10.f << 1259 << 56;
    QTest::newRow("144 dpi, one pixel more") << 10.f << 1260 << 57;
    QTest::newRow("96 dpi, 839 pixels high") << 15.f << 839 << 56;
}

void TestListWindowGeometry::growthStopsAtExactlyTheScreenHeight() {
    QFETCH(float, twipsPerPixel);
    QFETCH(int, heightPixels);
    QFETCH(int, grants);
    const ScreenMetrics screen{1024 * twipsPerPixel,
                               static_cast<float>(heightPixels) * twipsPerPixel, twipsPerPixel,
                               twipsPerPixel};
    const auto geometry = grownForRows(offScreen({}, screen), screen, 1000);
    QCOMPARE(geometry.height, ListWindowDesignHeight + static_cast<float>(grants) * RowHeight);
    QCOMPARE(geometry.listHeight, ListBoxDesignHeight + static_cast<float>(grants) * RowHeight);
    QCOMPARE(geometry.top + geometry.height + TaskbarMargin, screen.heightTwips);
}

void TestListWindowGeometry::loadingAtOnceEqualsStepByStep() {
    const auto screen = screenOf(800, 600);
    for (const std::size_t rows : {0u, 1u, 5u, 40u, 10000u}) {
        ListWindowGeometry stepwise = offScreen({}, screen);
        for (std::size_t i = 0; i < rows; ++i)
            stepwise = grown(stepwise, screen);
        QCOMPARE(grownForRows(offScreen({}, screen), screen, rows), stepwise);
    }
}

void TestListWindowGeometry::shrinkingNeverGoesBelowTheDesign() {
    const auto screen = screenOf(1024, 768);
    auto geometry = grownForRows({}, screen, 2);
    geometry = shrunk(geometry, screen);
    QCOMPARE(geometry.height, 1245.f);
    QCOMPARE(geometry.listHeight, 420.f);
    for (int i = 0; i < 5; ++i)
        geometry = shrunk(geometry, screen);
    QCOMPARE(geometry.height, ListWindowDesignHeight);
    QCOMPARE(geometry.listHeight, ListBoxDesignHeight);
    QCOMPARE(geometry.top, screen.heightTwips - ListWindowDesignHeight - TaskbarMargin);
}

void TestListWindowGeometry::pointerPlacesTheRightEdge_data() {
    QTest::addColumn<int>("cursorX");
    QTest::addColumn<float>("left");
    QTest::newRow("x = 100: partly off the left edge") << 100 << -2445.f;
    QTest::newRow("x = 1000") << 1000 << 15000.f - 3945.f;
}

void TestListWindowGeometry::pointerPlacesTheRightEdge() {
    QFETCH(int, cursorX);
    QFETCH(float, left);
    const auto screen = screenOf(1024, 768);
    const auto geometry = atCursor(grownForRows({}, screen, 2), screen, cursorX);
    QCOMPARE(geometry.left, left);
    QCOMPARE(geometry.top, 9655.f);
    QCOMPARE(geometry.width, ListWindowWidth);
}

void TestListWindowGeometry::offScreenAtStartUp() {
    const auto screen = screenOf(1024, 768);
    const auto geometry = offScreen({}, screen);
    QCOMPARE(geometry.left, 15360.f);
    QCOMPARE(geometry.top, 11520.f);
    QCOMPARE(twipsToPixels(3945, 15), 263);
    QCOMPARE(twipsToPixels(9655, 15), 644);
}

QTEST_GUILESS_MAIN(TestListWindowGeometry)
#include "test_list_window_geometry.moc"
