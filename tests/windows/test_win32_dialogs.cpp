// The Win32 dialog windows driven by the real flows, with the fake platform (nothing is
// opened or started) and a stand-in list window. They catch what the flow tests cannot:
// the window styles, the typing limit of the description boxes, the lists filled from a
// real folder without moving the working folder, the About box's places and keys.
#include "about/about_box.h"
#include "about/about_layout.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "list_window/form1.h"
#include "platform/win32/win32_platform.h"
#include "support/fake_platform.h"
#include "support/fake_views.h"
#include "win32/dialog_support.h"
#include "win32/dialog_windows.h"
#include "win32_test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace quivanto;
namespace testing_ = quivanto::testing;

namespace {

// The code page's bytes of a text, as the system converts it.
std::string systemAnsi(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

// The list window's real window, hidden, which owns the dialogs.
class OwnerWindow final {
public:
    OwnerWindow()
        : window_(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "list", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND handle() const { return window_; }

private:
    HWND window_;
};

// A list window with its list loaded from a fresh folder, which is also the working
// folder, as the program runs.
class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        std::filesystem::current_path(folder.path());
        platform.folderBackEnd = &system;
        platform.roots = {folder.path().root_path().string()};
        dialogs =
            std::make_unique<win32::DialogWindows>(platform, [this] { return owner.handle(); });
        form = std::make_unique<Form1>(platform, loop, folder.path().string(), list, *dialogs);
        form->Form_Load();
        pump();
    }
    ~DialogTest() override {
        form.reset();
        std::filesystem::current_path(start);
    }

    // Delivers what is queued, the dialog keys as the program's loop does.
    void pump() {
        MSG message;
        for (int round = 0; round < 3; ++round) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (win32::routeDialogMessage(message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            loop.runPending();
        }
    }

    static HWND dialogWindow(const char* form) {
        return FindWindowA((std::string(win32::DialogClassPrefix) + form).c_str(), nullptr);
    }

    // A child by its text, as a person finds it.
    static HWND childWithText(HWND parent, const std::string& text) {
        struct Search {
            std::string text;
            HWND found = nullptr;
        } search{text};
        EnumChildWindows(
            parent,
            [](HWND child, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                char buffer[512] = {};
                GetWindowTextA(child, buffer, sizeof buffer);
                if (s->text == buffer) {
                    s->found = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static HWND childOfClass(HWND parent, const char* windowClass, int nth = 0) {
        HWND child = nullptr;
        for (int i = 0; i <= nth; ++i)
            child = FindWindowExA(parent, child, windowClass, nullptr);
        return child;
    }

    static std::vector<std::string> listRows(HWND list) {
        std::vector<std::string> rows;
        const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::string row(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)),
                            '\0');
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
            rows.push_back(row);
        }
        return rows;
    }

    // What the control itself tells its window when the user picks a row.
    void chooseRow(HWND list, int row) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        pump();
    }

    static RECT clientOnScreen(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return client;
    }

    static RECT childRect(HWND parent, HWND child) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    static int pixels(float twips) { return static_cast<int>(twips / 15.0f + 0.5f); }

    std::filesystem::path start = std::filesystem::current_path();
    testing_::TempFolder folder;
    Win32Platform system;
    quivanto::testing::FakePlatform platform;
    quivanto::testing::FakeListWindow list;
    quivanto::testing::FakeEventLoop loop;
    OwnerWindow owner;
    std::unique_ptr<win32::DialogWindows> dialogs;
    std::unique_ptr<Form1> form;
};

struct StyleCase {
    const char* form;
    const char* caption;
    std::function<void(Form1&)> open;
    DWORD exStyleSet;
    DWORD exStyleClear;
    TwipsRect client; // left and top: the design place on the screen, when fixed
    bool placedByDesign;
    bool growsWithText = false; // the design size is the least it has
};

TEST_F(DialogTest, EachDialogHasItsFrameCaptionIconAndClientSize) {
    const std::vector<StyleCase> cases = {
        {"Form2", "Quivanto - Add Item to List", [](Form1& f) { f.ShowAddDialog(); },
         WS_EX_APPWINDOW, WS_EX_TOOLWINDOW, AddItemLayout::Client, false},
        {"Form3", "Quivanto - Properties for Selected Item",
         [](Form1& f) { f.ShowPropertiesDialog(); }, WS_EX_DLGMODALFRAME,
         WS_EX_APPWINDOW | WS_EX_TOOLWINDOW, PropertiesLayout::Client, true},
        {"Form4",
         "About Quivanto",
         [](Form1& f) { f.ShowAboutDialog(); },
         WS_EX_TOOLWINDOW,
         WS_EX_APPWINDOW,
         {AboutLayout::ClientLeft, AboutLayout::ClientTop, AboutLayout::ClientWidth,
          AboutLayout::ClientHeight},
         true,
         true},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.form);
        c.open(*form);
        pump();
        HWND dialog = dialogWindow(c.form);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(IsWindowVisible(dialog));
        char caption[128] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, c.caption);

        const auto style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE));
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
        EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
        EXPECT_EQ(exStyle & c.exStyleSet, c.exStyleSet);
        EXPECT_EQ(exStyle & c.exStyleClear, 0u);
        // Owned by the list window: above it, and (but for Add Item) out of the taskbar.
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.handle());
        EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);

        const RECT client = clientOnScreen(dialog);
        if (c.growsWithText) {
            EXPECT_GE(client.right - client.left, pixels(c.client.width));
            EXPECT_GE(client.bottom - client.top, pixels(c.client.height));
        } else {
            EXPECT_EQ(client.right - client.left, pixels(c.client.width));
            EXPECT_EQ(client.bottom - client.top, pixels(c.client.height));
        }
        if (c.placedByDesign) {
            EXPECT_EQ(client.left, pixels(c.client.left));
            EXPECT_EQ(client.top, pixels(c.client.top));
        }
    }
}

