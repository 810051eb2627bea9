#include "flow_fixture.h"

#include "dialogs/form2.h"
#include "dialogs/form3.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

using namespace quivanto;
namespace fs = std::filesystem;

namespace {

// The dialogs browse a real folder tree; the working folder is its top while a test runs.
class DialogFlows : public quivanto::testing::FlowTest {
protected:
    DialogFlows() {
        platform.separator = static_cast<char>(fs::path::preferred_separator);
        tree = fs::canonical(dir.path()) / "tree";
        fs::create_directories(tree / "Apps");
        fs::create_directories(tree / "Docs");
        fs::create_directories(tree / ".config");
        touch(tree / "Apps" / "editor.sh");
        touch(tree / "Apps" / ".editorrc");
        touch(tree / "Docs" / "readme.txt");
        touch(tree / "Docs" / "A very long document name of forty.txt");
        previous = fs::current_path();
        fs::current_path(tree);
        platform.roots = {rootOf(tree)};
    }
    ~DialogFlows() override {
        form.reset();
        fs::current_path(previous);
    }

    static void touch(const fs::path& file) { std::ofstream(file) << "x"; }
    static std::string rootOf(const fs::path& folder) { return folder.root_path().string(); }

    Form1& startShown(const std::string& list = {}) { return start(list, true); }
    Form2& openAdd() {
        form->ShowAddDialog();
        auto* dialog = dynamic_cast<Form2*>(form->openDialog(DialogNumber::AddItem));
        if (dialog == nullptr)
            throw std::runtime_error("the Add Item dialog did not open");
        return *dialog;
    }
    Form3& openProperties() {
        form->ShowPropertiesDialog();
        auto* dialog = dynamic_cast<Form3*>(form->openDialog(DialogNumber::Properties));
        if (dialog == nullptr)
            throw std::runtime_error("the Properties dialog did not open");
        return *dialog;
    }
    // The user clicking a folder entry, found by its path.
    void clickFolder(Form2& dialog, const fs::path& folder) {
        auto& view = *views.addItem;
        for (int row = 0; row < static_cast<int>(view.folders.size()); ++row) {
            view.highlighted = row;
            if (dialog.highlightedPath() == folder.string()) {
                dialog.dirList_Click();
                return;
            }
        }
        FAIL() << "not listed: " << folder;
    }
    void openFolder(Form2& dialog, const fs::path& folder) {
        clickFolder(dialog, folder.parent_path());
        clickFolder(dialog, folder);
        EXPECT_EQ(dialog.folderPath(), folder.string());
    }
    void chooseFile(Form2& dialog, const std::string& name) {
        views.addItem->selectedFileRow = views.addItem->fileRow(name);
        ASSERT_GE(views.addItem->selectedFileRow, 0) << name;
        dialog.filList_Click();
    }
    // Sets the list file's time back, so a rewrite shows as a new time.
    fs::file_time_type ageListFile() {
        const auto old = fs::last_write_time(dir / "list.dat") - std::chrono::hours(1);
        fs::last_write_time(dir / "list.dat", old);
        return old;
    }
    std::string sep() const { return std::string(1, platform.separator); }

