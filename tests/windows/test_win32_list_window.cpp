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
#include "win32/program.h"
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
        dialogs =
            std::make_unique<win32::DialogWindows>(platform, [this] { return window.window(); });
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

    // A key pressed on a control that has the focus, with Shift held or not.
    void pressOn(int control, WPARAM key, bool shift = false) {
        HWND target = GetDlgItem(window.window(), control);
        SetFocus(target);
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(target, WM_KEYDOWN, key, 0);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }

    int focusedId() const { return GetDlgCtrlID(GetFocus()); }

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

TEST_F(ListWindowTest, TabWalksEveryControlInOrderAndWrapsBothWays) {
    const std::vector<int> order{
        ListWindow::LstApps, ListWindow::PicProperties, ListWindow::PicDelete, ListWindow::PicAdd,
        ListWindow::PicHelp, ListWindow::PicClose,      ListWindow::LblAbout};
    SetFocus(window.list());
    std::vector<int> forwards{focusedId()};
    for (std::size_t i = 0; i < order.size(); ++i) {
        pressOn(focusedId(), VK_TAB);
        forwards.push_back(focusedId());
    }
    std::vector<int> expected = order;
    expected.push_back(ListWindow::LstApps);
    EXPECT_EQ(forwards, expected);

    std::vector<int> backwards{focusedId()};
    for (std::size_t i = 0; i < order.size(); ++i) {
        pressOn(focusedId(), VK_TAB, true);
        backwards.push_back(focusedId());
    }
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(backwards, expected);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.openRequests.empty());
}

// Screen readers read a control's window text as its name and its class as its role: the
// pictures are buttons named by their tool tips' words.
TEST_F(ListWindowTest, EveryControlCarriesTheNameAScreenReaderReads) {
    const struct {
        int id;
        const char* name;
        const char* role;
    } expected[] = {
        {ListWindow::LstApps, "Quivanto list", "ListBox"},
        {ListWindow::PicProperties, "Properties", "Button"},
        {ListWindow::PicDelete, "Delete", "Button"},
        {ListWindow::PicAdd, "Add", "Button"},
        {ListWindow::PicHelp, "Help", "Button"},
        {ListWindow::PicClose, "Hide", "Button"},
        {ListWindow::LblAbout, "About Quivanto", "Button"},
    };
    for (const auto& control : expected) {
        SCOPED_TRACE(control.name);
        HWND child = GetDlgItem(window.window(), control.id);
        ASSERT_NE(child, nullptr);
        char text[64]{};
        GetWindowTextA(child, text, sizeof text);
        EXPECT_STREQ(text, control.name);
        char role[64]{};
        GetClassNameA(child, role, sizeof role);
        EXPECT_EQ(lstrcmpiA(role, control.role), 0) << role;
        EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP);
    }
}

// A focused picture shows a focus rectangle; the same picture unfocused does not.
TEST_F(ListWindowTest, TheFocusedPictureIsDrawnWithAFocusRectangle) {
    HWND picture = GetDlgItem(window.window(), ListWindow::PicAdd);
    RECT area{};
    GetClientRect(picture, &area);
    const auto drawn = [&](UINT state) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT draw{
            ODT_BUTTON, ListWindow::PicAdd, 0, ODA_DRAWENTIRE, state, picture, dc, area, 0};
        SendMessageA(window.window(), WM_DRAWITEM, ListWindow::PicAdd,
                     reinterpret_cast<LPARAM>(&draw));
        std::vector<COLORREF> pixels;
        for (int y = 0; y < area.bottom; ++y)
            for (int x = 0; x < area.right; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return pixels;
    };
    const auto plain = drawn(0);
    const auto focused = drawn(ODS_FOCUS);
    EXPECT_NE(plain, focused);
    // The rectangle runs along the edge; the picture inside is unchanged.
    const int x = area.right / 2;
    const int y = area.bottom / 2;
    EXPECT_EQ(plain[static_cast<std::size_t>(y * area.right + x)],
              focused[static_cast<std::size_t>(y * area.right + x)]);
}

