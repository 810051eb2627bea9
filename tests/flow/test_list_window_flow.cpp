#include "flow_fixture.h"

#include "core/list_file.h"

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
    form = std::make_unique<Form1>(platform, dir.path().string(), window, views);
    EXPECT_EQ(form->Form_Load(), StartOutcome::AlreadyRunning);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Quivanto is already running.");
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Multiple Instances Error");
    EXPECT_EQ(platform.messages[0].style, 48);
    EXPECT_TRUE(platform.trayRequests.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "list.dat"));
}

TEST_F(ListWindowFlow, NoTrayIsToldAndStops) {
    platform.trayAppears = false;
    form = std::make_unique<Form1>(platform, dir.path().string(), window, views);
    EXPECT_EQ(form->Form_Load(), StartOutcome::NoTray);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("system tray"), std::string::npos);
    EXPECT_TRUE(platform.trayRequests.empty());
}

TEST_F(ListWindowFlow, UnreadableListIsToldAndStops) {
    std::filesystem::create_directory(dir / "list.dat");
    form = std::make_unique<Form1>(platform, dir.path().string(), window, views);
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
    EXPECT_EQ(platform.messages[0].style, 4 + 32 + 256);
    EXPECT_TRUE(hiddenWhileAsked);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.ended, yes);
    EXPECT_EQ(platform.trayRequests, yes ? (std::vector<int>{0, 2}) : (std::vector<int>{0}));
}

INSTANTIATE_TEST_SUITE_P(Answers, RightClick,
                         ::testing::Values(RemoveFromTrayCase{"NoWhileHidden", false, false},
                                           RemoveFromTrayCase{"NoWhileShownHides", false, true},
                                           RemoveFromTrayCase{"YesEnds", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

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
    window.runPending();
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
    EXPECT_EQ(window.pending.size(), 1u);
    window.runPending();
    EXPECT_TRUE(window.pending.empty());
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
    window.runPending();
}

} // namespace
