// The back end's answer about the ANSI code page, checked against the system's own
// lead-byte test for the code pages Windows ships in each kind.
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <gtest/gtest.h>

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

} // namespace
