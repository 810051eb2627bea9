#include "flow_fixture.h"

#include "commands/list_commands.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

using namespace quivanto;
using quivanto::testing::FakePlatform;

namespace {

// In the list's sorted order.
const std::string Three = "abcdefghijklmnopqrstuvwxyz1234|/gone/tool\r\n"
                          "Beta                          |/opt/beta\r\n"
                          "Zeta                          |/opt/zeta\r\n";

DroppedFiles files(std::vector<std::string> paths) {
    return {true, std::move(paths)};
}

class ListCommands : public quivanto::testing::FlowTest {};

struct LaunchCase {
    const char* name;
    LaunchResult openResult;
    LaunchResult startResult;
    std::size_t starts;
    bool hidden;
    std::string title;
    std::string text;
};

class Launch : public quivanto::testing::FlowTest,
               public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(Launch, HidesOrTells) {
    const LaunchCase& c = GetParam();
    start(Three, true);
    platform.openResults = {c.openResult};
    platform.startResults = {c.startResult};
    lstApps_DblClick(*form);
    EXPECT_EQ(platform.openRequests, std::vector<std::string>{"/gone/tool"}); // once
    EXPECT_EQ(platform.starts.size(), c.starts);
    EXPECT_EQ(window.visible, !c.hidden);
    EXPECT_EQ(window.selected, 0);
    EXPECT_EQ(window.rows.size(), 3u);
    if (c.title.empty()) {
        EXPECT_TRUE(platform.messages.empty());
        return;
    }
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, c.title);
    EXPECT_EQ(platform.messages[0].text, c.text);
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::OkWithExclamation);
    // Still running with its tray icon: the next launch works.
    EXPECT_FALSE(loop.ended);
    EXPECT_EQ(platform.trayRequests, std::vector<int>{0});
    window.selected = 1;
    lstApps_DblClick(*form);
    EXPECT_EQ(platform.openRequests.back(), "/opt/beta");
    EXPECT_FALSE(window.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Results, Launch,
    ::testing::Values(
        LaunchCase{"AcceptedOpenRequestHides", {}, {}, 0, true, {}, {}},
        LaunchCase{
            "DirectStartAfterFailedRequestHides", {LaunchStatus::Other, 32}, {}, 1, true, {}, {}},
        LaunchCase{"NoSuchFileIsTold",
                   {LaunchStatus::NotFound, 2},
                   {LaunchStatus::NotFound, 2},
                   1,
                   false,
                   "Quivanto - File not found!",
                   "The program that you selected does not exist anymore! Please remove it "
                   "from your Quivanto list.\r\rDESCRIPTION: abcdefghijklmnopqrstuvwxyz1234"
                   "\rFILE NAME: /gone/tool"},
        LaunchCase{"OtherFailureIsToldByNumber",
                   {LaunchStatus::NoProgramForFile, 31},
                   {LaunchStatus::AccessRefused, 5},
                   1,
                   false,
                   "Quivanto - Error Occured!",
                   " 70: Error Occured!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListCommands, LaunchWithoutSelectionDoesNothing) {
    start(Three, true);
    window.selected = -1;
    lstApps_DblClick(*form);
    EXPECT_TRUE(platform.openRequests.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(window.visible);
}

TEST_F(ListCommands, DropOneFileAddsIt) {
    start(Three, false);
    const int before = height();
    lstApps_OLEDragDrop(*form, files({"/home/ann/Song.ogg"}));
    EXPECT_TRUE(platform.messages.empty());
    const std::string line = "Song.ogg                      |/home/ann/Song.ogg";
    EXPECT_EQ(listBytes(), Three + line + "\r\n");
    ASSERT_EQ(window.rows.size(), 4u);
    EXPECT_EQ(window.rows[2], line); // at its sorted place
    EXPECT_EQ(window.selected, 0);
    EXPECT_EQ(height(), before + 13);
    EXPECT_TRUE(window.visible); // a hidden list is brought up for the drop
}

TEST_F(ListCommands, DropOfATakenNameNumbersIt) {
    start(Three, true);
    lstApps_OLEDragDrop(*form, files({"/mnt/Beta"}));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(listBytes(), Three + "Beta                        ~2|/mnt/Beta\r\n");
    EXPECT_EQ(window.rows.size(), 4u);
}

struct DropRefusal {
    const char* name;
    DroppedFiles dropped;
    std::string title;
};

class DropRefusals : public quivanto::testing::FlowTest,
                     public ::testing::WithParamInterface<DropRefusal> {};

TEST_P(DropRefusals, ChangeNothing) {
    start(Three, true);
    const int before = height();
    lstApps_OLEDragDrop(*form, GetParam().dropped);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, GetParam().title);
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::OkWithExclamation);
    EXPECT_EQ(listBytes(), Three);
    EXPECT_EQ(window.rows.size(), 3u);
    EXPECT_EQ(height(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropRefusals,
    ::testing::Values(
        DropRefusal{"SeveralFiles", files({"/tmp/a", "/tmp/b"}),
                    "Quivanto - Drag and Drop Multiple Files Error"},
        DropRefusal{"NoFileList", DroppedFiles{}, "Quivanto - File Type Not Supported!"},
        DropRefusal{"ListedTarget", files({"/opt/zeta"}), "Quivanto - Duplicate Item!"},
        DropRefusal{"LineFeedInTheName", files({"/tmp/two\nlines"}),
                    "Quivanto - File Name Not Supported!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListCommands, DropClosesAnOpenDialog) {
    start(Three, true);
    form->ShowPropertiesDialog();
    ASSERT_NE(form->openDialog(DialogNumber::Properties), nullptr);
    lstApps_OLEDragDrop(*form, files({"/tmp/a", "/tmp/b"})); // even a refused drop closes it
    EXPECT_EQ(form->openDialog(DialogNumber::Properties), nullptr);
    EXPECT_TRUE(views.properties->closed);
    loop.runPending();
}

TEST_F(ListCommands, DropThatCannotBeWrittenAddsNoRow) {
    start(Three, true);
    const int before = height();
    std::filesystem::remove(dir / "list.dat");
    std::filesystem::create_directory(dir / "list.dat");
    lstApps_OLEDragDrop(*form, files({"/tmp/new.txt"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Error Occured!");
    // The number, then the file and the reason, so the user can put it right.
    const std::string& text = platform.messages[0].text;
    EXPECT_EQ(text.rfind(" 75: Error Occured!\r\r", 0), 0u) << text;
    EXPECT_NE(text.find("list.dat"), std::string::npos) << text;
    EXPECT_EQ(window.rows.size(), 3u);
    EXPECT_EQ(height(), before);
    EXPECT_FALSE(loop.ended);
    EXPECT_TRUE(window.visible);
}

struct RemoveCase {
    const char* name;
    int selected;
    bool yes;
    int selectedAfter;
    std::string fileAfter;
};

class Remove : public quivanto::testing::FlowTest,
               public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(Remove, AsksThenRemoves) {
    const RemoveCase& c = GetParam();
    start(Three, true);
    const int before = height();
    const std::string line = window.rows[static_cast<std::size_t>(c.selected)];
    window.selected = c.selected;
    form->ShowAddDialog();
    auto* dialog = views.addItem;
    bool dialogClosedFirst = false;
    platform.whileMessageShown = [&](const FakePlatform::ShownMessage&) {
        dialogClosedFirst = dialog->closed;
    };
    platform.answers = {c.yes ? MessageAnswer::Yes : MessageAnswer::No};
    const int focusBefore = window.listFocusRequests;

    RemoveSelectedItem(*form);

    EXPECT_TRUE(dialogClosedFirst);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Are you sure?");
    EXPECT_EQ(platform.messages[0].text,
              "Are you sure that you want to remove the selected item from your Quivanto "
              "list?\r\rDESCRIPTION: " +
                  line.substr(0, 30) + "\rFILE NAME: " + line.substr(31));
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::YesNoQuestionDefaultNo);
    EXPECT_EQ(listBytes(), c.fileAfter);
    EXPECT_FALSE(std::filesystem::exists(dir / "temp.dat"));
    EXPECT_EQ(window.rows.size(), c.yes ? 2u : 3u);
    EXPECT_EQ(window.rows, form->rows());
    EXPECT_EQ(height(), c.yes ? before - 13 : before);
    EXPECT_EQ(window.selected, c.selectedAfter);
    EXPECT_GT(window.listFocusRequests, focusBefore);
    loop.runPending();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Remove,
    ::testing::Values(RemoveCase{"YesOnTheMiddleRowSelectsTheRowAbove", 1, true, 0,
                                 "abcdefghijklmnopqrstuvwxyz1234|/gone/tool\r\n"
                                 "Zeta                          |/opt/zeta\r\n"},
                      RemoveCase{"YesOnTheFirstRowSelectsTheNewFirstRow", 0, true, 0,
                                 "Beta                          |/opt/beta\r\n"
                                 "Zeta                          |/opt/zeta\r\n"},
                      RemoveCase{"NoChangesNothing", 2, false, 2, Three}),
    [](const auto& info) { return std::string(info.param.name); });

struct RemoveRefusal {
    const char* name;
    std::string list;
    int selected;
    std::string text;
};

class RemoveRefusals : public quivanto::testing::FlowTest,
                       public ::testing::WithParamInterface<RemoveRefusal> {};

TEST_P(RemoveRefusals, TellAndChangeNothing) {
    const RemoveRefusal& c = GetParam();
    start(c.list, true);
    const int before = height();
    window.selected = c.selected;
    RemoveSelectedItem(*form);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Quivanto");
    EXPECT_EQ(platform.messages[0].text, c.text);
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::OkOnly);
    EXPECT_EQ(listBytes(), c.list);
    EXPECT_EQ(height(), before);
}

const std::string One = "Only                          |/opt/only\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveRefusals,
    ::testing::Values(RemoveRefusal{"LastItemSelected", One, 0,
                                    "You cannot remove the last item! Please add an item first."},
                      RemoveRefusal{"LastItemEvenWithoutASelection", One, -1,
                                    "You cannot remove the last item! Please add an item first."},
                      RemoveRefusal{"NothingSelected", Three, -1,
                                    "You must first select an item from your list."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListCommands, FailedRewritePutsTheRowBack) {
    start(Three, true);
    const int before = height();
    const std::string line = window.rows[1];
    window.selected = 1;
    platform.answers = {MessageAnswer::Yes};
    platform.replaceFailure = std::make_error_code(std::errc::read_only_file_system);

    RemoveSelectedItem(*form);

    ASSERT_EQ(platform.messages.size(), 2u);
    const auto& told = platform.messages[1];
    EXPECT_EQ(told.title, "Quivanto - Error Occured!");
    EXPECT_NE(told.text.find("list.dat"), std::string::npos) << told.text;
    EXPECT_NE(told.text.find(std::make_error_code(std::errc::read_only_file_system).message()),
              std::string::npos)
        << told.text;
    EXPECT_EQ(listBytes(), Three);
    ASSERT_EQ(window.rows.size(), 3u);
    EXPECT_EQ(window.rows[1], line);
    EXPECT_EQ(window.selected, 1);
    EXPECT_EQ(height(), before);
    EXPECT_FALSE(loop.ended);
}

} // namespace