// Our class name taken by a class whose windows refuse to be made, for the scope: a system
// that will not make the window.
class RefusedClass final {
public:
    explicit RefusedClass(const char* name)
        : name_(name) {
        UnregisterClassA(name, GetModuleHandleA(nullptr));
        WNDCLASSEXA refused{};
        refused.cbSize = sizeof refused;
        refused.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) -> LRESULT {
            return message == WM_NCCREATE ? FALSE : DefWindowProcA(window, message, wParam, lParam);
        };
        refused.hInstance = GetModuleHandleA(nullptr);
        refused.lpszClassName = name;
        EXPECT_NE(RegisterClassExA(&refused), 0);
    }
    ~RefusedClass() { UnregisterClassA(name_, GetModuleHandleA(nullptr)); }
    RefusedClass(const RefusedClass&) = delete;
    RefusedClass& operator=(const RefusedClass&) = delete;

private:
    const char* name_;
};

TEST(ProgramStart, AListWindowTheSystemWillNotMakeIsSaidAndEndsTheRun) {
    testing_::TempFolder folder;
    testing_::writeFile(folder.path() / "list.dat", ListBytes);
    testing_::FakePlatform platform;
    int code = 0;
    {
        RefusedClass refused("QuivantoListWindow");
        code = win32::runProgram(platform, GetModuleHandleA(nullptr), folder.path().string());
    }
    EXPECT_NE(code, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Error Occured!");
    EXPECT_NE(platform.messages[0].text.find("could not create its list window"), std::string::npos)
        << platform.messages[0].text;
}

TEST_F(ListWindowTest, ADialogTheSystemWillNotMakeIsSaidAndTheListGoesOn) {
    const struct {
        const char* className;
        int control;
        int dialog;
        const char* named;
    } refusals[] = {
        {"QuivantoDialog.Form4", ListWindow::LblAbout, DialogNumber::About, "About Quivanto"},
        {"QuivantoDialog.Form2", ListWindow::PicAdd, DialogNumber::AddItem,
         "Quivanto - Add Item to List"},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.className);
        {
            RefusedClass refused(refusal.className);
            click(refusal.control);
            pump();
        }
        ASSERT_FALSE(platform.messages.empty());
        EXPECT_EQ(platform.messages.back().title, "Quivanto - Error Occured!");
        EXPECT_NE(platform.messages.back().text.find(refusal.named), std::string::npos)
            << platform.messages.back().text;
        EXPECT_EQ(form->openDialog(refusal.dialog), nullptr);
        EXPECT_EQ(GetFocus(), window.list());
    }
    // The list still launches, and the window opens once the system makes it again.
    SendMessageA(window.list(), WM_KEYDOWN, VK_RETURN, 0);
    pump();
    EXPECT_EQ(platform.openRequests.size(), 1u);
    click(ListWindow::LblAbout);
    pump();
    EXPECT_NE(form->openDialog(DialogNumber::About), nullptr);
}

// What the window shows of its scale: the frame, every control's place in the window, the
// list's font and row height, and the banner picture's width.
struct ScaleView {
    RECT frame{};
    std::vector<RECT> controls;
    LONG fontHeight = 0;
    LRESULT rowHeight = 0;
    LONG bannerWidth = 0;
};

ScaleView scaleView(ListWindow& window) {
    ScaleView view;
    GetWindowRect(window.window(), &view.frame);
    for (const int id : ListWindow::TabOrder) {
        RECT place{};
        HWND control = GetDlgItem(window.window(), id);
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window.window(), reinterpret_cast<POINT*>(&place), 2);
        view.controls.push_back(place);
    }
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window.list(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    view.fontHeight = font.lfHeight;
    view.rowHeight = SendMessageA(window.list(), LB_GETITEMHEIGHT, 0, 0);
    BITMAP banner{};
    GetObjectA(window.bannerPicture(), sizeof banner, &banner);
    view.bannerWidth = banner.bmWidth;
    return view;
}

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// The frame the system suggests for a new scale: the same corner, the size scaled.
RECT suggestedFrame(const RECT& frame, int dpi) {
    return {frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, dpi, 96),
            frame.top + MulDiv(frame.bottom - frame.top, dpi, 96)};
}

