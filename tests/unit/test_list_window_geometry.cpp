#include "core/list_window_geometry.h"

#include <QtTest>

using namespace quivanto;

Q_DECLARE_METATYPE(quivanto::ScreenRect)
Q_DECLARE_METATYPE(quivanto::ScreenPoint)

namespace {

ListWindowArea screenOf(int widthPixels, int heightPixels) {
    return wholeScreenArea(
        {static_cast<float>(widthPixels) * 15, static_cast<float>(heightPixels) * 15, 15, 15});
}

// A 1024x768 monitor at the origin with one panel of `thickness` pixels on `side`.
TrayPlace monitorWithPanel(PanelSide side, int thickness) {
    TrayPlace place;
    place.monitor = {0, 0, 1024, 768};
    ScreenRect& work = place.workArea;
    work = place.monitor;
    switch (side) {
    case PanelSide::Bottom:
        work.height -= thickness;
        break;
    case PanelSide::Top:
        work.top += thickness;
        work.height -= thickness;
        break;
    case PanelSide::Left:
        work.left += thickness;
        work.width -= thickness;
        break;
    case PanelSide::Right:
        work.width -= thickness;
        break;
    case PanelSide::None:
        break;
    }
    return place;
}

// A window placed beside the panel, in whole pixels.
struct Placed {
    int left;
    int top;
    int right;
    int bottom;
};

Placed inPixels(const ListWindowGeometry& geometry, float twipsPerPixel) {
    return {twipsToPixels(geometry.left, twipsPerPixel), twipsToPixels(geometry.top, twipsPerPixel),
            twipsToPixels(geometry.right(), twipsPerPixel),
            twipsToPixels(geometry.bottom(), twipsPerPixel)};
}

ListWindowGeometry placedBeside(const TrayPlace& place, ScreenPoint click, float twipsPerPixel,
                                std::size_t rows = 2) {
    const ListWindowArea area = listWindowArea(place, click, twipsPerPixel, twipsPerPixel);
    return besidePanel(grownForRows({}, area, rows), area,
                       static_cast<float>(click.x) * twipsPerPixel,
                       static_cast<float>(click.y) * twipsPerPixel);
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
    void standsBesideThePanel_data();
    void standsBesideThePanel();
    void staysOnTheWorkArea_data();
    void staysOnTheWorkArea();
    void growsUpToTheWorkAreasFarEdge_data();
    void growsUpToTheWorkAreasFarEdge();
    void panelSideFollowsTheReservedRoom_data();
    void panelSideFollowsTheReservedRoom();
    void hostPlacesAreCheckedBeforeUse_data();
    void hostPlacesAreCheckedBeforeUse();
    void anchorFallsBackInOrder_data();
    void anchorFallsBackInOrder();
};

Q_DECLARE_METATYPE(PanelSide)

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
    QCOMPARE(geometry.left, screen.screen.right); // still beyond the screen while loading
}

void TestListWindowGeometry::growthStopsWhereTheScreenEnds() {
    const auto screen = screenOf(1024, 768);
    ListWindowGeometry geometry;
    int grants = 0;
    for (;;) {
        const auto next = grown(geometry, screen);
        if (next == geometry)
            break;
        QVERIFY(geometry.height + RowHeight + TaskbarMargin < screen.screen.height());
        geometry = next;
        ++grants;
    }
    // The first refused row is the one for which height + 620 reaches the screen height.
    QVERIFY(geometry.height + 620 >= screen.screen.height());
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
    const ListWindowArea area = wholeScreenArea(screen);
    const auto geometry = grownForRows(offScreen({}, area), area, 1000);
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
    QCOMPARE(geometry.top, screen.screen.bottom - ListWindowDesignHeight - TaskbarMargin);
}

void TestListWindowGeometry::pointerPlacesTheRightEdge_data() {
    QTest::addColumn<int>("cursorX");
    QTest::addColumn<float>("left");
    QTest::newRow("x = 100: kept on the screen") << 100 << 0.f;
    QTest::newRow("x = 1000") << 1000 << 15000.f - 3945.f;
}

