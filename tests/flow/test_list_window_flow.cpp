#include "flow_fixture.h"

#include "core/list_file.h"
#include "dialogs/add_item_rules.h"

#include <filesystem>
#include <vector>

using namespace quivanto;
using quivanto::testing::FakePlatform;

namespace {

class ListWindowFlow : public quivanto::testing::FlowTest {};

TEST_F(ListWindowFlow, StartUpLeavesOnlyTheTrayIcon) {
    start();
    EXPECT_EQ(platform.trayRequests, std::vector<int>{0});
    EXPECT_TRUE(form->isMinimized());
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(window.rows.size(), 2u);
    EXPECT_EQ(window.rows, form->rows());
    EXPECT_EQ(window.rows[0], "Explorer                      |explorer.exe");
    EXPECT_EQ(window.selected, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "list.dat"));
    // Two rows on 1024x768: 1440 twips high, 96 pixels; the list box 615 twips, 41 pixels.
    EXPECT_EQ(form->listGeometry().height, 1440.f);
    EXPECT_EQ(window.window.height, 96);
    EXPECT_EQ(window.list.height, 41);
    EXPECT_EQ(window.window.width, 263);
}

TEST_F(ListWindowFlow, SecondInstanceShowsItsMessageAndStops) {
    platform.anotherInstance = true;
    form = std::make_unique<Form1>(platform, loop, dir.path().string(), window, views);
    EXPECT_EQ(form->Form_Load(), StartOutcome::AlreadyRunning);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Quivanto is already running.");
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Multiple Instances Error");
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::OkWithExclamation);
    EXPECT_TRUE(platform.trayRequests.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "list.dat"));
}

TEST_F(ListWindowFlow, NoTrayIsToldAndStops) {
    platform.trayAppears = false;
    form = std::make_unique<Form1>(platform, loop, dir.path().string(), window, views);
    EXPECT_EQ(form->Form_Load(), StartOutcome::NoTray);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("system tray"), std::string::npos);
    EXPECT_TRUE(platform.trayRequests.empty());
}

TEST_F(ListWindowFlow, UnreadableListIsToldAndStops) {
    std::filesystem::create_directory(dir / "list.dat");
    form = std::make_unique<Form1>(platform, loop, dir.path().string(), window, views);
    EXPECT_EQ(form->Form_Load(), StartOutcome::ListFileFailed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("list.dat"), std::string::npos);
    EXPECT_EQ(platform.trayRequests, (std::vector<int>{0, 2}));
}

using Kind = TrayEvent::Kind;

struct TrayCase {
    const char* name;
    std::vector<Kind> events;
    bool shown;
};

class TrayCodes : public quivanto::testing::FlowTest,
                  public ::testing::WithParamInterface<TrayCase> {};