void changeScale(HWND window, const RECT& frame, int dpi) {
    RECT suggested = suggestedFrame(frame, dpi);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Within a pixel of the scaled length: each edge is rounded on its own.
void expectScaled(LONG scaled, LONG original, int dpi) {
    EXPECT_NEAR(scaled, MulDiv(original, dpi, 96), 1) << "from " << original << " at " << dpi;
}

TEST_F(ListWindowTest, EverythingFollowsTheMonitorsScaleAndComesBackExactly) {
    const ScaleView at96 = scaleView(window);
    for (const int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        changeScale(window.window(), at96.frame, dpi);
        const ScaleView scaled = scaleView(window);
        EXPECT_TRUE(scaled.frame == suggestedFrame(at96.frame, dpi)) << "the suggested frame";
        for (std::size_t i = 0; i < at96.controls.size(); ++i) {
            SCOPED_TRACE(ListWindow::TabOrder[i]);
            expectScaled(scaled.controls[i].left, at96.controls[i].left, dpi);
            expectScaled(scaled.controls[i].top, at96.controls[i].top, dpi);
            expectScaled(scaled.controls[i].right, at96.controls[i].right, dpi);
            expectScaled(scaled.controls[i].bottom, at96.controls[i].bottom, dpi);
        }
        expectScaled(scaled.fontHeight, at96.fontHeight, dpi);
        expectScaled(static_cast<LONG>(scaled.rowHeight), static_cast<LONG>(at96.rowHeight), dpi);
        // Twice the pixels from 192 dpi on; below, the 1x picture stretched.
        EXPECT_EQ(scaled.bannerWidth, dpi >= 192 ? 2 * at96.bannerWidth : at96.bannerWidth);
    }
    changeScale(window.window(), at96.frame, 96);
    const ScaleView back = scaleView(window);
    EXPECT_TRUE(back.frame == at96.frame);
    EXPECT_EQ(back.controls.size(), at96.controls.size());
    for (std::size_t i = 0; i < at96.controls.size(); ++i)
        EXPECT_TRUE(back.controls[i] == at96.controls[i]) << ListWindow::TabOrder[i];
    EXPECT_EQ(back.fontHeight, at96.fontHeight);
    EXPECT_EQ(back.rowHeight, at96.rowHeight);
    EXPECT_EQ(back.bannerWidth, at96.bannerWidth);
    // The flows still place it in their own pixels, which it keeps at this scale.
    form->GrowListWindow();
    RECT list{};
    GetWindowRect(window.list(), &list);
    EXPECT_EQ(list.bottom - list.top, form->listRect().height);
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
        {"EnterOnAFocusedPictureIsItsClick",
         [](auto& t) { t.pressOn(ListWindow::PicProperties, VK_RETURN); },
         [](auto& t) {
             EXPECT_NE(t.form->openDialog(DialogNumber::Properties), nullptr);
             EXPECT_TRUE(t.platform.openRequests.empty()) << "not the list's Enter";
         }},
        {"SpaceOnTheFocusedAboutAreaIsItsClick",
         [](auto& t) { t.pressOn(ListWindow::LblAbout, VK_SPACE); },
         [](auto& t) {
             EXPECT_NE(t.form->openDialog(DialogNumber::About), nullptr);
         }},
        {"OtherKeysOnAFocusedPictureDoNothing",
         [](auto& t) {
             for (const WPARAM key : {WPARAM{VK_DELETE}, WPARAM{VK_ESCAPE}, WPARAM{'A'}})
                 t.pressOn(ListWindow::PicAdd, key);
         },
         [](auto& t) {
             EXPECT_TRUE(t.platform.messages.empty());
             EXPECT_EQ(t.form->openDialog(DialogNumber::AddItem), nullptr);
             EXPECT_FALSE(hidden(t));
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