void TestListWindowGeometry::pointerPlacesTheRightEdge() {
    QFETCH(int, cursorX);
    QFETCH(float, left);
    const auto screen = screenOf(1024, 768);
    const auto geometry =
        besidePanel(grownForRows({}, screen, 2), screen, static_cast<float>(cursorX) * 15, 0);
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

void TestListWindowGeometry::standsBesideThePanel_data() {
    QTest::addColumn<PanelSide>("side");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<float>("twipsPerPixel");
    const std::pair<PanelSide, const char*> sides[] = {{PanelSide::Bottom, "bottom"},
                                                       {PanelSide::Top, "top"},
                                                       {PanelSide::Left, "left"},
                                                       {PanelSide::Right, "right"}};
    for (const auto& [side, name] : sides) {
        for (const int thickness : {24, 28, 30, 32, 40, 48}) {
            for (const float twipsPerPixel : {15.f, 10.f})
                QTest::addRow("%s %d px at %g twips", name, thickness, twipsPerPixel)
                    << side << thickness << twipsPerPixel;
        }
    }
}

// Edge to edge with the panel, never over it, the right edge at a click on a horizontal
// panel and the bottom at it on a side one.
void TestListWindowGeometry::standsBesideThePanel() {
    QFETCH(PanelSide, side);
    QFETCH(int, thickness);
    QFETCH(float, twipsPerPixel);
    const TrayPlace place = monitorWithPanel(side, thickness);
    const bool horizontal = side == PanelSide::Bottom || side == PanelSide::Top;
    // A click on the icon, in the middle of the panel's strip, near its far end.
    const ScreenPoint click =
        horizontal
            ? ScreenPoint{1000, side == PanelSide::Top ? thickness / 2 : 768 - thickness / 2}
            : ScreenPoint{side == PanelSide::Left ? thickness / 2 : 1024 - thickness / 2, 700};
    const Placed window = inPixels(placedBeside(place, click, twipsPerPixel), twipsPerPixel);
    switch (side) {
    case PanelSide::Bottom:
        QCOMPARE(window.bottom, 768 - thickness);
        break;
    case PanelSide::Top:
        QCOMPARE(window.top, thickness);
        break;
    case PanelSide::Left:
        QCOMPARE(window.left, thickness);
        break;
    case PanelSide::Right:
        QCOMPARE(window.right, 1024 - thickness);
        break;
    case PanelSide::None:
        break;
    }
    if (horizontal)
        QCOMPARE(window.right, click.x);
    else
        QCOMPARE(window.bottom, click.y);
    const ScreenRect& work = place.workArea;
    QVERIFY(window.left >= work.left && window.right <= work.right());
    QVERIFY(window.top >= work.top && window.bottom <= work.bottom());
}

void TestListWindowGeometry::staysOnTheWorkArea_data() {
    QTest::addColumn<PanelSide>("side");
    QTest::addColumn<int>("clickX");
    QTest::addColumn<int>("clickY");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    // 2 rows: 263 x 96 pixels; panels of 30 pixels.
    QTest::newRow("bottom, click near the left end") << PanelSide::Bottom << 100 << 750 << 0 << 642;
    QTest::newRow("top, click near the left end") << PanelSide::Top << 5 << 12 << 0 << 30;
    QTest::newRow("left, click near the top") << PanelSide::Left << 12 << 20 << 30 << 0;
    QTest::newRow("right, click near the top") << PanelSide::Right << 1010 << 40 << 731 << 0;
    QTest::newRow("right, click at the bottom") << PanelSide::Right << 1010 << 767 << 731 << 671;
    QTest::newRow("no panel: margin above the bottom")
        << PanelSide::None << 1000 << 760 << 737 << 644;
}

void TestListWindowGeometry::staysOnTheWorkArea() {
    QFETCH(PanelSide, side);
    QFETCH(int, clickX);
    QFETCH(int, clickY);
    QFETCH(int, left);
    QFETCH(int, top);
    const Placed window =
        inPixels(placedBeside(monitorWithPanel(side, 30), {clickX, clickY}, 15), 15);
    QCOMPARE(window.left, left);
    QCOMPARE(window.top, top);
}

void TestListWindowGeometry::growsUpToTheWorkAreasFarEdge_data() {
    QTest::addColumn<PanelSide>("side");
    QTest::addColumn<float>("spare"); // twips of work area beyond the grown window
    QTest::addColumn<bool>("grows");
    for (const PanelSide side :
         {PanelSide::Bottom, PanelSide::Top, PanelSide::Left, PanelSide::Right, PanelSide::None}) {
        const int index = static_cast<int>(side);
        QTest::addRow("side %d, the grown window would just fill it", index)
            << side << 0.f << false;
        QTest::addRow("side %d, one pixel to spare", index) << side << 15.f << true;
    }
}

// The work area is cut to the window's height plus one row plus `spare` (plus the margin
// where no panel reserves room): filling it exactly is refused, as reaching the screen's
// top always was.
void TestListWindowGeometry::growsUpToTheWorkAreasFarEdge() {
    QFETCH(PanelSide, side);
    QFETCH(float, spare);
    QFETCH(bool, grows);
    const float margin = side == PanelSide::None ? TaskbarMargin : 0;
    const float workHeight = ListWindowDesignHeight + RowHeight + spare + margin;
    ListWindowArea area;
    area.screen = {0, 0, 15360, workHeight + 450};
    area.workArea = {0, 450, 15360, 450 + workHeight};
    area.panel = side;
    if (side == PanelSide::None)
        area.screen = area.workArea;
    const ListWindowGeometry before = besidePanel({}, area, 15000, 450 + workHeight);
    const ListWindowGeometry after = grown(before, area);
    QCOMPARE(after.height, grows ? before.height + RowHeight : before.height);
    QVERIFY(after.top >= area.workArea.top);
    QVERIFY(after.bottom() + margin <= area.workArea.bottom);
    // Shrinking keeps the window beside the panel too.
    const ListWindowGeometry back = shrunk(after, area);
    QCOMPARE(back.top, before.top);
}

void TestListWindowGeometry::panelSideFollowsTheReservedRoom_data() {
    QTest::addColumn<ScreenRect>("workArea");
    QTest::addColumn<int>("nearY"); // -1: nothing tells where the icon is
    QTest::addColumn<PanelSide>("side");
    QTest::newRow("no room reserved") << ScreenRect{0, 0, 1024, 768} << -1 << PanelSide::None;
    QTest::newRow("bottom") << ScreenRect{0, 0, 1024, 740} << -1 << PanelSide::Bottom;
    QTest::newRow("top") << ScreenRect{0, 25, 1024, 743} << 400 << PanelSide::Top;
    QTest::newRow("left") << ScreenRect{48, 0, 976, 768} << -1 << PanelSide::Left;
    QTest::newRow("right") << ScreenRect{0, 0, 976, 768} << -1 << PanelSide::Right;
    QTest::newRow("top and bottom, the icon in the top one")
        << ScreenRect{0, 25, 1024, 715} << 10 << PanelSide::Top;
    QTest::newRow("top and bottom, the icon in the bottom one")
        << ScreenRect{0, 25, 1024, 715} << 760 << PanelSide::Bottom;
    QTest::newRow("top and bottom, nothing known: the bottom")
        << ScreenRect{0, 25, 1024, 715} << -1 << PanelSide::Bottom;
}

void TestListWindowGeometry::panelSideFollowsTheReservedRoom() {
    QFETCH(ScreenRect, workArea);
    QFETCH(int, nearY);
    QFETCH(PanelSide, side);
    const std::optional<ScreenPoint> near =
        nearY < 0 ? std::nullopt : std::optional<ScreenPoint>(ScreenPoint{1000, nearY});
    QCOMPARE(panelSide({0, 0, 1024, 768}, workArea, near), side);
}

void TestListWindowGeometry::hostPlacesAreCheckedBeforeUse_data() {
    QTest::addColumn<PanelSide>("side");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<ScreenPoint>("given");
    QTest::addColumn<bool>("believed");
    QTest::newRow("a click in a bottom panel")
        << PanelSide::Bottom << 28 << ScreenPoint{1000, 760} << true;
    QTest::newRow("a click in a top panel")
        << PanelSide::Top << 24 << ScreenPoint{1000, 10} << true;
    QTest::newRow("a click in a right panel")
        << PanelSide::Right << 40 << ScreenPoint{1000, 700} << true;
    QTest::newRow("3 pixels off the strip")
        << PanelSide::Bottom << 28 << ScreenPoint{1000, 737} << true;
    QTest::newRow("4 pixels off the strip")
        << PanelSide::Bottom << 28 << ScreenPoint{1000, 736} << false;
    QTest::newRow("in the middle of the screen")
        << PanelSide::Bottom << 28 << ScreenPoint{500, 400} << false;
    QTest::newRow("off the monitor") << PanelSide::Bottom << 28 << ScreenPoint{1500, 760} << false;
    QTest::newRow("mate-panel's 0,25 on its top panel")
        << PanelSide::Top << 24 << ScreenPoint{0, 25} << false;
    QTest::newRow("waybar's icon-relative 7,16 on a top bar")
        << PanelSide::Top << 30 << ScreenPoint{7, 16} << false;
    QTest::newRow("waybar's 7,16 with a bottom bar")
        << PanelSide::Bottom << 30 << ScreenPoint{7, 16} << false;
    QTest::newRow("0,0: no place") << PanelSide::None << 0 << ScreenPoint{0, 0} << false;
    QTest::newRow("no panel: anywhere on the monitor")
        << PanelSide::None << 0 << ScreenPoint{700, 760} << true;
}

void TestListWindowGeometry::hostPlacesAreCheckedBeforeUse() {
    QFETCH(PanelSide, side);
    QFETCH(int, thickness);
    QFETCH(ScreenPoint, given);
    QFETCH(bool, believed);
    const TrayPlace place = monitorWithPanel(side, thickness);
    const auto kept = plausibleHostPlace(given, place.monitor, place.workArea);
    QCOMPARE(kept.has_value(), believed);
    if (kept)
        QCOMPARE(*kept, given);
}

void TestListWindowGeometry::anchorFallsBackInOrder_data() {
    QTest::addColumn<bool>("hostPlace"); // waybar's 7,16 or a believable 1000,10
    QTest::addColumn<bool>("believable");
    QTest::addColumn<bool>("iconKnown"); // the icon at 990,2 24x24
    QTest::addColumn<bool>("pointerOnIcon");
    QTest::addColumn<bool>("pointerKnown");
    QTest::addColumn<ScreenPoint>("anchor");
    QTest::newRow("a believable host place")
        << true << true << true << false << true << ScreenPoint{1000, 10};
    QTest::newRow("an unbelievable one, the pointer on the icon")
        << true << false << true << true << true << ScreenPoint{995, 8};
    QTest::newRow("a key chose the icon: its centre")
        << false << false << true << false << true << ScreenPoint{1002, 14};
    QTest::newRow("no icon place: the pointer")
        << true << false << false << false << true << ScreenPoint{300, 500};
    QTest::newRow("Wayland: the panel's edge")
        << true << false << false << false << false << ScreenPoint{1023, 30};
}

void TestListWindowGeometry::anchorFallsBackInOrder() {
    QFETCH(bool, hostPlace);
    QFETCH(bool, believable);
    QFETCH(bool, iconKnown);
    QFETCH(bool, pointerOnIcon);
    QFETCH(bool, pointerKnown);
    QFETCH(ScreenPoint, anchor);
    TrayPlace place = monitorWithPanel(PanelSide::Top, 30);
    place.pointerKnown = pointerKnown;
    if (iconKnown)
        place.icon = ScreenRect{990, 2, 24, 24};
    const std::optional<ScreenPoint> host =
        hostPlace
            ? std::optional<ScreenPoint>(believable ? ScreenPoint{1000, 10} : ScreenPoint{7, 16})
            : std::nullopt;
    const ScreenPoint pointer = pointerOnIcon ? ScreenPoint{995, 8} : ScreenPoint{300, 500};
    QCOMPARE(trayAnchor(place, host, pointer), anchor);
}

QTEST_GUILESS_MAIN(TestListWindowGeometry)
#include "test_list_window_geometry.moc"
