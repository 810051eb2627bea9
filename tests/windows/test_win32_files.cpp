// Files on real Windows: the ordinary-file test, the application folder, and the atomic
// replace that the list file relies on.
#include "core/item_line.h"
#include "core/list_file.h"
#include "platform/win32/win32_platform.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

using quivanto::FileStatus;
using quivanto::Links;
using quivanto::ListFile;
using quivanto::Win32Platform;
namespace testing_ = quivanto::testing;

namespace {

struct AttributeCase {
    const char* name;
    DWORD attributes; // 0: a folder
    bool ordinary;
};

class OrdinaryFile : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(OrdinaryFile, CountsOnlyVisibleNonSystemFiles) {
    const AttributeCase& entry = GetParam();
    testing_::TempFolder folder;
    const std::string path = folder.file("Help.html");
    if (entry.attributes == 0) {
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    } else {
        testing_::writeFile(path, "<html></html>");
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), entry.attributes));
    }
    Win32Platform platform;
    EXPECT_EQ(platform.isOrdinaryFile(path), entry.ordinary);
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, OrdinaryFile,
    ::testing::Values(AttributeCase{"plain", FILE_ATTRIBUTE_NORMAL, true},
                      AttributeCase{"readonly", FILE_ATTRIBUTE_READONLY, true},
                      AttributeCase{"archive", FILE_ATTRIBUTE_ARCHIVE, true},
                      AttributeCase{"hidden", FILE_ATTRIBUTE_HIDDEN, false},
                      AttributeCase{"system", FILE_ATTRIBUTE_SYSTEM, false},
                      AttributeCase{"hidden_readonly",
                                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, false},
                      AttributeCase{"folder", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OrdinaryFileNames, MissingFilesAndPatternsAreNotFound) {
    testing_::TempFolder folder;
    testing_::writeFile(folder.path() / "License.txt", "terms");
    Win32Platform platform;
    EXPECT_FALSE(platform.isOrdinaryFile(folder.file("Missing.txt")));
    EXPECT_FALSE(platform.isOrdinaryFile(folder.file("nowhere\\License.txt")));
    // A pattern would match License.txt, but names no file itself.
    EXPECT_FALSE(platform.isOrdinaryFile(folder.file("*.txt")));
    EXPECT_FALSE(platform.isOrdinaryFile(folder.file("License.tx?")));
    EXPECT_FALSE(platform.isOrdinaryFile(""));
    // Names are not case-sensitive on Windows.
    EXPECT_TRUE(platform.isOrdinaryFile(folder.file("LICENSE.TXT")));
}

TEST(ApplicationDirectory, HoldsTheRunningProgramWithoutTrailingSeparator) {
    Win32Platform platform;
    const std::string folder = platform.applicationDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(platform.pathSeparator(), '\\');
    EXPECT_TRUE(platform.isOrdinaryFile(folder + "\\test_win32_files.exe"));
}

TEST(AtomicReplace, PutsTheNewFileInPlaceOfTheOld) {
    testing_::TempFolder folder;
    const std::string list = folder.file("list.dat");
    const std::string scratch = folder.file("temp.dat");
    testing_::writeFile(list, "old\r\n");
    testing_::writeFile(scratch, "new\r\n");
    Win32Platform platform;
    EXPECT_FALSE(platform.flushToDisk(scratch));
    EXPECT_FALSE(platform.replaceFile(scratch, list));
    EXPECT_EQ(testing_::readFile(list), "new\r\n");
    EXPECT_FALSE(std::filesystem::exists(scratch));

    // No old file: the new one simply takes the name.
    std::filesystem::remove(list);
    testing_::writeFile(scratch, "first\r\n");
    EXPECT_FALSE(platform.replaceFile(scratch, list));
    EXPECT_EQ(testing_::readFile(list), "first\r\n");
}

TEST(AtomicReplace, ReportsFailuresAndLeavesTheListAlone) {
    testing_::TempFolder folder;
    const std::string list = folder.file("list.dat");
    testing_::writeFile(list, "kept\r\n");
    Win32Platform platform;
    EXPECT_TRUE(platform.replaceFile(folder.file("temp.dat"), list));
    EXPECT_TRUE(platform.flushToDisk(folder.file("temp.dat")));
    EXPECT_EQ(testing_::readFile(list), "kept\r\n");
}

// While one thread rewrites the list through temp.dat again and again, another reads it
// as fast as it can: every read finds the whole old or the whole new list, never a
// missing or half-written one.
TEST(ListFileOnWindows, RewritesLeaveEitherTheOldOrTheNewList) {
    testing_::TempFolder folder;
    Win32Platform platform;
    ListFile list(folder.path().string(), platform);
    list.ensureExists();
    // Long enough that a copy in place would be seen half done.
    for (int i = 0; i < 400; ++i)
        list.appendItemLine(quivanto::makeItemLine(
            "Item " + std::to_string(i), "C:\\Tools\\program" + std::to_string(i) + ".exe"));
    const std::string oldLine = quivanto::makeItemLine("Item 7", "C:\\Tools\\program7.exe");
    const std::string newLine = quivanto::makeItemLine("Item 7", "D:\\Moved\\program7.exe");
    const std::string first = testing_::readFile(list.path());
    ASSERT_TRUE(list.replaceItemLine(newLine, oldLine));
    const std::string second = testing_::readFile(list.path());
    ASSERT_TRUE(first != second);
    ASSERT_TRUE(list.replaceItemLine(oldLine, newLine));

    std::atomic<bool> writing{true};
    std::atomic<int> reads{0};
    std::atomic<int> missing{0};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (writing) {
            std::FILE* in = std::fopen(list.path().c_str(), "rb");
            if (in == nullptr) {
                // Held by the writer for the moment of the rename: only "not found" is a fault.
                if (errno == ENOENT)
                    ++missing;
                continue;
            }
            std::string bytes;
            char buffer[8192];
            std::size_t got = 0;
            while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
                bytes.append(buffer, got);
            std::fclose(in);
            ++reads;
            if (bytes != first && bytes != second)
                ++torn;
            // A reader that never lets go would keep Windows from replacing the file at
            // all; real ones (a scanner, an editor loading it) hold it for a moment.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    std::string writeFailure;
    try {
        for (int round = 0; round < 60 && writeFailure.empty(); ++round) {
            const bool toNew = round % 2 == 0;
            if (!list.replaceItemLine(toNew ? newLine : oldLine, toNew ? oldLine : newLine))
                writeFailure = "line not found in round " + std::to_string(round);
        }
    } catch (const quivanto::ListFileError& error) {
        writeFailure = error.what();
    }
    writing = false;
    reader.join();
    EXPECT_EQ(writeFailure, "");
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(missing.load(), 0);
    EXPECT_EQ(torn.load(), 0);
    EXPECT_TRUE(testing_::readFile(list.path()) == first); // too long to print
    EXPECT_FALSE(std::filesystem::exists(list.scratchPath()));
}

TEST(ListFileOnWindows, DefaultListIsWrittenWithCrLf) {
    testing_::TempFolder folder;
    Win32Platform platform;
    ListFile list(folder.path().string(), platform);
    list.ensureExists();
    const std::string bytes = testing_::readFile(list.path());
    EXPECT_EQ(bytes,
              quivanto::defaultItemLines()[0] + "\r\n" + quivanto::defaultItemLines()[1] + "\r\n");
    EXPECT_EQ(list.readLines(), quivanto::defaultItemLines());
}

// The file queries the list file makes through the platform, answered by the system.
struct StatusCase {
    const char* name;
    const char* bytes; // nullptr: no file; "": a folder
    DWORD attributes;
    FileStatus::Kind kind;
    bool writable;
};

class FileStatusOnWindows : public ::testing::TestWithParam<StatusCase> {};

TEST_P(FileStatusOnWindows, ReportsKindSizeAndReadOnly) {
    const StatusCase& entry = GetParam();
    testing_::TempFolder folder;
    const std::string path = folder.file("list.dat");
    if (entry.bytes != nullptr && *entry.bytes == '\0') {
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    } else if (entry.bytes != nullptr) {
        testing_::writeFile(path, entry.bytes);
    }
    if (entry.attributes != 0) {
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), entry.attributes));
    }
    Win32Platform platform;
    for (const Links links : {Links::Follow, Links::Own}) {
        const FileStatus status = platform.fileStatus(path, links);
        EXPECT_EQ(status.kind, entry.kind);
        EXPECT_EQ(status.writable, entry.writable);
        if (entry.kind == FileStatus::Kind::Regular) {
            EXPECT_EQ(status.size, std::string(entry.bytes).size());
        }
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); // so the folder can go
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FileStatusOnWindows,
    ::testing::Values(StatusCase{"missing", nullptr, 0, FileStatus::Kind::Missing, true},
                      StatusCase{"byte", "x", 0, FileStatus::Kind::Regular, true},
                      StatusCase{"lines", "Explorer\r\nNotepad\r\n", 0, FileStatus::Kind::Regular,
                                 true},
                      StatusCase{"readonly", "kept\r\n", FILE_ATTRIBUTE_READONLY,
                                 FileStatus::Kind::Regular, false},
                      StatusCase{"folder", "", 0, FileStatus::Kind::Directory, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileChangesOnWindows, RemoveTakesReadOnlyFilesAndSaysWhatIsMissing) {
    testing_::TempFolder folder;
    Win32Platform platform;
    const std::string kept = folder.file("temp.dat");
    testing_::writeFile(kept, "leftover");
    ASSERT_TRUE(SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform.removeFile(kept));
    EXPECT_EQ(platform.fileStatus(kept, Links::Follow).kind, FileStatus::Kind::Missing);
    EXPECT_TRUE(platform.removeFile(kept)); // gone already: the system says so

    EXPECT_EQ(platform.fileStatus(folder.file("nowhere\\list.dat"), Links::Follow).kind,
              FileStatus::Kind::Missing);
}

TEST(ListFileOnWindows, ReadOnlyListStaysAndReadOnlyLeftoverIsReplaced) {
    testing_::TempFolder folder;
    Win32Platform platform;
    ListFile list(folder.file(""), platform);
    list.ensureExists();
    const std::string before = testing_::readFile(list.path());

    // A leftover scratch file the user cannot write is still ours to remove.
    testing_::writeFile(list.scratchPath(), "stale");
    ASSERT_TRUE(SetFileAttributesA(list.scratchPath().c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string line = quivanto::makeItemLine("Paint", "mspaint.exe");
    list.appendItemLine(line);
    ASSERT_TRUE(list.deleteItemLine(line));
    EXPECT_EQ(testing_::readFile(list.path()), before);
    EXPECT_FALSE(std::filesystem::exists(list.scratchPath()));

    ASSERT_TRUE(SetFileAttributesA(list.path().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(list.appendItemLine(line), quivanto::ListFileError);
    EXPECT_THROW(list.replaceItemLine(line, quivanto::defaultItemLines()[0]),
                 quivanto::ListFileError);
    EXPECT_EQ(testing_::readFile(list.path()), before);
    SetFileAttributesA(list.path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Names travel as the ANSI code page's bytes from the folder listing to fopen and back.
TEST(ListFileOnWindows, WorksInAFolderWithAnAnsiName) {
    char name[16] = {};
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, 0, L"\u00c4pfel", -1, name, sizeof name, nullptr, &lossy);
    if (length <= 0 || lossy)
        GTEST_SKIP() << "the ANSI code page has no A umlaut";
    testing_::TempFolder base;
    Win32Platform platform;
    const std::string folder = base.file("") + name;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ListFile list(folder, platform);
    list.ensureExists();
    const std::string line = quivanto::makeItemLine("Paint", "mspaint.exe");
    list.appendItemLine(line);
    ASSERT_TRUE(list.replaceItemLine(line, quivanto::defaultItemLines()[1]));
    const auto entries = platform.folderEntries(folder);
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(entries->files, std::vector<std::string>{"list.dat"});
    EXPECT_EQ(list.readLines(),
              (std::vector<std::string>{quivanto::defaultItemLines()[0], line, line}));
}

} // namespace