    fs::path tree;
    fs::path previous;
};

TEST_F(DialogFlows, AddDialogOpensAtTheWorkingFolderBesideTheList) {
    startShown();
    views.addItemFrame = {4, 20, 4, 4};
    openAdd();
    auto& view = *views.addItem;
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(view.drives, platform.roots);
    EXPECT_EQ(view.drive, 0);
    EXPECT_EQ(view.folders.back().name, "Docs");
    EXPECT_EQ(view.folderRow(".config"), -1);
    EXPECT_EQ(view.folders[0].name, rootOf(tree));
    EXPECT_TRUE(view.folders[0].open);
    EXPECT_EQ(view.folders[view.folderRow("tree")].depth + 1, view.folders.back().depth);
    EXPECT_EQ(view.highlighted, view.folderRow("tree"));
    EXPECT_TRUE(view.files.empty());
    EXPECT_TRUE(view.text.empty());
    // Outer frame: right edge on the list window's left edge, bottoms on one line.
    EXPECT_EQ(view.frameLeft + 4 + 384 + 4, window.window.left);
    EXPECT_EQ(view.frameTop + 20 + 282 + 4, window.window.top + window.window.height);
}

TEST_F(DialogFlows, AddDialogIsPlacedAgainWhenTheFrameBecomesKnown) {
    startShown();
    Form2& dialog = openAdd();
    auto& view = *views.addItem;
    const int left = view.frameLeft;
    const int moves = view.moves;
    dialog.frameMayHaveChanged();
    EXPECT_EQ(view.moves, moves); // the same frame: left where it is
    view.frame = {5, 25, 5, 5};
    dialog.frameMayHaveChanged();
    EXPECT_EQ(view.moves, moves + 1);
    EXPECT_EQ(view.frameLeft, left - 10);
}

TEST_F(DialogFlows, BrowsingUpdatesTheProposal) {
    startShown();
    Form2& dialog = openAdd();
    auto& view = *views.addItem;

    openFolder(dialog, tree / "Docs");
    EXPECT_EQ(view.text, "Folder: Docs");
    EXPECT_EQ(view.files.size(), 2u);
    EXPECT_EQ(view.selectedFileRow, -1);

    chooseFile(dialog, "readme.txt");
    EXPECT_EQ(view.text, "readme.txt");

    openFolder(dialog, tree / "Apps");
    EXPECT_EQ(view.text, "Folder: Apps");
    EXPECT_EQ(view.files, std::vector<std::string>{"editor.sh"}); // no hidden file

    // The open folder clicked again is read afresh and proposed.
    chooseFile(dialog, "editor.sh");
    clickFolder(dialog, tree / "Apps");
    EXPECT_EQ(view.text, "Folder: Apps");
    EXPECT_EQ(view.selectedFileRow, -1);

    clickFolder(dialog, tree);
    EXPECT_EQ(dialog.folderPath(), tree.string());
    EXPECT_EQ(view.text, "Folder: tree");

    clickFolder(dialog, rootOf(tree));
    EXPECT_EQ(dialog.folderPath(), rootOf(tree));
    EXPECT_EQ(view.text, "Drive: " + rootOf(tree));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DialogFlows, LosingTheFocusOpensTheHighlightedFolder) {
    startShown();
    Form2& dialog = openAdd();
    auto& view = *views.addItem;
    view.highlighted = view.folderRow("Docs");
    dialog.dirList_LostFocus();
    EXPECT_EQ(dialog.folderPath(), (tree / "Docs").string());
    EXPECT_EQ(view.files.size(), 2u);
}

TEST_F(DialogFlows, UnreadableFolderLeavesTheLists) {
    startShown();
    Form2& dialog = openAdd();
    fs::create_directory(tree / "Docs" / "Gone");
    openFolder(dialog, tree / "Docs");
    chooseFile(dialog, "readme.txt");
    auto& view = *views.addItem;
    const auto folders = view.folders;
    const int gone = view.folderRow("Gone");
    ASSERT_GT(gone, 0);
    fs::remove(tree / "Docs" / "Gone");
    view.highlighted = gone;
    dialog.dirList_Click();

    EXPECT_EQ(dialog.folderPath(), (tree / "Docs").string());
    EXPECT_EQ(dialog.highlightedPath(), (tree / "Docs").string());
    EXPECT_EQ(view.folders, folders);
    EXPECT_EQ(dialog.selectedFileName(), "readme.txt");
    EXPECT_EQ(view.text, "readme.txt");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DialogFlows, DriveWithoutMediumReturnsTheDriveList) {
    const std::string missing = (dir / "cdrom").string();
    platform.roots = {rootOf(tree), missing};
    startShown();
    Form2& dialog = openAdd();
    auto& view = *views.addItem;

    view.drive = 1; // the user choosing it
    dialog.drvList_Change();
    EXPECT_EQ(view.drive, 0);
    EXPECT_EQ(dialog.folderPath(), tree.string());
    EXPECT_TRUE(platform.messages.empty());

    // A drive that can be read opens at its root, and is the chosen drive.
    fs::create_directory(missing);
    view.drive = 1;
    dialog.drvList_Change();
    EXPECT_EQ(dialog.folderPath(), missing);
    EXPECT_EQ(view.drive, 1);
    EXPECT_EQ(view.text, "Drive: " + missing);
}

TEST_F(DialogFlows, AddWritesTheExactLineAndGrows) {
    startShown();
    const int before = height();
    const std::string bytes = listBytes();
    Form2& dialog = openAdd();
    openFolder(dialog, tree / "Apps");
    chooseFile(dialog, "editor.sh");
    views.addItem->text = "Editor";
    dialog.cmdAdd_Click();

    const std::string line =
        "Editor" + std::string(24, ' ') + "|" + (tree / "Apps").string() + sep() + "editor.sh";
    EXPECT_EQ(listBytes(), bytes + line + "\r\n");
    ASSERT_EQ(window.rows.size(), 3u);
    EXPECT_EQ(window.rows[0], line); // Editor sorts before Explorer
    EXPECT_EQ(window.selected, 1);   // the selection stayed on Explorer
    EXPECT_EQ(height(), before + 13);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(views.addItem->closed);

    // The same again meets the row just added.
    dialog.cmdAdd_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind("The file name that you selected", 0), 0u);
    EXPECT_EQ(window.rows.size(), 3u);

