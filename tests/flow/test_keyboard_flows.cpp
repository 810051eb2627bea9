#include "flow_fixture.h"

#include "commands/command_strip.h"
#include "commands/key_table.h"
#include "core/item_line.h"
#include "core/shortcut_keys.h"
#include "core/text_units.h"

#include <chrono>
#include <string>
#include <vector>

using namespace quivanto;
using std::chrono::milliseconds;

namespace {

std::string listOf(const std::vector<std::string>& descriptions,
                   const TextEncoding& encoding = {}) {
    std::string list;
    for (const std::string& description : descriptions)
        list += makeItemLine(description, "/t/" + description, encoding) + "\r\n";
    return list;
}

// In the list's order: letter case and the Latin-1 capitals folded.
const std::vector<std::string> Fruit = {"Apple",  "apricot", "Banana", "Beet",
                                        "éclair", "Émile",   "Ölfarbe"};

struct Keystroke {
    std::string character;
    int atMs;
};

struct FindCase {
    const char* name;
    int selectedBefore;
    std::vector<Keystroke> keys;
    std::string found; // the selected row's description afterwards
};

class TypeToFind : public quivanto::testing::FlowTest,
                   public ::testing::WithParamInterface<FindCase> {};

TEST_P(TypeToFind, SelectsTheRowTyped) {
    const FindCase& c = GetParam();
    start(listOf(Fruit), true);
    form->selectIndex(c.selectedBefore);
    for (const Keystroke& key : c.keys)
        form->lstApps_KeyPress(key.character, milliseconds(key.atMs));
    ASSERT_GE(window.selected, 0);
    EXPECT_EQ(trimSpaces(descriptionField(window.rows[window.selected])), c.found);
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(platform.openRequests.empty());
    EXPECT_EQ(listBytes(), listOf(Fruit));
}

const FindCase FindCases[] = {
    {"FirstLetter", 0, {{"b", 0}}, "Banana"},
    {"Prefix", 0, {{"a", 0}, {"p", 300}, {"r", 600}}, "apricot"},
    {"CaseIgnored", 0, {{"B", 0}, {"E", 100}}, "Beet"},
    {"WrapsRound", 6, {{"a", 0}}, "Apple"},
    {"FreshSearchMovesOn", 0, {{"a", 0}}, "apricot"},
    {"GoingOnStaysOnItsRow", 0, {{"a", 0}, {"p", 100}}, "apricot"},
    {"SameLetterStepsOn", 0, {{"b", 0}, {"b", 200}}, "Beet"},
    {"SameLetterWrapsRound", 0, {{"b", 0}, {"b", 200}, {"b", 400}}, "Banana"},
    {"NothingMatchesSelectionStays", 2, {{"x", 0}}, "Banana"},
    {"NonAsciiFirstLetter", 0, {{"é", 0}}, "éclair"},
    {"NonAsciiCapitalFolded", 0, {{"É", 0}, {"m", 100}}, "Émile"},
    {"NonAsciiUmlaut", 0, {{"ö", 0}}, "Ölfarbe"},
    {"PauseStartsAfresh", 0, {{"b", 0}, {"a", 1000}}, "Apple"},
    {"JustBeforeThePause", 0, {{"b", 0}, {"a", 999}}, "Banana"},
    {"SpaceIsNotTyping", 0, {{"b", 0}, {" ", 100}, {"e", 200}}, "Beet"},
    {"NoSelection", -1, {{"a", 0}}, "Apple"},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, TypeToFind, ::testing::ValuesIn(FindCases),
                         [](const auto& info) { return info.param.name; });

class Keyboard : public quivanto::testing::FlowTest {};

TEST_F(Keyboard, SpaceStillLaunchesTheRowFound) {
    start(listOf(Fruit), true);
    form->lstApps_KeyPress("b", milliseconds(0));
    form->lstApps_KeyPress(" ", milliseconds(50));
    DispatchListKey(*form, VirtualKey::Space, 0);
    EXPECT_EQ(platform.openRequests, std::vector<std::string>{"/t/Banana"});
    EXPECT_FALSE(window.visible);
}

// A double-byte code page: both characters start with the same byte, which arrives alone.
TEST_F(Keyboard, DoubleByteCharacterIsFoundWhole) {
    platform.encoding.kind = TextEncoding::Kind::DoubleByte;
    for (int lead = 0x81; lead <= 0x9F; ++lead)
        platform.encoding.leadBytes.set(static_cast<std::size_t>(lead));
    const std::vector<std::string> rows = {"\x82\xA0one", "\x82\xA2two"};
    start(listOf(rows, platform.encoding), true);
    form->lstApps_KeyPress("\x82", milliseconds(0));
    EXPECT_EQ(window.selected, 0); // nothing found yet on half a character
    form->lstApps_KeyPress("\xA2", milliseconds(0));
    EXPECT_EQ(window.selected, 1);
}

struct ShortcutCase {
    const char* name;
    std::vector<std::string> arguments;
    std::optional<ShortcutKeys> keys;
    bool unknown;
};

class ShortcutArguments : public ::testing::TestWithParam<ShortcutCase> {};

TEST_P(ShortcutArguments, ChooseTheKeys) {
    const ShortcutCase& c = GetParam();
    const ShortcutChoice choice = shortcutFromArguments(c.arguments);
    EXPECT_EQ(choice.keys, c.keys);
    EXPECT_EQ(!choice.unknownKeys.empty(), c.unknown);
}

constexpr unsigned Super = ShortcutKeys::Super;
constexpr unsigned Alt = ShortcutKeys::Alt;
constexpr unsigned Ctrl = ShortcutKeys::Control;
constexpr unsigned Shift = ShortcutKeys::Shift;

const ShortcutCase ShortcutCases[] = {
    {"NoneGiven", {"-platform", "xcb"}, ShortcutKeys{Super | Alt, 'Q'}, false},
    {"Off", {"--shortcut", "none"}, std::nullopt, false},
    {"Given", {"--shortcut", "ctrl+shift+l"}, ShortcutKeys{Ctrl | Shift, 'L'}, false},
    {"WithEquals", {"--shortcut=Win+Alt+F12"}, ShortcutKeys{Super | Alt, 123}, false},
    {"Digit", {"--shortcut", "Meta+7"}, ShortcutKeys{Super, '7'}, false},
    {"LastWins", {"--shortcut", "none", "--shortcut", "Alt+F1"}, ShortcutKeys{Alt, 112}, false},
    {"KeyAlone", {"--shortcut", "Q"}, std::nullopt, true},
    {"TwoKeys", {"--shortcut", "Alt+Q+W"}, std::nullopt, true},
    {"NoSuchFunctionKey", {"--shortcut", "Alt+F13"}, std::nullopt, true},
    {"ModifierTwice", {"--shortcut", "Alt+alt+Q"}, std::nullopt, true},
    {"UnknownModifier", {"--shortcut", "Hyper+Q"}, std::nullopt, true},
    {"OptionAtTheEnd", {"--shortcut"}, ShortcutKeys{Super | Alt, 'Q'}, false},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, ShortcutArguments, ::testing::ValuesIn(ShortcutCases),
                         [](const auto& info) { return info.param.name; });

TEST(ShortcutNames, AsTheSystemNamesThem) {
    EXPECT_EQ(shortcutKeysText(DefaultShortcut, "Super"), "Super+Alt+Q");
    EXPECT_EQ(shortcutKeysText(DefaultShortcut, "Win"), "Win+Alt+Q");
    EXPECT_EQ(shortcutKeysText({Ctrl | Shift | Alt, 116}, "Win"), "Ctrl+Alt+Shift+F5");
    // The default never holds Control: Ctrl+Alt is AltGr on many keyboards.
    EXPECT_EQ(DefaultShortcut.modifiers & Ctrl, 0u);
}

class GlobalShortcut : public quivanto::testing::FlowTest {
protected:
    void startWith(std::vector<std::string> arguments, ShortcutResult answer) {
        platform.shortcutAnswer = answer;
        form = std::make_unique<Form1>(platform, loop, dir.path().string(), window, views);
        form->setShortcut(shortcutFromArguments(arguments));
        dir.write("list.dat", listOf(Fruit));
        ASSERT_EQ(form->Form_Load(), StartOutcome::Resident);
    }
};

TEST_F(GlobalShortcut, TogglesTheListWithTheKeyboardInIt) {
    startWith({}, ShortcutResult::Registered);
    ASSERT_EQ(platform.shortcutRegistrations, std::vector<ShortcutKeys>{DefaultShortcut});
    EXPECT_TRUE(platform.messages.empty());
    window.selected = -1; // a list left without a selection
    const int focusBefore = window.listFocusRequests;
    platform.pressShortcut();
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_GE(window.activations, 1);
    EXPECT_GT(window.listFocusRequests, focusBefore);
    EXPECT_EQ(window.selected, 0);
    EXPECT_FALSE(platform.foregroundRequests.empty());
    // Typing finds, Enter launches, as from a click on the tray icon.
    form->lstApps_KeyPress("b", milliseconds(0));
    DispatchListKey(*form, VirtualKey::Enter, 0);
    EXPECT_EQ(platform.openRequests, std::vector<std::string>{"/t/Banana"});
    EXPECT_FALSE(window.visible);
    platform.pressShortcut();
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.selected, 2); // the selection is kept
    platform.pressShortcut();
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(form->isMinimized());
}

