// The Win32 list window driven by the real Form1 with the fake platform (nothing is opened
// or started): what the flow tests cannot see. The window's and the list's styles, the
// rows as the list box holds them, the places in pixels, and every click, key and drop
// reaching the flow it belongs to.
#include "core/item_line.h"
#include "list_window/form1.h"
#include "support/fake_platform.h"
#include "win32/dialog_support.h"
#include "win32/dialog_windows.h"
#include "win32/list_window.h"
#include "win32/message_loop.h"
#include "win32_test_support.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace quivanto;
namespace testing_ = quivanto::testing;
using win32::ListWindow;

namespace {

// Hand-written lines in an order the file does not sort; "a-c" before "ab" only in the
// shared order (byte by byte), not in the locale's word order that LBS_SORT would use.
const std::string ListBytes = "beta                          |C:\\b.exe\r\n"
                              "ab                            |C:\\ab.exe\r\n"
                              "a-c                           |C:\\ac.exe\r\n";

class ListWindowTest : public ::testing::Test {
public:
    ListWindowTest() {
        testing_::writeFile(folder.path() / "list.dat", ListBytes);
        dialogs = std::make_unique<win32::DialogWindows>(platform, window.window());
        form = std::make_unique<Form1>(platform, loop, folder.path().string(), window, *dialogs);
        window.attach(*form);
        EXPECT_EQ(form->Form_Load(), StartOutcome::Resident);
        form->ShowMenu();
    }
    ~ListWindowTest() override { form.reset(); }

    std::vector<std::string> shownRows() const {
        std::vector<std::string> rows;
        const auto count = SendMessageA(window.list(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::string text(static_cast<std::size_t>(SendMessageA(window.list(), LB_GETTEXTLEN,
                                                                   static_cast<WPARAM>(i), 0)),
                             '\0');
            SendMessageA(window.list(), LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text.data()));
            rows.push_back(text);
        }
        return rows;
    }

    void pump() { testing_::pumpMessages(std::chrono::milliseconds(300)); }

    void click(int control) {
        SendMessageA(window.window(), WM_COMMAND, MAKEWPARAM(control, STN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window.window(), control)));
    }

    testing_::TempFolder folder;
    testing_::FakePlatform platform;
    ListWindow window{GetModuleHandleA(nullptr), platform.screen, platform.textEncoding()};
    std::unique_ptr<win32::DialogWindows> dialogs;
    win32::MessageLoop loop{GetModuleHandleA(nullptr)};
    std::unique_ptr<Form1> form;
};

TEST_F(ListWindowTest, TheListBoxMirrorsTheRowsInTheSharedOrder) {
    EXPECT_EQ(shownRows(), form->rows());
    EXPECT_EQ(form->rows().front().substr(0, 3), "a-c");
    EXPECT_EQ(SendMessageA(window.list(), LB_GETCURSEL, 0, 0), 0);
    // A row added later takes its sorted place, the selection staying on its row.
    form->selectIndex(1);
    const std::string selected = form->rows()[1];
    form->addRow("aa                            |C:\\aa.exe");
    EXPECT_EQ(shownRows(), form->rows());
    EXPECT_EQ(shownRows()[static_cast<std::size_t>(form->selectedIndex())], selected);
}