    // No file chosen: the folder itself, with its trailing separator.
    openFolder(dialog, tree / "Docs");
    dialog.cmdAdd_Click();
    EXPECT_EQ(window.rows.size(), 4u);
    EXPECT_TRUE(listBytes().ends_with("Folder: Docs                  |" + (tree / "Docs").string() +
                                      sep() + "\r\n"));
}

struct DuplicateCase {
    const char* name;
    std::string description;
    std::string expected;
};

class Duplicates : public DialogFlows, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(Duplicates, NameTheMatchingRow) {
    const std::string readme = (tree / "Docs" / "readme.txt").string();
    std::string expected = GetParam().expected;
    if (const auto at = expected.find("{readme}"); at != std::string::npos)
        expected.replace(at, 8, readme);
    // The target row comes last in list order, the description row first.
    startShown("Notepad                       |notepad.exe\r\n"
               "Read me first                 |" +
               readme + "\r\n");
    Form2& dialog = openAdd();
    openFolder(dialog, tree / "Docs");
    chooseFile(dialog, "readme.txt");
    const auto time = ageListFile();
    views.addItem->text = GetParam().description;
    dialog.cmdAdd_Click();

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, expected);
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Duplicate Item!");
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::OkWithExclamation);
    EXPECT_EQ(window.rows.size(), 2u);
    EXPECT_EQ(fs::last_write_time(dir / "list.dat"), time);
    EXPECT_EQ(views.addItem->text, GetParam().description);
    EXPECT_FALSE(views.addItem->closed);
}