// The pointer says nothing of where the user wants the list: it hangs from the panel's end
// where the icon's place is unknown, and from the icon where it is known.
TEST_F(GlobalShortcut, TheListStandsBesideTheTrayWhereverThePointerIs) {
    platform.place.workArea = {0, 24, 1024, 744}; // a 24 px top panel
    platform.cursor = {300, 500};
    startWith({}, ShortcutResult::Registered);
    platform.pressShortcut();
    EXPECT_EQ(window.window.top, 24);
    EXPECT_GE(window.window.left + window.window.width, 1023);
    platform.pressShortcut();
    platform.place.icon = ScreenRect{700, 0, 24, 24};
    platform.pressShortcut();
    EXPECT_EQ(window.window.left + window.window.width, 712);
}

TEST_F(GlobalShortcut, TakenKeysAreToldOnceAndTheProgramRuns) {
    startWith({"--shortcut", "super+alt+q"}, ShortcutResult::Taken);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("Super+Alt+Q"), std::string::npos);
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::OkWithExclamation);
    EXPECT_EQ(platform.trayRequests, std::vector<int>{0});
    platform.trayEvent(TrayEvent::Kind::Click);
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(GlobalShortcut, OffOrUnavailableSaysNothing) {
    startWith({"--shortcut", "none"}, ShortcutResult::Registered);
    EXPECT_TRUE(platform.shortcutRegistrations.empty());
    EXPECT_TRUE(platform.messages.empty());
    form.reset();
    startWith({}, ShortcutResult::Unavailable);
    EXPECT_EQ(platform.shortcutRegistrations.size(), 1u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(GlobalShortcut, UnknownKeysAreToldAndNothingIsRegistered) {
    startWith({"--shortcut", "Hyper+Q"}, ShortcutResult::Registered);
    EXPECT_TRUE(platform.shortcutRegistrations.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("\"Hyper+Q\""), std::string::npos);
}

} // namespace