TEST_F(ListWindowTest, ABorderlessToolWindowWithAnOwnerDrawnListThatTakesDrops) {
    const LONG style = GetWindowLongA(window.window(), GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window.window(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    const LONG listStyle = GetWindowLongA(window.list(), GWL_STYLE);
    EXPECT_TRUE(listStyle & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(listStyle & LBS_HASSTRINGS) << "rows readable from outside";
    EXPECT_FALSE(listStyle & LBS_SORT) << "the locale's order is not the shared one";
    EXPECT_TRUE(GetWindowLongA(window.list(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_EQ(SendMessageA(window.list(), LB_GETITEMHEIGHT, 0, 0), 13) << "195 twips";
}

TEST_F(ListWindowTest, WindowAndListStandWhereTheFlowPutsThem) {
    const auto expectPlaces = [this] {
        RECT outer{};
        GetWindowRect(window.window(), &outer);
        const PixelRect expected = form->windowRect();
        EXPECT_EQ(
            (PixelRect{outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top}),
            expected);
        RECT list{};
        GetWindowRect(window.list(), &list);
        MapWindowPoints(nullptr, window.window(), reinterpret_cast<POINT*>(&list), 2);
        EXPECT_EQ((PixelRect{list.left, list.top, list.right - list.left, list.bottom - list.top}),
                  form->listRect());
    };
    expectPlaces();
    form->GrowListWindow();
    expectPlaces();
    form->ShowListAtCursor();
    expectPlaces();
}

// Rows drawn wider than the list is: whatever the font's width, nothing beyond the 30
// description characters shows, while the list keeps the whole row for screen readers.
TEST_F(ListWindowTest, RowsDrawTheirDescriptionColumnOnly) {
    RECT item{};
    SendMessageA(window.list(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const int width = 3 * (item.right - item.left);
    const int height = item.bottom - item.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window.list(), WM_GETFONT, 0, 0)));

    for (UINT row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const std::string& line = form->rows()[row];
        EXPECT_EQ(shownRows()[row], line);
        DRAWITEMSTRUCT draw{
            ODT_LISTBOX, ListWindow::LstApps,       row, ODA_DRAWENTIRE, 0, window.list(),
            dc,          RECT{0, 0, width, height}, 0};
        SendMessageA(window.window(), WM_DRAWITEM, ListWindow::LstApps,
                     reinterpret_cast<LPARAM>(&draw));
        const std::string_view description = descriptionField(line, platform.textEncoding());
        SIZE extent{};
        GetTextExtentPoint32A(dc, description.data(), static_cast<int>(description.size()),
                              &extent);
        ASSERT_LT(extent.cx + 1, width) << "the drawing would show the whole row";
        const auto inks = [&](int from, int to) {
            int count = 0;
            for (int y = 0; y < height; ++y)
                for (int x = from; x < to; ++x)
                    count += GetPixel(dc, x, y) != RGB(0, 128, 0) ? 1 : 0;
            return count;
        };
        EXPECT_GT(inks(0, extent.cx + 1), 0) << "the description is drawn";
        EXPECT_EQ(inks(extent.cx + 1, width), 0) << "nothing right of the description column";
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

struct Action {
    const char* name;
    std::function<void(ListWindowTest&)> act;
    std::function<void(ListWindowTest&)> expect;
};

class ListWindowActions : public ListWindowTest,
                          public ::testing::WithParamInterface<std::size_t> {};

std::string selectedTarget(Form1& form) {
    return form.rows()[static_cast<std::size_t>(form.selectedIndex())].substr(31);
}

void sendKey(HWND target, WPARAM key) {
    SendMessageA(target, WM_KEYDOWN, key, 0);
}

const char* lastTitle(ListWindowTest& t) {
    auto& messages = t.platform.messages;
    return messages.empty() ? "" : messages.back().title.c_str();
}

bool hidden(ListWindowTest& t) {
    return !IsWindowVisible(t.window.window()) && t.form->isMinimized();
}

const std::vector<Action>& actions() {
    static const std::vector<Action> table{
        {"EnterLaunches", [](auto& t) { sendKey(t.window.list(), VK_RETURN); },
         [](auto& t) {
             ASSERT_FALSE(t.platform.openRequests.empty());
             EXPECT_EQ(t.platform.openRequests.back(), "C:\\ac.exe");
         }},
        {"SpaceLaunches", [](auto& t) { sendKey(t.window.list(), VK_SPACE); },
         [](auto& t) {
             EXPECT_EQ(t.platform.openRequests.size(), 1u);
         }},
        {"DoubleClickLaunches",
         [](auto& t) {
             SendMessageA(t.window.window(), WM_COMMAND,
                          MAKEWPARAM(ListWindow::LstApps, LBN_DBLCLK),
                          reinterpret_cast<LPARAM>(t.window.list()));
         },
         [](auto& t) {
             ASSERT_EQ(t.platform.openRequests.size(), 1u);
             EXPECT_EQ(t.platform.openRequests[0], selectedTarget(*t.form));
         }},
        {"EscapeHides", [](auto& t) { sendKey(t.window.list(), VK_ESCAPE); }, hidden},
        {"EscapeOnTheWindowHides", [](auto& t) { sendKey(t.window.window(), VK_ESCAPE); }, hidden},
        {"DeleteAsks", [](auto& t) { sendKey(t.window.list(), VK_DELETE); },
         [](auto& t) {
             EXPECT_STREQ(lastTitle(t), "Quivanto - Are you sure?");
         }},
        {"F1WithoutHelpSaysSo", [](auto& t) { sendKey(t.window.list(), VK_F1); },
         [](auto& t) {
             EXPECT_STREQ(lastTitle(t), "Quivanto - Error Occured!");
         }},
        {"InsertOpensAddItem", [](auto& t) { sendKey(t.window.list(), VK_INSERT); },
         [](auto& t) {
             EXPECT_NE(t.form->openDialog(DialogNumber::AddItem), nullptr);
         }},
        {"AddButtonOpensAddItem", [](auto& t) { t.click(ListWindow::PicAdd); },
         [](auto& t) {
             EXPECT_NE(t.form->openDialog(DialogNumber::AddItem), nullptr);
         }},
        {"DeleteButtonAsks", [](auto& t) { t.click(ListWindow::PicDelete); },
         [](auto& t) {
             EXPECT_STREQ(lastTitle(t), "Quivanto - Are you sure?");
         }},
        {"PropertiesButtonOpensProperties", [](auto& t) { t.click(ListWindow::PicProperties); },
         [](auto& t) {
             EXPECT_NE(t.form->openDialog(DialogNumber::Properties), nullptr);
         }},
        {"HelpButtonLooksForHelp", [](auto& t) { t.click(ListWindow::PicHelp); },
         [](auto& t) {
             EXPECT_STREQ(lastTitle(t), "Quivanto - Error Occured!");
         }},
        {"HideButtonHides", [](auto& t) { t.click(ListWindow::PicClose); }, hidden},
        {"BannerOpensAbout", [](auto& t) { t.click(ListWindow::LblAbout); },
         [](auto& t) {
             EXPECT_NE(t.form->openDialog(DialogNumber::About), nullptr);
         }},
        {"OtherKeysDoNothing",
         [](auto& t) {
             for (const WPARAM key : {WPARAM{'A'}, WPARAM{VK_F2}, WPARAM{VK_TAB}})
                 sendKey(t.window.list(), key);
         },
         [](auto& t) {
             EXPECT_TRUE(t.platform.messages.empty());
             EXPECT_TRUE(t.platform.openRequests.empty());
             EXPECT_FALSE(hidden(t));
         }},
    };
    return table;
}

// A file list in the shell's format, as a drop delivers it.
HDROP makeDrop(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

} // namespace

TEST_P(ListWindowActions, ReachesItsFlow) {
    const Action& action = actions()[GetParam()];
    SCOPED_TRACE(action.name);
    action.act(*this);
    pump();
    action.expect(*this);
}

INSTANTIATE_TEST_SUITE_P(EveryControlAndKey, ListWindowActions,
                         ::testing::Range<std::size_t>(0, actions().size()),
                         [](const auto& info) { return std::string(actions()[info.param].name); });

TEST_F(ListWindowTest, ADropOnTheListAddsTheFileOnceTheDropIsOver) {
    const std::string path = "C:\\Tools\\dropped.exe";
    PostMessageA(window.list(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({path})), 0);
    pump();
    const std::string line = "dropped.exe                   |" + path;
    EXPECT_EQ(testing_::readFile(folder.path() / "list.dat"), ListBytes + line + "\r\n");
    EXPECT_EQ(shownRows(), form->rows());
    EXPECT_NE(std::find(form->rows().begin(), form->rows().end(), line), form->rows().end());

    // Two files at once are one drop, and refused.
    PostMessageA(window.list(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(makeDrop({"C:\\one.txt", "C:\\two.txt"})), 0);
    pump();
    EXPECT_EQ(form->rows().size(), 4u);
    ASSERT_FALSE(platform.messages.empty());
}