INSTANTIATE_TEST_SUITE_P(
    Matches, Duplicates,
    ::testing::Values(
        DuplicateCase{"SameTarget", "Something new",
                      "The file name that you selected is already in your Quivanto list.\r\r"
                      "DESCRIPTION: Read me first                 \rFILE NAME: {readme}"},
        DuplicateCase{"SameDescriptionField", "Notepad   ",
                      "The file description that you provided is already in your Quivanto "
                      "list.\r\rDESCRIPTION: Notepad                       \r"
                      "FILE NAME: notepad.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogFlows, LongProposalIsShortenedOnAdd) {
    startShown();
    Form2& dialog = openAdd();
    openFolder(dialog, tree / "Docs");
    chooseFile(dialog, "A very long document name of forty.txt");
    EXPECT_EQ(views.addItem->text, "A very long document name of forty.txt");
    dialog.cmdAdd_Click();
    EXPECT_EQ(window.rows.size(), 3u);
    // First 14 characters, "~", last 15.
    EXPECT_NE(listBytes().find("A very long do~me of forty.txt|"), std::string::npos);
}

TEST_F(DialogFlows, AddWhileHiddenShowsTheList) {
    startShown();
    form->HideListWindow();
    Form2& dialog = openAdd(); // opened while the list window is hidden
    EXPECT_TRUE(form->isMinimized());
    openFolder(dialog, tree / "Apps");
    dialog.cmdAdd_Click();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.rows.size(), 3u);
}

TEST_F(DialogFlows, LineBreakInTheDescriptionIsRefused) {
    startShown();
    const std::string bytes = listBytes();
    Form2& dialog = openAdd();
    views.addItem->text = "two\nlines";
    dialog.cmdAdd_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(listBytes(), bytes);
    EXPECT_EQ(window.rows.size(), 2u);
}

TEST_F(DialogFlows, ClosingAddShowsTheListWithFocus) {
    startShown();
    Form2& dialog = openAdd();
    window.visible = false; // minimised by the window manager, the dialog still open
    const int focus = window.listFocusRequests;
    dialog.cmdDone_Click();
    EXPECT_TRUE(views.addItem->closed);
    EXPECT_EQ(form->openDialog(DialogNumber::AddItem), nullptr);
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_GT(window.listFocusRequests, focus);
    dialog.Form_Unload(); // the window's own close arriving late changes nothing
    loop.runPending();
}

TEST_F(DialogFlows, PropertiesNeedASelectedRow) {
    startShown();
    window.selected = -1;
    form->ShowPropertiesDialog();
    EXPECT_EQ(form->openDialog(DialogNumber::Properties), nullptr);
    EXPECT_EQ(views.properties, nullptr);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "You must first select an item from your list.");
    EXPECT_EQ(platform.messages[0].title, "Quivanto");
    EXPECT_EQ(platform.messages[0].style, quivanto::testing::OkOnly);
}

TEST_F(DialogFlows, PropertiesShowTheSelectedItemAndUpdateKeepsItsTarget) {
    startShown("Notepad                       |  /usr/bin/notepad \r\n"
               "Zed                           |/z\r\n");
    window.selected = 0;
    Form3& dialog = openProperties();
    EXPECT_TRUE(views.properties->shown);
    EXPECT_EQ(views.properties->text, "Notepad");
    EXPECT_EQ(views.properties->target, "/usr/bin/notepad");
    views.properties->text = "Editor";
    dialog.btnUpdate_Click();
    EXPECT_EQ(listBytes(), "Editor                        |/usr/bin/notepad\r\n"
                           "Zed                           |/z\r\n");
}

TEST_F(DialogFlows, UpdateMovesTheRowAndKeepsTheFilePlace) {
    startShown("Gamma                         |/g\r\n"
               "Alpha                         |/a\r\n"
               "Beta                          |/b\r\n");
    window.selected = 0; // Alpha
    Form3& dialog = openProperties();
    views.properties->text = "Zulu";
    const int focus = window.listFocusRequests;
    dialog.btnUpdate_Click();

    EXPECT_TRUE(views.properties->closed);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(window.rows[0].substr(0, 4), "Beta");
    EXPECT_EQ(window.rows[1].substr(0, 5), "Gamma");
    EXPECT_EQ(window.rows[2], "Zulu                          |/a");
    EXPECT_EQ(window.selected, -1);
    EXPECT_EQ(listBytes(), "Gamma                         |/g\r\n"
                           "Zulu                          |/a\r\n"
                           "Beta                          |/b\r\n");
    EXPECT_GT(window.listFocusRequests, focus);
    loop.runPending();
}

