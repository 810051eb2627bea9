// The parts of the back end that need a desktop: the tray icon, message boxes, the screen
// and the foreground window. Runs under Xvfb (run_windows_tests.sh). Without a window
// manager Wine takes 2 s to delete the last tray icon or close a shown window (it waits for
// the window to be withdrawn), hence the slow-looking tests.
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_tray.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using quivanto::DefaultButton;
using quivanto::MessageAnswer;
using quivanto::MessageButtons;
using quivanto::MessageIcon;
using quivanto::MessageStyle;
using quivanto::TrayIconData;
using quivanto::Win32Platform;
namespace testing_ = quivanto::testing;

namespace {

TrayIconData quivantoTray() {
    TrayIconData data;
    data.tip = "Quivanto";
    return data;
}

// Asks the notification area about the icon without changing it: a modify request
// succeeds only for an icon it holds.
bool iconPresent(quivanto::WindowHandle window, unsigned id) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = sizeof probe;
    probe.hWnd = reinterpret_cast<HWND>(window);
    probe.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

TEST(Tray, IsFoundOnTheDesktop) {
    Win32Platform platform;
    EXPECT_TRUE(platform.waitForTray(10000));
}

TEST(Tray, IconIsAddedDeletedAndAddedAgainWhenTheTaskbarRestarts) {
    Win32Platform platform;
    ASSERT_TRUE(platform.waitForTray(10000));
    const TrayIconData data = quivantoTray();
    platform.addTrayIcon(data, [](const quivanto::TrayEvent&) {});
    const auto window = platform.trayWindow();
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(iconPresent(window, 1));
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(window)));

    // A restarted taskbar has lost every icon and broadcasts TaskbarCreated.
    NOTIFYICONDATAA lost{};
    lost.cbSize = sizeof lost;
    lost.hWnd = reinterpret_cast<HWND>(window);
    lost.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
    ASSERT_FALSE(iconPresent(window, 1));
    SendMessageA(reinterpret_cast<HWND>(window), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(iconPresent(window, 1));

    platform.deleteTrayIcon(data);
    EXPECT_FALSE(iconPresent(window, 1));
    // Once deleted, a taskbar restart does not bring it back.
    SendMessageA(reinterpret_cast<HWND>(window), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_FALSE(iconPresent(window, 1));
}

using Kind = quivanto::TrayEvent::Kind;

struct CallbackCase {
    const char* name;
    bool version4;
    UINT message;
    std::optional<Kind> kind;
    bool fromKeyboard;
};

class TrayCallbacks : public ::testing::TestWithParam<CallbackCase> {};

// With the fourth version a click comes as button messages and then NIN_SELECT, a right
// click as button messages and then WM_CONTEXTMENU: only the latter ones count.
TEST_P(TrayCallbacks, BecomeTrayEvents) {
    const CallbackCase& c = GetParam();
    const WPARAM place = MAKEWPARAM(1000, 750);
    const WPARAM wParam = c.version4 ? place : 1;
    const LPARAM lParam = c.version4 ? MAKELPARAM(c.message, 1) : static_cast<LPARAM>(c.message);
    const auto event = quivanto::win32::trayEventFor(wParam, lParam, c.version4);
    ASSERT_EQ(event.has_value(), c.kind.has_value());
    EXPECT_EQ(quivanto::win32::trayCallbackIconId(wParam, lParam, c.version4), 1u);
    if (!event)
        return;
    EXPECT_EQ(event->kind, *c.kind);
    EXPECT_EQ(event->fromKeyboard, c.fromKeyboard);
    EXPECT_EQ(event->place.has_value(), c.version4);
    if (c.version4) {
        EXPECT_EQ(*event->place, (quivanto::ScreenPoint{1000, 750}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TrayCallbacks,
    ::testing::Values(
        CallbackCase{"LeftUp", false, WM_LBUTTONUP, Kind::Click, false},
        CallbackCase{"DoubleClick", false, WM_LBUTTONDBLCLK, Kind::DoubleClick, false},
        CallbackCase{"RightUp", false, WM_RBUTTONUP, Kind::ContextRequest, false},
        CallbackCase{"MoveIsNothing", false, WM_MOUSEMOVE, std::nullopt, false},
        CallbackCase{"LeftDownIsNothing", false, WM_LBUTTONDOWN, std::nullopt, false},
        CallbackCase{"V4Select", true, NIN_SELECT, Kind::Click, false},
        CallbackCase{"V4KeySelect", true, NIN_KEYSELECT, Kind::Click, true},
        CallbackCase{"V4DoubleClick", true, WM_LBUTTONDBLCLK, Kind::DoubleClick, false},
        CallbackCase{"V4ContextMenu", true, WM_CONTEXTMENU, Kind::ContextRequest, false},
        CallbackCase{"V4LeftUpIsNothing", true, WM_LBUTTONUP, std::nullopt, false},
        CallbackCase{"V4RightUpIsNothing", true, WM_RBUTTONUP, std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The notification area's callbacks reach the handler, in the protocol version it took.
TEST(Tray, CallbacksArriveAsTrayEvents) {
    Win32Platform platform;
    std::vector<Kind> kinds;
    const TrayIconData data = quivantoTray();
    platform.addTrayIcon(data, [&](const quivanto::TrayEvent& event) {
        kinds.push_back(event.kind);
        if (event.kind == Kind::ContextRequest)
            platform.deleteTrayIcon(data); // as the confirmed removal does, inside the event
    });
    const auto window = reinterpret_cast<HWND>(platform.trayWindow());
    const bool version4 = platform.trayUsesVersion4();
    const auto post = [&](UINT message, UINT id) {
        if (version4)
            PostMessageA(window, WM_MOUSEMOVE, MAKEWPARAM(1000, 750), MAKELPARAM(message, id));
        else
            PostMessageA(window, WM_MOUSEMOVE, id, message);
    };
    post(version4 ? NIN_SELECT : WM_LBUTTONUP, 1);
    post(version4 ? NIN_SELECT : WM_LBUTTONUP, 2); // another icon's: not ours
    post(WM_LBUTTONDBLCLK, 1);
    post(version4 ? WM_CONTEXTMENU : WM_RBUTTONUP, 1);
    testing_::pumpMessages(2s, [&] { return kinds.size() >= 3; });
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Click, Kind::DoubleClick, Kind::ContextRequest}));
    EXPECT_FALSE(iconPresent(platform.trayWindow(), 1));
}

TEST(Tray, RecordUsesThisSystemsStructureAndTheTip) {
    quivanto::win32::TrayIcon icon;
    TrayIconData data = quivantoTray();
    icon.add(data, [](const quivanto::TrayEvent&) {});
    const NOTIFYICONDATAA& record = icon.record();
    EXPECT_EQ(record.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_NE(record.cbSize, 88u);
    EXPECT_EQ(record.hWnd, icon.window());
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    EXPECT_EQ(record.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_NE(record.hIcon, nullptr);
    EXPECT_STREQ(record.szTip, "Quivanto");
    icon.remove();

    data.tip = std::string(300, 'x');
    const auto cut = quivanto::win32::TrayIcon::makeRecord(nullptr, data, nullptr);
    EXPECT_EQ(std::string(cut.szTip), std::string(sizeof cut.szTip - 1, 'x'));
}

// Answers the message box from a second thread, as a user would, after noting what it shows.
struct BoxSeen {
    bool found = false;
    std::string text;
    bool yes = false, no = false, ok = false;
    int defaultButton = 0;
};

std::thread answerBox(const std::string& title, int button, BoxSeen& seen) {
    return std::thread([title, button, &seen] {
        HWND box = nullptr;
        testing_::waitUntil([&] { return (box = FindWindowA("#32770", title.c_str())) != nullptr; },
                            10s);
        if (box == nullptr)
            return;
        seen.found = true;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM into) -> BOOL {
                char kind[32] = {};
                char text[512] = {};
                GetClassNameA(child, kind, sizeof kind);
                GetWindowTextA(child, text, sizeof text);
                if (lstrcmpiA(kind, "Static") == 0 && text[0] != '\0')
                    reinterpret_cast<std::string*>(into)->append(text);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen.text));
        seen.yes = GetDlgItem(box, IDYES) != nullptr;
        seen.no = GetDlgItem(box, IDNO) != nullptr;
        seen.ok = GetDlgItem(box, IDOK) != nullptr;
        for (const int id : {IDOK, IDYES, IDNO}) {
            const HWND control = GetDlgItem(box, id);
            if (control != nullptr &&
                (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                seen.defaultButton = id;
        }
        PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
    });
}

TEST(MessageBoxes, QuestionShowsYesNoWithNoAsDefaultAndReturnsTheAnswer) {
    Win32Platform platform;
    const std::string title = "Quivanto - Are you sure?";
    for (const int button : {IDYES, IDNO}) {
        BoxSeen seen;
        std::thread user = answerBox(title, button, seen);
        const MessageAnswer answer = platform.messageBox(
            "Do you want to remove this item?\r\rDESCRIPTION: Notepad\rFILE NAME: notepad.exe",
            title,
            MessageStyle{MessageButtons::YesNo, MessageIcon::Question, DefaultButton::Second});
        user.join();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(answer, button == IDYES ? MessageAnswer::Yes : MessageAnswer::No);
        EXPECT_TRUE(seen.yes && seen.no);
        EXPECT_FALSE(seen.ok);
        EXPECT_EQ(seen.defaultButton, IDNO);
        EXPECT_EQ(seen.text, "Do you want to remove this item?\r\n\r\nDESCRIPTION: Notepad\r\n"
                             "FILE NAME: notepad.exe");
    }
}

TEST(MessageBoxes, ErrorShowsOnlyOk) {
    Win32Platform platform;
    const std::string title = "Quivanto - Error Occured!";
    BoxSeen seen;
    std::thread user = answerBox(title, IDOK, seen);
    const MessageAnswer answer = platform.messageBox(
        " 5: Error Occured!", title, MessageStyle{MessageButtons::Ok, MessageIcon::Exclamation});
    user.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, MessageAnswer::Ok);
    EXPECT_TRUE(seen.ok);
    EXPECT_FALSE(seen.yes || seen.no);
}

TEST(MessageText, LoneCarriageReturnsBecomeCrLf) {
    EXPECT_EQ(quivanto::win32::messageBoxText("a\rb\r\rc"), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(quivanto::win32::messageBoxText("a\r\nb\r"), "a\r\nb\r\n");
    EXPECT_EQ(quivanto::win32::messageBoxText("line\nfeed"), "line\nfeed");
}

struct FlagsCase {
    const char* name;
    MessageStyle style;
    UINT flags;
};

class MessageFlags : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(MessageFlags, EachPartOfTheStyleBecomesItsFlag) {
    EXPECT_EQ(quivanto::win32::messageBoxFlags(GetParam().style), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageFlags,
    ::testing::Values(
        FlagsCase{"plain", {}, MB_OK},
        FlagsCase{"refusal", {MessageButtons::Ok, MessageIcon::Exclamation}, MB_ICONEXCLAMATION},
        FlagsCase{"confirmation",
                  {MessageButtons::YesNo, MessageIcon::Question, DefaultButton::Second},
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2},
        FlagsCase{"question_yes_first",
                  {MessageButtons::YesNo, MessageIcon::Question, DefaultButton::First},
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1},
        FlagsCase{"ok_second_default",
                  {MessageButtons::Ok, MessageIcon::None, DefaultButton::Second},
                  MB_OK | MB_DEFBUTTON2}),
    [](const auto& info) { return std::string(info.param.name); });

struct AnswerCase {
    const char* name;
    int result;
    MessageButtons buttons;
    MessageAnswer answer;
};

class MessageAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MessageAnswers, TheBoxResultBecomesTheAnswer) {
    const AnswerCase& c = GetParam();
    EXPECT_EQ(quivanto::win32::messageAnswerFor(c.result, MessageStyle{c.buttons}), c.answer);
}

// A box that could not be shown (0) must not read as a Yes.
INSTANTIATE_TEST_SUITE_P(
    Results, MessageAnswers,
    ::testing::Values(AnswerCase{"ok", IDOK, MessageButtons::Ok, MessageAnswer::Ok},
                      AnswerCase{"yes", IDYES, MessageButtons::YesNo, MessageAnswer::Yes},
                      AnswerCase{"no", IDNO, MessageButtons::YesNo, MessageAnswer::No},
                      AnswerCase{"question_not_shown", 0, MessageButtons::YesNo, MessageAnswer::No},
                      AnswerCase{"notice_not_shown", 0, MessageButtons::Ok, MessageAnswer::Ok}),
    [](const auto& info) { return std::string(info.param.name); });

// run_windows_tests.sh starts Xvfb with this screen and tells the tests its size.
TEST(Screen, MetricsAreInTwipsAt96Dpi) {
    const char* screen = std::getenv("QUIVANTO_TEST_SCREEN");
    if (screen == nullptr)
        GTEST_SKIP() << "QUIVANTO_TEST_SCREEN (WIDTHxHEIGHT) names no screen size";
    int width = 0;
    int height = 0;
    ASSERT_EQ(std::sscanf(screen, "%dx%d", &width, &height), 2);
    Win32Platform platform;
    const auto metrics = platform.screenMetrics();
    EXPECT_FLOAT_EQ(metrics.twipsPerPixelX, 15.0f);
    EXPECT_FLOAT_EQ(metrics.twipsPerPixelY, 15.0f);
    EXPECT_FLOAT_EQ(metrics.widthTwips, static_cast<float>(width * 15));
    EXPECT_FLOAT_EQ(metrics.heightTwips, static_cast<float>(height * 15));
}

TEST(Desktop, ForegroundFollowsTheRequest) {
    Win32Platform platform;
    HWND first = CreateWindowExA(0, "STATIC", "first", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    HWND second = CreateWindowExA(0, "STATIC", "second", WS_POPUP | WS_VISIBLE, 200, 10, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    for (HWND wanted : {first, second, first}) {
        platform.setForegroundWindow(reinterpret_cast<quivanto::WindowHandle>(wanted));
        testing_::pumpMessages(2s, [&] { return GetForegroundWindow() == wanted; });
        EXPECT_EQ(GetForegroundWindow(), wanted);
    }
    DestroyWindow(first);
    DestroyWindow(second);
}

} // namespace
