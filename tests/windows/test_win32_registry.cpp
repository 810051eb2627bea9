// The registry look-up against values made with Wine's reg tool (registry_values.sh).
#include "platform/sys_info_registry.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

using quivanto::GetKeyValue;
using quivanto::OpenedRegistryKey;
using quivanto::RegistryValue;
using quivanto::Win32Platform;
namespace Registry = quivanto::Registry;

namespace {

constexpr const char* TestKey = "SOFTWARE\\QuivantoTest";
constexpr std::size_t BufferSize = 1024;

std::vector<unsigned char> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// A text as the registry keeps it with its terminating zero.
std::string withZero(const std::string& text) {
    return text + '\0';
}

RegistryValue lookUp(const std::string& key, const std::string& value,
                     std::size_t bufferSize = BufferSize) {
    quivanto::win32::SystemRegistry registry;
    const OpenedRegistryKey opened =
        registry.openKey(Registry::LocalMachine, key, Registry::KeyRead);
    if (opened.status != Registry::Success)
        return {opened.status, 0, {}};
    RegistryValue found = registry.queryValue(opened.key, value, bufferSize);
    registry.closeKey(opened.key);
    return found;
}

// Text values as only a program writes them: stored without the terminating zero, and of
// no length at all. The registry keeps text in UTF-16.
class WithRawTextValues : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, TestKey, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const wchar_t abc[] = {L'A', L'B', L'C'};
        ASSERT_EQ(RegSetValueExW(key, L"NoZero", 0, REG_SZ, reinterpret_cast<const BYTE*>(abc),
                                 sizeof abc),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, L"ZeroLength", 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

struct FoundCase {
    const char* name;
    const char* value;
    std::uint32_t type;
    std::string bytes;
};

class RegistryFound : public WithRawTextValues, public ::testing::WithParamInterface<FoundCase> {};

TEST_P(RegistryFound, ReturnsTypeAndExactlyTheStoredBytes) {
    const FoundCase& entry = GetParam();
    const RegistryValue found = lookUp(TestKey, entry.value);
    EXPECT_EQ(found.status, Registry::Success);
    EXPECT_EQ(found.type, entry.type);
    EXPECT_EQ(found.bytes, bytesOf(entry.bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryFound,
    ::testing::Values(
        FoundCase{"text_with_zero", "Text", Registry::TypeString, withZero("C:\\Tools\\Info")},
        FoundCase{"empty_text", "Empty", Registry::TypeString, std::string(1, '\0')},
        FoundCase{"zero_length", "ZeroLength", Registry::TypeString, ""},
        FoundCase{"number", "Number", Registry::TypeDword, "\x78\x56\x34\x12"},
        FoundCase{"expandable_not_expanded", "Expandable", 2u, withZero("%SystemRoot%\\x")},
        FoundCase{"fills_the_buffer", "Fits", Registry::TypeString,
                  withZero(std::string(1023, 'a'))}),
    [](const auto& info) { return std::string(info.param.name); });

// Windows may hand such a text back with a zero added (Wine does); what matters is that
// no character of it is lost.
TEST_F(WithRawTextValues, TextStoredWithoutZeroKeepsEveryCharacter) {
    const RegistryValue found = lookUp(TestKey, "NoZero");
    EXPECT_EQ(found.status, Registry::Success);
    EXPECT_EQ(found.type, Registry::TypeString);
    EXPECT_TRUE(found.bytes == bytesOf("ABC") || found.bytes == bytesOf(withZero("ABC")))
        << std::string(found.bytes.begin(), found.bytes.end());
}

TEST(RegistryNotFound, AbsentKeysAndValuesGiveAFailureStatus) {
    EXPECT_EQ(lookUp(TestKey, "Missing").status, Registry::NotFound);
    EXPECT_EQ(lookUp("SOFTWARE\\QuivantoTest\\Missing", "Text").status, Registry::NotFound);
    EXPECT_TRUE(lookUp("SOFTWARE\\QuivantoTest\\Missing", "Text").bytes.empty());
}

TEST(RegistryNotFound, AValueLargerThanTheBufferIsAFailure) {
    const RegistryValue tooLong = lookUp(TestKey, "TooLong");
    EXPECT_EQ(tooLong.status, Registry::MoreData);
    EXPECT_TRUE(tooLong.bytes.empty());
    // The buffer size is the caller's: one byte short of "C:\Tools\Info" and its zero.
    EXPECT_NE(lookUp(TestKey, "Text", 13).status, Registry::Success);
    EXPECT_EQ(lookUp(TestKey, "Text", 14).status, Registry::Success);
}

// The two entries that locate the system information tool, in the order they are tried.
TEST(RegistrySystemInformation, BothEntriesAreReadAsStored) {
    const RegistryValue path = lookUp("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    ASSERT_EQ(path.status, Registry::Success);
    EXPECT_EQ(path.bytes,
              bytesOf(withZero(
                  "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe")));
    const RegistryValue folder = lookUp("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
    ASSERT_EQ(folder.status, Registry::Success);
    EXPECT_EQ(folder.bytes,
              bytesOf(withZero("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo")));
}

// The look-up the About box's button asks for, on the real registry: the first entry, text
// without its terminating zero.
TEST(RegistrySystemInformation, TheToolIsFoundThroughTheFirstEntry) {
    quivanto::win32::SystemRegistry registry;
    std::string path = "left over";
    ASSERT_TRUE(GetKeyValue(registry, Registry::LocalMachine,
                            "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path));
    EXPECT_EQ(path, "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe");
    EXPECT_FALSE(
        GetKeyValue(registry, Registry::LocalMachine, "SOFTWARE\\Quivanto\\Absent", "PATH", path));
    EXPECT_EQ(path, "");
    EXPECT_EQ(Win32Platform().systemInformationTool(),
              "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe");
}

TEST(RegistryRoots, PredefinedRootsAreSignExtended) {
    EXPECT_EQ(quivanto::win32::registryRoot(Registry::LocalMachine), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(quivanto::win32::registryRoot(0x80000001u), HKEY_CURRENT_USER);
}

// The three steps apart: one open key answers several queries.
TEST(RegistrySteps, OneOpenKeyAnswersSeveralQueries) {
    HKEY key = nullptr;
    ASSERT_EQ(
        quivanto::win32::openRegistryKey(Registry::LocalMachine, TestKey, Registry::KeyRead, key),
        Registry::Success);
    EXPECT_EQ(quivanto::win32::queryRegistryKey(key, "Text", BufferSize).bytes,
              bytesOf(withZero("C:\\Tools\\Info")));
    EXPECT_EQ(quivanto::win32::queryRegistryKey(key, "Number", BufferSize).type,
              Registry::TypeDword);
    quivanto::win32::closeRegistryKey(key);
    HKEY untouched = nullptr;
    EXPECT_EQ(quivanto::win32::openRegistryKey(Registry::LocalMachine, "SOFTWARE\\QuivantoNone",
                                               Registry::KeyRead, untouched),
              Registry::NotFound);
    EXPECT_EQ(untouched, nullptr);
}

} // namespace