struct LeaveCase {
    const char* name;
    std::string typed; // empty: left as loaded
    bool update;
};

class Leaving : public DialogFlows, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(Leaving, WithoutChangeLeavesTheFile) {
    startShown();
    window.selected = 1; // Notepad
    const auto time = ageListFile();
    const std::string bytes = listBytes();
    Form3& dialog = openProperties();
    if (!GetParam().typed.empty())
        views.properties->text = GetParam().typed;
    if (GetParam().update)
        dialog.btnUpdate_Click();
    else if (GetParam().typed == "closed")
        dialog.Form_Unload(); // the window's close box
    else
        dialog.btnCancel_Click();
    EXPECT_TRUE(views.properties->closed);
    EXPECT_EQ(fs::last_write_time(dir / "list.dat"), time);
    EXPECT_EQ(listBytes(), bytes);
    EXPECT_EQ(window.selected, 1);
    EXPECT_TRUE(platform.messages.empty());
    loop.runPending();
}

INSTANTIATE_TEST_SUITE_P(Ways, Leaving,
                         ::testing::Values(LeaveCase{"Cancel", "Changed but cancelled", false},
                                           LeaveCase{"UpdateUnchanged", {}, true},
                                           LeaveCase{"CloseBox", "closed", false},
                                           LeaveCase{"UpdateAfterEditingBack", "Notepad", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogFlows, DescriptionTheBoxCannotShowIsNoEdit) {
    views.propertiesShownAs = [](const std::string&) {
        return std::string("shown otherwise");
    };
    startShown("bad \xff                         |/x\r\n"
               "Zed                           |/z\r\n");
    window.selected = 0;
    const auto time = ageListFile();
    Form3& dialog = openProperties();
    dialog.btnUpdate_Click();
    EXPECT_EQ(fs::last_write_time(dir / "list.dat"), time);
    EXPECT_TRUE(views.properties->closed);
    loop.runPending();
}

TEST_F(DialogFlows, TakenDescriptionIsRefused) {
    startShown("Explorer                      |explorer.exe\r\n"
               "Notepad                       |  notepad.exe\r\n");
    window.selected = 0;
    const auto time = ageListFile();
    Form3& dialog = openProperties();
    views.properties->text = "Notepad";
    dialog.btnUpdate_Click();

    EXPECT_FALSE(views.properties->closed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "The file description that you provided is already in your Quivanto "
              "list.\rPlease enter a unique description for this item.\r\r"
              "DESCRIPTION: Notepad\rFILE NAME: notepad.exe");
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Duplicate Item!");
    EXPECT_EQ(fs::last_write_time(dir / "list.dat"), time);
    EXPECT_EQ(window.selected, 0);
    EXPECT_EQ(views.properties->text, "Notepad");

    // Letter case of its own description is a change, and accepted.
    views.properties->text = "EXPLORER";
    dialog.btnUpdate_Click();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(listBytes().starts_with("EXPLORER                      |explorer.exe\r\n"));
    loop.runPending();
}

TEST_F(DialogFlows, UpdateAppliesToTheLoadedItem) {
    startShown("Alpha                         |/a\r\n"
               "Beta                          |/b\r\n");
    window.selected = 0;
    Form3& dialog = openProperties();
    window.selected = 1; // the user selects another row meanwhile
    views.properties->text = "Aleph";
    dialog.btnUpdate_Click();
    EXPECT_EQ(listBytes(), "Aleph                         |/a\r\n"
                           "Beta                          |/b\r\n");
    EXPECT_EQ(window.rows[0], "Aleph                         |/a");
    EXPECT_EQ(window.rows[1], "Beta                          |/b");
    loop.runPending();
}

TEST_F(DialogFlows, UpdateOfAVanishedItemChangesNothing) {
    startShown("Alpha                         |/a\r\n"
               "Beta                          |/b\r\n"
               "Gamma                         |/g\r\n");
    window.selected = 0;
    Form3& dialog = openProperties();
    form->removeRow(0);
    const auto time = ageListFile();
    views.properties->text = "Aleph";
    dialog.btnUpdate_Click();

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("no longer in your Quivanto list"), std::string::npos);
    EXPECT_TRUE(platform.messages[0].text.ends_with("DESCRIPTION: Alpha\rFILE NAME: /a"));
    EXPECT_EQ(fs::last_write_time(dir / "list.dat"), time);
    EXPECT_EQ(window.rows.size(), 2u);
    EXPECT_EQ(window.rows[0].substr(0, 4), "Beta");
    EXPECT_TRUE(views.properties->closed);
    loop.runPending();
}

TEST_F(DialogFlows, FailingRewriteRestoresTheRow) {
    startShown("Alpha                         |/a\r\n"
               "Beta                          |/b\r\n");
    window.selected = 0;
    const std::string bytes = listBytes();
    Form3& dialog = openProperties();
    views.properties->text = "Zulu";
    platform.replaceFailure = std::make_error_code(std::errc::permission_denied);
    dialog.btnUpdate_Click();

    ASSERT_EQ(platform.messages.size(), 1u);
    const std::string& text = platform.messages[0].text;
    EXPECT_NE(text.find((dir / "list.dat").string()), std::string::npos) << text;
    EXPECT_NE(text.find(std::make_error_code(std::errc::permission_denied).message()),
              std::string::npos)
        << text;
    EXPECT_EQ(platform.messages[0].title, "Quivanto - Error Occured!");
    EXPECT_EQ(listBytes(), bytes);
    ASSERT_EQ(window.rows.size(), 2u);
    EXPECT_EQ(window.rows[0], "Alpha                         |/a");
    EXPECT_EQ(window.selected, 0);
    EXPECT_FALSE(views.properties->closed); // left open to try again or cancel

    dialog.btnUpdate_Click();
    EXPECT_EQ(listBytes(), "Zulu                          |/a\r\n"
                           "Beta                          |/b\r\n");
    loop.runPending();
}

TEST_F(DialogFlows, ReopeningBuildsAFreshDialog) {
    startShown();
    openAdd();
    auto* first = views.addItem;
    first->text = "typed";
    openAdd();
    EXPECT_TRUE(first->closed);
    EXPECT_TRUE(views.addItem->text.empty());
    EXPECT_EQ(loop.pending.size(), 1u);
    loop.runPending(); // the first is gone now

    window.selected = 1;
    openProperties();
    EXPECT_EQ(form->openDialog(DialogNumber::AddItem), nullptr); // one dialog closes the other
    auto* properties = views.properties;
    properties->text = "typed";
    window.selected = 0;
    openProperties();
    EXPECT_TRUE(properties->closed);
    EXPECT_EQ(views.properties->text, "Explorer");
    loop.runPending();
}

TEST_F(DialogFlows, CloseOtherDialogsClosesEach) {
    startShown();
    openAdd();
    window.visible = false;
    form->CloseOtherDialogs(DialogNumber::None);
    EXPECT_TRUE(views.addItem->closed);
    EXPECT_TRUE(window.visible); // closing the Add Item dialog shows the list again
    loop.runPending();

    openProperties();
    const int focus = window.listFocusRequests;
    form->CloseOtherDialogs(DialogNumber::None);
    EXPECT_TRUE(views.properties->closed);
    EXPECT_GT(window.listFocusRequests, focus);
    loop.runPending();

    // The one named stays.
    openAdd();
    form->CloseOtherDialogs(DialogNumber::AddItem);
    EXPECT_FALSE(views.addItem->closed);

    // Hiding the list window closes an open dialog on the way, a minimised one too, so none
    // can come back while the list is hidden.
    views.addItem->minimized = true;
    form->HideListWindow();
    EXPECT_TRUE(views.addItem->closed);
    EXPECT_FALSE(window.visible);
    loop.runPending();
}

} // namespace