TEST_P(TrayCodes, ToggleTheWindow) {
    start();
    for (const Kind kind : GetParam().events)
        platform.trayEvent(kind);
    EXPECT_EQ(window.visible, GetParam().shown);
    EXPECT_EQ(form->isMinimized(), !GetParam().shown);
    if (GetParam().shown) {
        EXPECT_EQ(platform.foregroundRequests.back(), window.handle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TrayCodes,
    ::testing::Values(TrayCase{"ClickShows", {Kind::Click}, true},
                      TrayCase{"SecondClickHides", {Kind::Click, Kind::Click}, false},
                      TrayCase{"DoubleClickTogglesThreeTimes",
                               {Kind::Click, Kind::DoubleClick, Kind::Click},
                               true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListWindowFlow, ShownWindowSitsAtThePointer) {
    platform.cursor = {1000, 700};
    start();
    platform.trayEvent(Kind::Click);
    // Right edge at the pointer (15000 twips), top 9655 twips.
    EXPECT_EQ(form->listGeometry().left, 15000.f - 3945.f);
    EXPECT_EQ(form->listGeometry().top, 9655.f);
    EXPECT_EQ(window.window.left + window.window.width, 1000);
    EXPECT_EQ(window.window.top, 644);
    EXPECT_EQ(window.window.top + window.window.height, 740); // 28 pixels above the bottom
}

// A StatusNotifier host says where its icon was clicked; the X pointer may be stale there.
TEST_F(ListWindowFlow, ShownWindowSitsAtTheXTheTrayHostGives) {
    platform.cursor = {1000, 700};
    start();
    platform.trayEvent(Kind::Click, ScreenPoint{700, 760});
    EXPECT_EQ(form->listGeometry().left, 10500.f - 3945.f);
    EXPECT_EQ(window.window.left + window.window.width, 700);
    EXPECT_EQ(window.window.top + window.window.height, 740);
}

enum class Side { Bottom, Top, Left, Right };

struct TaskbarCase {
    Side side;
    int thickness;
};

class Taskbars : public quivanto::testing::FlowTest,
                 public ::testing::WithParamInterface<TaskbarCase> {
protected:
    // A 1024x768 monitor whose taskbar takes `thickness` pixels on its side; the pointer on
    // an icon near the taskbar's far end.
    void setTaskbar(Side side, int thickness) {
        ScreenRect& work = platform.place.workArea;
        switch (side) {
        case Side::Bottom:
            work.height -= thickness;
            platform.cursor = {1000, 768 - thickness / 2};
            break;
        case Side::Top:
            work.top += thickness;
            work.height -= thickness;
            platform.cursor = {1000, thickness / 2};
            break;
        case Side::Left:
            work.left += thickness;
            work.width -= thickness;
            platform.cursor = {thickness / 2, 700};
            break;
        case Side::Right:
            work.width -= thickness;
            platform.cursor = {1024 - thickness / 2, 700};
            break;
        }
    }
};

// Shown, grown and shrunk, the window stays edge to edge with the taskbar, on the work area.
TEST_P(Taskbars, TheListStandsBesideTheTaskbar) {
    const auto [side, thickness] = GetParam();
    setTaskbar(side, thickness);
    start({}, true);
    const ScreenRect work = platform.place.workArea;
    for (const int grows : {0, 3, -2}) {
        for (int i = 0; i < grows; ++i)
            form->GrowListWindow();
        for (int i = 0; i > grows; --i)
            form->ShrinkListWindow();
        const PixelRect& shown = window.window;
        switch (side) {
        case Side::Bottom:
            EXPECT_EQ(shown.top + shown.height, work.bottom());
            break;
        case Side::Top:
            EXPECT_EQ(shown.top, work.top);
            break;
        case Side::Left:
            EXPECT_EQ(shown.left, work.left);
            break;
        case Side::Right:
            EXPECT_EQ(shown.left + shown.width, work.right());
            break;
        }
        if (side == Side::Bottom || side == Side::Top) {
            EXPECT_EQ(shown.left + shown.width, platform.cursor.x);
        }
        EXPECT_GE(shown.left, work.left);
        EXPECT_GE(shown.top, work.top);
        EXPECT_LE(shown.left + shown.width, work.right());
        EXPECT_LE(shown.top + shown.height, work.bottom());
    }
    // The Add Item dialog's bottom follows the list window's.
    form->ShowAddDialog();
    ASSERT_NE(views.addItem, nullptr);
    if (side != Side::Top) {
        // No frame on the fake: the dialog is its 4230-twip client area.
        EXPECT_EQ(views.addItem->frameTop + twipsToPixels(AddDialogClientHeight, 15),
                  window.window.top + window.window.height);
    }
    loop.runPending();
}

std::vector<TaskbarCase> everyTaskbar() {
    std::vector<TaskbarCase> cases;
    for (const Side side : {Side::Bottom, Side::Top, Side::Left, Side::Right}) {
        for (const int thickness : {24, 28, 30, 32, 40, 48})
            cases.push_back(TaskbarCase{side, thickness});
    }
    return cases;
}

std::string taskbarName(const ::testing::TestParamInfo<TaskbarCase>& info) {
    static const char* const names[] = {"Bottom", "Top", "Left", "Right"};
    return names[static_cast<int>(info.param.side)] + std::to_string(info.param.thickness);
}

INSTANTIATE_TEST_SUITE_P(SidesAndHeights, Taskbars, ::testing::ValuesIn(everyTaskbar()),
                         taskbarName);

// Host places that are no click place at all: the list goes to the pointer, beside the
// panel, as it does for a believable place in the panel.
TEST_F(ListWindowFlow, HostPlacesAreUsedOnlyWhenBelievable) {
    platform.place.workArea = {0, 24, 1024, 744}; // a 24 px top panel
    platform.cursor = {990, 12};
    start();
    for (const ScreenPoint given : {ScreenPoint{0, 25}, ScreenPoint{7, 16}}) {
        platform.trayEvent(Kind::Click, given);
        EXPECT_EQ(window.window.left + window.window.width, 990);
        EXPECT_EQ(window.window.top, 24);
        platform.trayEvent(Kind::Click);
        ASSERT_FALSE(window.visible);
    }
    platform.trayEvent(Kind::Click, ScreenPoint{900, 10});
    EXPECT_EQ(window.window.left + window.window.width, 900);
}

// Enter or Space on the icon: the list beside the icon, with the keyboard in the list; a
// second selection leaves it shown.
TEST_F(ListWindowFlow, KeyboardSelectionShowsTheListWithTheFocus) {
    platform.place.workArea = {0, 0, 1024, 720};
    platform.place.icon = ScreenRect{950, 730, 24, 24};
    platform.cursor = {100, 100}; // the pointer is elsewhere
    start();
    for (int i = 0; i < 2; ++i) {
        const int focusedBefore = window.listFocusRequests;
        const int activatedBefore = window.activations;
        platform.trayEvent(TrayEvent(Kind::Click, std::nullopt, true));
        EXPECT_TRUE(window.visible);
        EXPECT_EQ(window.window.left + window.window.width, 962);
        EXPECT_EQ(window.window.top + window.window.height, 720);
        EXPECT_GT(window.listFocusRequests, focusedBefore);
        EXPECT_GT(window.activations, activatedBefore);
    }
}

struct RemoveFromTrayCase {
    const char* name;
    bool yes;
    bool shownBefore;
};

class RightClick : public quivanto::testing::FlowTest,
                   public ::testing::WithParamInterface<RemoveFromTrayCase> {};

TEST_P(RightClick, AsksAndYesEnds) {
    const auto [name, yes, shownBefore] = GetParam();
    start();
    if (shownBefore)
        platform.trayEvent(Kind::Click);
    bool hiddenWhileAsked = false;
    platform.whileMessageShown = [&](const FakePlatform::ShownMessage&) {
        hiddenWhileAsked = !window.visible;
    };
    platform.answers.push_back(yes ? MessageAnswer::Yes : MessageAnswer::No);
    platform.trayEvent(Kind::ContextRequest);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Do you want to remove Quivanto from your system tray?");
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Are you sure?");
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::YesNoQuestionDefaultNo);
    EXPECT_TRUE(hiddenWhileAsked);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(loop.ended, yes);
    EXPECT_EQ(platform.trayRequests, yes ? (std::vector<int>{0, 2}) : (std::vector<int>{0}));
}

INSTANTIATE_TEST_SUITE_P(Answers, RightClick,
                         ::testing::Values(RemoveFromTrayCase{"NoWhileHidden", false, false},
                                           RemoveFromTrayCase{"NoWhileShownHides", false, true},
                                           RemoveFromTrayCase{"YesEnds", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListWindowFlow, RightClicksWhileTheQuestionIsOpenAskNothingMore) {
    start();
    int asked = 0;
    platform.whileMessageShown = [&](const FakePlatform::ShownMessage&) {
        ++asked;
        platform.trayEvent(Kind::ContextRequest); // another right click, or the host's menu entry
        platform.trayEvent(Kind::ContextRequest);
    };
    platform.trayEvent(Kind::ContextRequest);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(loop.ended);
    // Once answered, the next right click asks again.
    platform.whileMessageShown = nullptr;
    platform.answers.push_back(MessageAnswer::Yes);
    platform.trayEvent(Kind::ContextRequest);
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(loop.ended);
}

TEST_F(ListWindowFlow, RightClickClosesOpenDialogsFirst) {
    start({}, true);
    form->ShowAddDialog();
    auto* dialog = views.addItem;
    ASSERT_NE(dialog, nullptr);
    bool closedWhileAsked = false;
    platform.whileMessageShown = [&](const FakePlatform::ShownMessage&) {
        closedWhileAsked = dialog->closed;
    };
    platform.trayEvent(Kind::ContextRequest);
    EXPECT_TRUE(closedWhileAsked);
    EXPECT_EQ(form->openDialog(DialogNumber::AddItem), nullptr);
    loop.runPending();
}

TEST_F(ListWindowFlow, GrowAndShrinkResizeTheWindowAndList) {
    start();
    const int before = height();
    form->GrowListWindow();
    EXPECT_EQ(height(), before + 13);
    EXPECT_EQ(window.list.height, 41 + 13);
    for (int i = 0; i < 6; ++i)
        form->ShrinkListWindow();
    EXPECT_EQ(height(), 70);           // 1050 twips, never less
    EXPECT_EQ(window.list.height, 15); // 225 twips
}

TEST_F(ListWindowFlow, RowsAreSortedWithoutRegardToCase) {
    start("zeta                          |/z\r\n"
          "Alpha                         |/a\r\n"
          "beta                          |/b\r\n");
    EXPECT_EQ(window.rows[0].substr(0, 5), "Alpha");
    EXPECT_EQ(window.rows[1].substr(0, 4), "beta");
    const int added = form->addRow("Gamma                         |/g");
    EXPECT_EQ(added, 2);
    EXPECT_EQ(window.selected, 0);
    EXPECT_EQ(window.rows[3].substr(0, 4), "zeta");
    EXPECT_EQ(window.rows, form->rows());
    form->selectIndex(3);
    form->addRow("aardvark                      |/aa");
    EXPECT_EQ(window.selected, 4); // still on zeta
    EXPECT_EQ(window.rows, form->rows());
}

TEST_F(ListWindowFlow, ClosedDialogsGoOnceTheEventIsOver) {
    start({}, true);
    form->ShowAboutDialog();
    ASSERT_NE(views.about, nullptr);
    EXPECT_TRUE(views.about->shown);
    form->openDialog(DialogNumber::About)->close();
    EXPECT_TRUE(views.about->closed); // still there: its handler may still be running
    EXPECT_EQ(form->openDialog(DialogNumber::About), nullptr);
    EXPECT_EQ(loop.pending.size(), 1u);
    loop.runPending();
    EXPECT_TRUE(loop.pending.empty());
}

// Window managers minimise dialogs whatever their hints say: never two of one kind.
TEST_F(ListWindowFlow, MinimizedDialogIsClosedWhenAnotherOpens) {
    start({}, true);
    form->ShowAddDialog();
    auto* first = views.addItem;
    first->minimized = true;
    form->ShowAddDialog();
    EXPECT_TRUE(first->closed);
    EXPECT_NE(views.addItem, first);
    EXPECT_FALSE(views.addItem->closed);
    EXPECT_NE(form->openDialog(DialogNumber::AddItem), nullptr);
    loop.runPending();
}

} // namespace