// Right edge on the list window's left edge, bottom on the line 425 twips above the
// screen's bottom: the frame's own size taken into account.
TEST_F(DialogTest, AddItemFrameTouchesTheListWindowAboveTheTaskbar) {
    form->ShowAddDialog();
    pump();
    HWND dialog = dialogWindow("Form2");
    ASSERT_NE(dialog, nullptr);
    RECT outer{};
    GetWindowRect(dialog, &outer);
    EXPECT_NEAR(outer.right, form->listGeometry().left / 15.0f, 1.0f);
    EXPECT_NEAR(outer.bottom, (platform.screen.heightTwips - TaskbarMargin) / 15.0f, 1.0f);
}

// What a dialog shows of its scale: its frame, every control's place in it and font height,
// and the sizes of its small icon and of the icon its About box shows.
struct DialogScale {
    RECT frame{};
    std::vector<RECT> places;
    std::vector<LONG> fontHeights;
    std::vector<bool> dropDown;
    int smallIcon = 0;
    int picture = 0;
};

int iconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

DialogScale dialogScale(HWND dialog) {
    DialogScale view;
    GetWindowRect(dialog, &view.frame);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        view.places.push_back(place);
        LOGFONTA font{};
        if (auto handle = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)))
            GetObjectA(handle, sizeof font, &font);
        view.fontHeights.push_back(font.lfHeight);
        char windowClass[32] = {};
        GetClassNameA(child, windowClass, sizeof windowClass);
        view.dropDown.push_back(lstrcmpiA(windowClass, "ComboBox") == 0);
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            view.picture =
                iconWidth(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)));
    }
    view.smallIcon =
        iconWidth(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)));
    return view;
}

void changeScale(HWND dialog, const RECT& frame, int dpi) {
    RECT suggested{frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, dpi, 96),
                   frame.top + MulDiv(frame.bottom - frame.top, dpi, 96)};
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Each edge is rounded on its own from twips: within a pixel or two of the scaled length.
bool nearScaled(LONG scaled, LONG original, int dpi, LONG slack = 2) {
    return std::abs(scaled - MulDiv(original, dpi, 96)) <= slack;
}

