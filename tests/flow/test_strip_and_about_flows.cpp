#include "flow_fixture.h"

#include "about/form4.h"
#include "commands/command_strip.h"
#include "commands/key_table.h"

#include <string>
#include <vector>

using namespace quivanto;
using quivanto::testing::FakePlatform;

namespace {

const std::string TwoItems = "Explorer                      |explorer.exe\r\n"
                             "Notepad                       |notepad.exe\r\n";

class StripFlows : public quivanto::testing::FlowTest {
protected:
    // Beside the list, joined as the platform joins names.
    std::string helpPath() const { return dir.path().string() + platform.separator + "Help.html"; }
};

struct HelpCase {
    const char* name;
    bool present;
    LaunchResult openResult;
    LaunchResult startResult;
    std::size_t starts;
    std::string message;
};

class Help : public StripFlows, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(Help, OpensOrFallsBackOrTells) {
    const HelpCase& c = GetParam();
    start(TwoItems, true);
    if (c.present)
        platform.ordinaryFiles.insert(helpPath());
    platform.openResults.push_back(c.openResult);
    platform.startResults.push_back(c.startResult);
    const int focus = window.listFocusRequests;
    ShowHelp(*form);
    EXPECT_EQ(platform.openRequests.size(), c.present ? 1u : 0u);
    if (c.present) {
        EXPECT_EQ(platform.openRequests[0], helpPath());
    }
    ASSERT_EQ(platform.starts.size(), c.starts);
    if (c.starts > 0) {
        EXPECT_EQ(platform.starts[0].program, helpPath());
    }
    EXPECT_EQ(platform.messages.empty() ? std::string() : platform.messages[0].text, c.message);
    EXPECT_TRUE(window.visible);
    // The missing-help message ends the command where it stands.
    EXPECT_EQ(window.listFocusRequests > focus, c.present);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Help,
    ::testing::Values(HelpCase{"PresentIsOpened", true, {}, {}, 0, {}},
                      HelpCase{"OpenFailsIsStarted", true, {LaunchStatus::Other, 32}, {}, 1, {}},
                      HelpCase{"NothingOpensItIsTold",
                               true,
                               {LaunchStatus::NotFound, 2},
                               {LaunchStatus::AccessRefused, 5},
                               1,
                               " 70: Error Occured!"},
                      HelpCase{"NothingStartsItIsTold",
                               true,
                               {LaunchStatus::NoProgramForFile, 31},
                               {LaunchStatus::Other, 193},
                               1,
                               " 75: Error Occured!"},
                      HelpCase{"MissingIsTold",
                               false,
                               {},
                               {},
                               0,
                               "The help file could not be found. Please reinstall Quivanto."}),
    [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
    const char* name;
    int key;
    bool shown;
    int dialog;        // DialogNumber the key opens, or None
    std::string title; // of the first message, if any
    std::size_t opens; // open requests
};

class Keys : public StripFlows, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, ActAsTheTableSays) {
    const KeyCase& c = GetParam();
    start(TwoItems, true);
    platform.answers = {MessageAnswer::No};
    for (const int shift : {0, 1}) {
        if (shift == 1) {
            // The shift state makes no difference: the same key again from the same state.
            form->CloseOtherDialogs(DialogNumber::None);
            loop.runPending();
            form->ShowMenu();
            platform.messages.clear();
            platform.openRequests.clear();
            platform.answers = {MessageAnswer::No};
        }
        DispatchListKey(*form, c.key, shift);
        EXPECT_EQ(window.visible, c.shown) << shift;
        if (c.dialog != DialogNumber::None) {
            EXPECT_NE(form->openDialog(c.dialog), nullptr) << shift;
        }
        EXPECT_EQ(platform.messages.empty() ? std::string() : platform.messages[0].title, c.title)
            << shift;
        EXPECT_EQ(platform.openRequests.size(), c.opens) << shift;
        EXPECT_EQ(window.rows.size(), 2u); // Delete was answered No
    }
    loop.runPending();
}

INSTANTIATE_TEST_SUITE_P(
    Table, Keys,
    ::testing::Values(
        KeyCase{"EnterLaunches", VirtualKey::Enter, false, 0, {}, 1},
        KeyCase{"SpaceLaunches", VirtualKey::Space, false, 0, {}, 1},
        KeyCase{"EscapeHides", VirtualKey::Escape, false, 0, {}, 0},
        KeyCase{"InsertOpensAdd", VirtualKey::Insert, true, DialogNumber::AddItem, {}, 0},
        KeyCase{"DeleteAsks", VirtualKey::Delete, true, 0, "Quivanto - Are you sure?", 0},
        KeyCase{"F1Help", VirtualKey::F1, true, 0, "Quivanto - Error Occured!", 0},
        KeyCase{"OtherKeysDoNothing", 65, true, 0, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class AboutFlows : public quivanto::testing::FlowTest {
protected:
    Form4& openAbout() {
        form->ShowAboutDialog();
        auto* box = dynamic_cast<Form4*>(form->openDialog(DialogNumber::About));
        if (box == nullptr)
            throw std::runtime_error("the About box did not open");
        return *box;
    }
};

TEST_F(AboutFlows, ShowsCaptionVersionAndTitleAndComesForward) {
    start({}, true);
    openAbout();
    ASSERT_NE(views.about, nullptr);
    EXPECT_EQ(views.about->caption, "About Quivanto");
    EXPECT_EQ(views.about->version.rfind("Version ", 0), 0u);
    EXPECT_EQ(views.about->title, "Quivanto");
    EXPECT_TRUE(views.about->shown);
    EXPECT_EQ(views.about->activations, 1);
}

struct LicenseCase {
    const char* name;
    std::vector<std::string> ordinaryFiles;
    MessageAnswer answer;
    bool opened;
};

class License : public AboutFlows, public ::testing::WithParamInterface<LicenseCase> {};

TEST_P(License, OpensOrTellsAndTheBoxStays) {
    platform.appDirectory = "/opt/quivanto";
    for (const auto& file : GetParam().ordinaryFiles)
        platform.ordinaryFiles.insert(file);
    platform.answers.push_back(GetParam().answer);
    start({}, true);
    openAbout().cmdLic_Click();
    EXPECT_FALSE(views.about->closed);
    EXPECT_TRUE(platform.starts.empty());
    if (GetParam().opened) {
        EXPECT_EQ(platform.openRequests, std::vector<std::string>{"/opt/quivanto/License.txt"});
        EXPECT_TRUE(platform.messages.empty());
        return;
    }
    EXPECT_TRUE(platform.openRequests.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Quivanto - File could not be found error!");
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::YesNoQuestionDefaultNo);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, License,
    ::testing::Values(
        LicenseCase{"Found", {"/opt/quivanto/License.txt"}, MessageAnswer::No, true},
        LicenseCase{"MissingNo", {}, MessageAnswer::No, false},
        LicenseCase{"MissingYes", {}, MessageAnswer::Yes, false},
        LicenseCase{"Hidden", {"/opt/quivanto/.License.txt"}, MessageAnswer::Yes, false},
        LicenseCase{"OnlyInTheWorkingFolder", {"License.txt"}, MessageAnswer::Yes, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutFlows, WebSiteFromTheSentenceOrTheIconAndRefusalsAreNotTold) {
    start({}, true);
    Form4& box = openAbout();
    platform.openResults = {{}, {}, {LaunchStatus::NotFound, 2}};
    box.lblWebsite_Click();
    box.picIcon_Click();
    box.lblWebsite_Click();
    ASSERT_EQ(platform.openRequests.size(), 3u);
    EXPECT_EQ(platform.openRequests[0], platform.openRequests[1]);
    EXPECT_EQ(platform.openRequests[0], platform.openRequests[2]);
    EXPECT_EQ(platform.openRequests[0].rfind("http", 0), 0u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(views.about->closed);
}

TEST_F(AboutFlows, SystemInfoButtonStartsTheTool) {
    platform.sysInfoTool = "/usr/bin/hardinfo";
    start({}, true);
    openAbout().cmdSysInfo_Click();
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, "/usr/bin/hardinfo");
    EXPECT_TRUE(platform.starts[0].style == ShowStyle::NormalActivate);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(views.about->closed);
}

struct CloseCase {
    const char* name;
    int how;
};

class AboutClosing : public AboutFlows, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(AboutClosing, GivesTheListTheFocus) {
    const int how = GetParam().how;
    start({}, how != 4); // the last way: the box opened while the list is in the tray
    Form4& box = openAbout();
    auto* view = views.about;
    const int focus = window.listFocusRequests;
    const int activations = window.activations;
    switch (how) {
    case 0:
    case 4:
        box.cmdOK_Click();
        break;
    case 1:
        box.Form_Unload(); // the window's close box or Escape
        break;
    case 2:
        form->CloseOtherDialogs(DialogNumber::None);
        break;
    default:
        form->HideListWindow(); // closes it on the way, while the list is still up
        break;
    }
    EXPECT_TRUE(view->closed);
    EXPECT_EQ(form->openDialog(DialogNumber::About), nullptr);
    EXPECT_GT(window.listFocusRequests, focus);
    // The list window comes forward again only when it is on screen.
    EXPECT_EQ(window.activations > activations, how != 4);
    loop.runPending();
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutClosing,
                         ::testing::Values(CloseCase{"Ok", 0}, CloseCase{"CloseBox", 1},
                                           CloseCase{"OtherDialogs", 2}, CloseCase{"ListHidden", 3},
                                           CloseCase{"OkWhileTheListIsInTheTray", 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutFlows, ReopeningGivesOneFreshBox) {
    start({}, true);
    openAbout();
    auto* first = views.about;
    first->version = "stale";
    openAbout();
    EXPECT_TRUE(first->closed);
    EXPECT_NE(views.about, first);
    EXPECT_EQ(views.about->version.rfind("Version ", 0), 0u);
    EXPECT_EQ(views.made, 2);
    loop.runPending();
}

} // namespace
