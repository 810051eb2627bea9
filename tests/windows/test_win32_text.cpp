// The back end's answer about the ANSI code page, checked against the system's own
// lead-byte test for the code pages Windows ships in each kind.
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "win32_test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

using quivanto::TextEncoding;
namespace win32 = quivanto::win32;

namespace {

struct CodePageCase {
    unsigned codePage;
    TextEncoding::Kind kind;
};

TEST(AnsiText, CodePagesAreDescribedAsTheSystemReadsThem) {
    const CodePageCase cases[] = {
        {1252, TextEncoding::Kind::SingleByte}, {1251, TextEncoding::Kind::SingleByte},
        {932, TextEncoding::Kind::DoubleByte},  {936, TextEncoding::Kind::DoubleByte},
        {949, TextEncoding::Kind::DoubleByte},  {950, TextEncoding::Kind::DoubleByte},
        {CP_UTF8, TextEncoding::Kind::Utf8},
    };
    for (const CodePageCase& c : cases) {
        SCOPED_TRACE(c.codePage);
        const TextEncoding encoding = win32::encodingOfCodePage(c.codePage);
        EXPECT_EQ(encoding.kind, c.kind);
        if (c.kind == TextEncoding::Kind::Utf8)
            continue;
        int leads = 0;
        for (unsigned byte = 0; byte < 256; ++byte) {
            const bool lead = IsDBCSLeadByteEx(c.codePage, static_cast<BYTE>(byte)) != FALSE;
            EXPECT_EQ(encoding.isLeadByte(static_cast<unsigned char>(byte)), lead) << byte;
            leads += lead ? 1 : 0;
        }
        EXPECT_EQ(leads > 0, c.kind == TextEncoding::Kind::DoubleByte);
    }
}

TEST(AnsiText, PlatformAnswersForTheAnsiCodePage) {
    const quivanto::Win32Platform platform;
    const TextEncoding answer = platform.textEncoding();
    const TextEncoding expected = win32::encodingOfCodePage(GetACP());
    EXPECT_EQ(answer.kind, expected.kind);
    EXPECT_EQ(answer.leadBytes, expected.leadBytes);
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    EXPECT_EQ(answer.kind == TextEncoding::Kind::DoubleByte, info.MaxCharSize == 2);
}

// Folder names come in the code page, as every A function expects them; what the system
// hides does not come at all; a folder that cannot be read gives nothing.
TEST(AnsiText, FolderEntriesAreNamedInTheCodePage) {
    const quivanto::testing::TempFolder folder;
    const std::wstring accented = L"caf\u00e9";
    std::filesystem::create_directory(folder.path() / (accented + L" folder"));
    quivanto::testing::writeFile(folder.path() / (accented + L".txt"), "x");
    quivanto::testing::writeFile(folder.path() / "hidden.txt", "x");
    SetFileAttributesW((folder.path() / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    quivanto::testing::writeFile(folder.path() / "system.txt", "x");
    SetFileAttributesW((folder.path() / "system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);

    char ansi[64] = {};
    WideCharToMultiByte(CP_ACP, 0, accented.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    const std::string name(ansi);

    quivanto::Win32Platform platform;
    const auto entries = platform.folderEntries(folder.path().string());
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(entries->folders, std::vector<std::string>{name + " folder"});
    EXPECT_EQ(entries->files, std::vector<std::string>{name + ".txt"});
    // The name as listed opens the file through the A functions.
    EXPECT_NE(GetFileAttributesA((folder.path().string() + "\\" + entries->files.front()).c_str()),
              INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(platform.folderEntries(folder.path().string() + "\\not there").has_value());
}

} // namespace