TEST_F(DialogTest, EachDialogFollowsItsMonitorsScaleAndComesBackExactly) {
    const struct {
        const char* form;
        std::function<void(Form1&)> open;
        bool fitsItsTexts; // the About box: its texts take the room their fonts need
    } cases[] = {
        {"Form2", [](Form1& f) { f.ShowAddDialog(); }, false},
        {"Form3", [](Form1& f) { f.ShowPropertiesDialog(); }, false},
        {"Form4", [](Form1& f) { f.ShowAboutDialog(); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        c.open(*form);
        pump();
        HWND dialog = dialogWindow(c.form);
        ASSERT_NE(dialog, nullptr);
        const DialogScale at96 = dialogScale(dialog);
        ASSERT_GE(at96.places.size(), 6u);
        EXPECT_EQ(at96.smallIcon, 16);
        EXPECT_EQ(at96.picture, c.fitsItsTexts ? 32 : 0);
        for (const int dpi : {144, 192}) {
            SCOPED_TRACE(dpi);
            changeScale(dialog, at96.frame, dpi);
            const DialogScale scaled = dialogScale(dialog);
            ASSERT_EQ(scaled.places.size(), at96.places.size());
            for (std::size_t i = 0; i < at96.places.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_TRUE(nearScaled(scaled.fontHeights[i], at96.fontHeights[i], dpi, 1))
                    << scaled.fontHeights[i] << " from " << at96.fontHeights[i];
                if (c.fitsItsTexts)
                    continue;
                const RECT& was = at96.places[i];
                const RECT& now = scaled.places[i];
                EXPECT_TRUE(nearScaled(now.left, was.left, dpi) &&
                            nearScaled(now.top, was.top, dpi));
                // A drop-down list's height is its edit part's, which its font sets.
                if (!at96.dropDown[i]) {
                    EXPECT_TRUE(nearScaled(now.right - now.left, was.right - was.left, dpi) &&
                                nearScaled(now.bottom - now.top, was.bottom - was.top, dpi));
                }
            }
            EXPECT_EQ(scaled.smallIcon, MulDiv(at96.smallIcon, dpi, 96));
            EXPECT_EQ(scaled.picture, MulDiv(at96.picture, dpi, 96));
            if (!c.fitsItsTexts) {
                EXPECT_TRUE(nearScaled(scaled.frame.right - scaled.frame.left,
                                       at96.frame.right - at96.frame.left, dpi));
            }
        }
        changeScale(dialog, at96.frame, 96);
        const DialogScale back = dialogScale(dialog);
        EXPECT_TRUE(EqualRect(&back.frame, &at96.frame));
        ASSERT_EQ(back.places.size(), at96.places.size());
        for (std::size_t i = 0; i < at96.places.size(); ++i)
            EXPECT_TRUE(EqualRect(&back.places[i], &at96.places[i])) << i;
        EXPECT_EQ(back.fontHeights, at96.fontHeights);
        EXPECT_EQ(back.smallIcon, at96.smallIcon);
        EXPECT_EQ(back.picture, at96.picture);
    }
}

struct TypingCase {
    const char* form;
    std::function<void(Form1&)> open;
    std::function<std::string(Form1&)> description;
    std::function<void(Form1&, const std::string&)> propose;
};

Form2& addDialog(Form1& f) {
    return dynamic_cast<Form2&>(*f.openDialog(DialogNumber::AddItem));
}
Form3& propertiesDialog(Form1& f) {
    return dynamic_cast<Form3&>(*f.openDialog(DialogNumber::Properties));
}

TEST_F(DialogTest, DescriptionBoxesTakeThirtyCharactersOfTheCodePage) {
    const std::vector<TypingCase> cases = {
        {"Form2", [](Form1& f) { f.ShowAddDialog(); },
         [](Form1& f) { return addDialog(f).view().description(); },
         [](Form1& f, const std::string& t) {
             addDialog(f).view().proposeDescription(t);
         }},
        {"Form3", [](Form1& f) { f.ShowPropertiesDialog(); },
         [](Form1& f) { return propertiesDialog(f).view().description(); },
         [](Form1& f, const std::string& t) {
             propertiesDialog(f).view().proposeDescription(t);
         }},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.form);
        form->selectIndex(0);
        c.open(*form);
        pump();
        HWND box = childOfClass(dialogWindow(c.form), "Edit");
        ASSERT_NE(box, nullptr);
        SetWindowTextW(box, L"");
        SetFocus(box);
        // 35 characters typed, half of them beyond ASCII: 30 taken, whatever their bytes.
        std::wstring typed;
        for (int i = 0; i < 35; ++i)
            typed += i % 2 == 0 ? L'x' : L'\u00e9';
        for (const wchar_t character : typed)
            SendMessageW(box, WM_CHAR, character, 0);
        EXPECT_EQ(GetWindowTextLengthW(box), DescriptionTypingLimit);
        EXPECT_EQ(c.description(*form), systemAnsi(typed.substr(0, DescriptionTypingLimit)));

        // A character the code page lacks is not replaced by a look-alike that it has: a
        // full-width backslash does not become a path separator.
        SetWindowTextW(box, L"");
        SendMessageW(box, WM_CHAR, L'\uff3c', 0);
        EXPECT_EQ(c.description(*form), "?");

        // A proposal longer than the limit is kept whole: the limit is for typing only.
        const std::string proposal(40, 'p');
        c.propose(*form, proposal);
        EXPECT_EQ(c.description(*form), proposal);
    }
}

// The lists come from a real folder, through our own lists: choosing a folder opens it
// at once, a file proposes its name, and the working folder (which holds list.dat) stays.
TEST_F(DialogTest, AddItemBrowsesARealFolderWithoutMovingTheWorkingFolder) {
    std::filesystem::create_directories(folder.path() / "alpha");
    std::filesystem::create_directories(folder.path() / "Beta");
    testing_::writeFile(folder.path() / "b.txt", "b");
    testing_::writeFile(folder.path() / "A.exe", "a");
    testing_::writeFile(folder.path() / "alpha" / "inner.doc", "i");
    // What the system hides stays out of the list; a name beyond ASCII arrives in the
    // ANSI code page, as the A functions that open it later expect.
    testing_::writeFile(folder.path() / "hidden.txt", "h");
    SetFileAttributesA((folder.path() / "hidden.txt").string().c_str(), FILE_ATTRIBUTE_HIDDEN);
    testing_::writeFile(folder.path() / "system.txt", "s");
    SetFileAttributesA((folder.path() / "system.txt").string().c_str(), FILE_ATTRIBUTE_SYSTEM);
    testing_::writeFile(folder.path() / L"caf\u00e9.txt", "c");
    const std::string folderName = folder.path().filename().string();

    form->ShowAddDialog();
    pump();
    HWND dialog = dialogWindow("Form2");
    ASSERT_NE(dialog, nullptr);
    HWND folders = childOfClass(dialog, "ListBox", 0);
    HWND files = childOfClass(dialog, "ListBox", 1);
    HWND box = childOfClass(dialog, "Edit");

    // The open folder last of its ancestors and highlighted, its subfolders after it.
    std::vector<std::string> rows = listRows(folders);
    ASSERT_GE(rows.size(), 3u);
    const int open = static_cast<int>(rows.size()) - 3;
    EXPECT_EQ(rows[static_cast<std::size_t>(open)], folderName);
    EXPECT_EQ(std::vector<std::string>(rows.end() - 2, rows.end()),
              (std::vector<std::string>{"alpha", "Beta"}));
    EXPECT_EQ(SendMessageA(folders, LB_GETCURSEL, 0, 0), open);
    // list.dat is among the files: the list was loaded from this folder.
    EXPECT_EQ(listRows(files), (std::vector<std::string>{
                                   "A.exe", "b.txt", systemAnsi(L"caf\u00e9.txt"), "list.dat"}));
    EXPECT_EQ(win32::windowTextAnsi(box), "");

    chooseRow(folders, open + 1);
    EXPECT_EQ(listRows(files), std::vector<std::string>{"inner.doc"});
    EXPECT_EQ(win32::windowTextAnsi(box), "Folder: alpha");
    rows = listRows(folders);
    EXPECT_EQ(rows.back(), "alpha");
    EXPECT_EQ(SendMessageA(folders, LB_GETCURSEL, 0, 0), static_cast<LRESULT>(rows.size()) - 1);
    EXPECT_EQ(std::filesystem::current_path(), folder.path());

    chooseRow(files, 0);
    EXPECT_EQ(win32::windowTextAnsi(box), "inner.doc");
    SendMessageA(childWithText(dialog, "&Add"), BM_CLICK, 0, 0);
    pump();
    const std::string target = (folder.path() / "alpha" / "inner.doc").string();
    EXPECT_NE(testing_::readFile(folder.path() / "list.dat")
                  .find("inner.doc                     |" + target + "\r\n"),
              std::string::npos);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open for the next item";

    SendMessageA(childWithText(dialog, "&Close"), BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(form->openDialog(DialogNumber::AddItem), nullptr);
}

// Whatever face the system gives for the box's font, every label shows its whole text as
// the label draws it (wrapped within its width), and no control covers another or runs
// out of the window.
TEST_F(DialogTest, AboutBoxShowsEveryTextWhole) {
    form->ShowAboutDialog();
    pump();
    HWND about = dialogWindow("Form4");
    ASSERT_NE(about, nullptr);
    RECT client{};
    GetClientRect(about, &client);
    std::vector<std::pair<HWND, RECT>> controls;
    for (HWND child = GetWindow(about, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        controls.emplace_back(child, childRect(about, child));
    ASSERT_GE(controls.size(), 11u);

    HDC dc = GetDC(about);
    int labels = 0;
    for (const auto& [child, rect] : controls) {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        SCOPED_TRACE(text);
        EXPECT_GE(rect.left, client.left);
        EXPECT_GE(rect.top, client.top);
        EXPECT_LE(rect.right, client.right);
        EXPECT_LE(rect.bottom, client.bottom);
        char windowClass[32] = {};
        GetClassNameA(child, windowClass, sizeof windowClass);
        if (lstrcmpiA(windowClass, "Static") != 0 || text[0] == '\0')
            continue;
        ++labels;
        RECT inside{};
        GetClientRect(child, &inside);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
        RECT needed = inside;
        DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(dc, old);
        EXPECT_LE(needed.right - needed.left, inside.right - inside.left);
        EXPECT_LE(needed.bottom - needed.top, inside.bottom - inside.top);
    }
    ReleaseDC(about, dc);
    EXPECT_EQ(labels, 7);
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            RECT common{};
            EXPECT_FALSE(IntersectRect(&common, &controls[i].second, &controls[j].second))
                << i << " overlaps " << j;
        }
}

TEST_F(DialogTest, AboutBoxPlacesEveryControlAndAnswersItsKeysAndClicks) {
    form->ShowAboutDialog();
    pump();
    HWND about = dialogWindow("Form4");
    ASSERT_NE(about, nullptr);
    // The buttons stand at their design places; the labels start there or, where a text
    // above or left of them took more room, further on, and are never smaller.
    struct Place {
        std::string text;
        TwipsRect rect;
        bool fixed;
    };
    const std::vector<Place> places = {
        {"&OK", AboutLayout::Ok, true},
        {"&System Info...", AboutLayout::SysInfo, true},
        {"&License", AboutLayout::License, true},
        {versionLabel(programVersion()), AboutLayout::Version, false},
        {std::string(ApplicationTitle), AboutLayout::Title, false},
        {std::string(AboutDescription), AboutLayout::Description, false},
        {websiteLabel(), AboutLayout::Website, false},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.text);
        HWND child = childWithText(about, place.text);
        ASSERT_NE(child, nullptr);
        const RECT rect = childRect(about, child);
        if (place.fixed) {
            EXPECT_EQ(rect.left, pixels(place.rect.left));
            EXPECT_EQ(rect.top, pixels(place.rect.top));
            EXPECT_EQ(rect.right - rect.left, pixels(place.rect.width));
            EXPECT_EQ(rect.bottom - rect.top, pixels(place.rect.height));
        } else {
            EXPECT_GE(rect.left, pixels(place.rect.left));
            EXPECT_GE(rect.top, pixels(place.rect.top));
            EXPECT_GE(rect.right - rect.left, pixels(place.rect.width));
            EXPECT_GE(rect.bottom - rect.top, pixels(place.rect.height));
        }
    }
    // The icon box sizes itself to the picture and its sunken border, and starts focused.
    HWND icon = childOfClass(about, "Static");
    const RECT iconRect = childRect(about, icon);
    EXPECT_EQ(iconRect.right - iconRect.left,
              AboutLayout::IconPixels + 2 * AboutLayout::IconBorderPixels);
    EXPECT_EQ(GetFocus(), icon);
    // Tab goes round the four that take the focus, in their order.
    const std::vector<HWND> cycle = {childWithText(about, "&OK"),
                                     childWithText(about, "&System Info..."),
                                     childWithText(about, "&License"), icon};
    for (HWND next : cycle) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        pump();
        EXPECT_EQ(GetFocus(), next);
    }

    // Enter on System Info... presses it (no tool registered here: the message says so).
    HWND sysInfo = childWithText(about, "&System Info...");
    SetFocus(sysInfo);
    PostMessageA(sysInfo, WM_KEYDOWN, VK_RETURN, 0);
    pump();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages.back().text, "System Information Is Unavailable At This Time");
    EXPECT_TRUE(IsWindowVisible(about));

    // A click on the sentence opens the home page.
    HWND website = childWithText(about, websiteLabel());
    SendMessageA(website, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(website, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    pump();
    EXPECT_EQ(platform.openRequests, std::vector<std::string>{std::string(homePage())});

    // Escape closes the box from wherever the focus is, and the list gets the focus back.
    const int focusBefore = list.listFocusRequests;
    PostMessageA(sysInfo, WM_KEYDOWN, VK_ESCAPE, 0);
    pump();
    EXPECT_EQ(form->openDialog(DialogNumber::About), nullptr);
    EXPECT_EQ(dialogWindow("Form4"), nullptr) << "the closed box's window is destroyed";
    EXPECT_GT(list.listFocusRequests, focusBefore);
}

} // namespace
