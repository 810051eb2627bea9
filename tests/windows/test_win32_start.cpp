// Starting things on Windows: the shell's open request, the direct start, and the
// single-instance claim seen from another process.
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_process.h"
#include "win32_test_support.h"

#include <shellapi.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using quivanto::LaunchResult;
using quivanto::LaunchStatus;
using quivanto::ShowStyle;
using quivanto::Win32Platform;
namespace testing_ = quivanto::testing;

namespace {

// The marker program copied to `where`; its marker is `where` + ".ran".
std::string placeMarkerProgram(const std::filesystem::path& where) {
    std::filesystem::create_directories(where.parent_path());
    std::filesystem::copy_file(testing_::helperProgram("marker_program.exe"), where,
                               std::filesystem::copy_options::overwrite_existing);
    return where.string();
}

std::string awaitMarker(const std::string& program) {
    const std::string marker = program + ".ran";
    testing_::waitUntil([&] { return std::filesystem::exists(marker); }, 15s);
    return std::filesystem::exists(marker) ? testing_::readFile(marker) : std::string();
}

TEST(OpenRequest, OpensAnExistingDocumentAndRefusesAMissingOne) {
    testing_::TempFolder folder;
    const std::string document = folder.file("readme.txt");
    testing_::writeFile(document, "Quivanto\r\n");
    const auto before = testing_::processesNamed("notepad.exe");
    Win32Platform platform;

    EXPECT_TRUE(platform.openRequest(document).started());
    EXPECT_FALSE(platform.openRequest(folder.file("missing.txt")).started());

    // The document's program is not ours to leave running.
    testing_::waitUntil([&] { return testing_::processesNamed("notepad.exe") != before; }, 3s);
    std::set<DWORD> opened;
    for (const DWORD id : testing_::processesNamed("notepad.exe"))
        if (!before.contains(id))
            opened.insert(id);
    testing_::endProcesses(opened);
}

struct MissingCase {
    const char* name;
    const char* relative;
};

class DirectStartMissing : public ::testing::TestWithParam<MissingCase> {};

TEST_P(DirectStartMissing, ReportsNoSuchFile) {
    testing_::TempFolder folder;
    Win32Platform platform;
    const std::string program = folder.file(GetParam().relative);
    EXPECT_EQ(platform.directStart(program, ShowStyle::NormalNoActivate).status,
              LaunchStatus::NotFound);
    EXPECT_EQ(platform.directStart(program, ShowStyle::NormalActivate).status,
              LaunchStatus::NotFound);
}

INSTANTIATE_TEST_SUITE_P(Names, DirectStartMissing,
                         ::testing::Values(MissingCase{"file", "gone.exe"},
                                           MissingCase{"folder", "gone\\tool.exe"},
                                           MissingCase{"spaces", "My Tools\\gone tool.exe"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DirectStart, OtherFailuresAreNotNoSuchFile) {
    testing_::TempFolder folder;
    const std::string document = folder.file("notes.txt");
    testing_::writeFile(document, "not a program");
    Win32Platform platform;
    const LaunchResult result = platform.directStart(document, ShowStyle::NormalNoActivate);
    EXPECT_FALSE(result.started());
    EXPECT_NE(result.status, LaunchStatus::NotFound);
    EXPECT_FALSE(platform.directStart("", ShowStyle::NormalActivate).started());
}

// Unquoted, "C:\...\My Tools\tool.exe" would start "C:\...\My.exe" with an argument.
TEST(DirectStart, APathWithSpacesStartsExactlyThatProgram) {
    testing_::TempFolder folder;
    const std::string decoy = placeMarkerProgram(folder.path() / "My.exe");
    const std::string program = placeMarkerProgram(folder.path() / "My Tools" / "tool.exe");
    Win32Platform platform;

    ASSERT_TRUE(platform.directStart(program, ShowStyle::NormalNoActivate).started());
    const std::string marker = awaitMarker(program);
    ASSERT_FALSE(marker.empty()) << "the program at " << program << " did not run";
    EXPECT_NE(marker.find("command=\"" + program + "\""), std::string::npos) << marker;
    EXPECT_FALSE(std::filesystem::exists(decoy + ".ran"));
}

struct ShowCase {
    const char* name;
    ShowStyle style;
    unsigned showWindow;
};

class DirectStartShow : public ::testing::TestWithParam<ShowCase> {};

TEST_P(DirectStartShow, PassesTheWindowStyle) {
    testing_::TempFolder folder;
    const std::string program = placeMarkerProgram(folder.path() / "tool.exe");
    Win32Platform platform;
    ASSERT_TRUE(platform.directStart(program, GetParam().style).started());
    const std::string marker = awaitMarker(program);
    ASSERT_FALSE(marker.empty());
    EXPECT_NE(marker.find("flags=" + std::to_string(STARTF_USESHOWWINDOW) + "\n"),
              std::string::npos)
        << marker;
    EXPECT_NE(marker.find("show=" + std::to_string(GetParam().showWindow) + "\n"),
              std::string::npos)
        << marker;
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DirectStartShow,
    ::testing::Values(ShowCase{"launch_without_focus", ShowStyle::NormalNoActivate, 4},
                      ShowCase{"system_information_tool", ShowStyle::NormalActivate, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// A bare program name is found the way the system finds programs, here in the starting
// program's own folder, and ".exe" is supplied.
TEST(DirectStart, FindsABareProgramName) {
    const std::string program = testing_::helperProgram("marker_program.exe");
    std::filesystem::remove(program + ".ran");
    Win32Platform platform;
    ASSERT_TRUE(platform.directStart("marker_program", ShowStyle::NormalNoActivate).started());
    EXPECT_FALSE(awaitMarker(program).empty());
    std::filesystem::remove(program + ".ran");
}

struct ReasonCase {
    const char* name;
    int code;
    LaunchStatus status;
};

class StartFailures : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(StartFailures, SystemReasonsMapToLaunchResults) {
    const ReasonCase& c = GetParam();
    EXPECT_EQ(quivanto::win32::startResultFor(static_cast<DWORD>(c.code)),
              (LaunchResult{c.status, c.code}));
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, StartFailures,
    ::testing::Values(ReasonCase{"file_not_found", ERROR_FILE_NOT_FOUND, LaunchStatus::NotFound},
                      ReasonCase{"path_not_found", ERROR_PATH_NOT_FOUND, LaunchStatus::NotFound},
                      ReasonCase{"access_denied", ERROR_ACCESS_DENIED, LaunchStatus::AccessRefused},
                      ReasonCase{"bad_exe_format", ERROR_BAD_EXE_FORMAT, LaunchStatus::Other}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartFailures, AQuoteInTheNameFindsNoFile) {
    EXPECT_FALSE(quivanto::win32::quotedCommandLine("C:\\a\"b.exe").has_value());
    EXPECT_EQ(Win32Platform().directStart("C:\\a\"b.exe", ShowStyle::NormalNoActivate).status,
              LaunchStatus::NotFound);
}

class OpenRequestResults : public ::testing::TestWithParam<ReasonCase> {};

// 32 and below are the shell's reasons for refusing; anything above is accepted.
TEST_P(OpenRequestResults, ShellResultsMapToLaunchResults) {
    const ReasonCase& c = GetParam();
    const LaunchResult expected =
        c.status == LaunchStatus::Started ? LaunchResult{} : LaunchResult{c.status, c.code};
    EXPECT_EQ(quivanto::win32::openResultFor(c.code), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Results, OpenRequestResults,
    ::testing::Values(ReasonCase{"accepted", 42, LaunchStatus::Started},
                      ReasonCase{"just_above_32", 33, LaunchStatus::Started},
                      ReasonCase{"exactly_32", 32, LaunchStatus::Other},
                      ReasonCase{"out_of_memory", 0, LaunchStatus::Other},
                      ReasonCase{"file_not_found", SE_ERR_FNF, LaunchStatus::NotFound},
                      ReasonCase{"path_not_found", SE_ERR_PNF, LaunchStatus::NotFound},
                      ReasonCase{"access_denied", SE_ERR_ACCESSDENIED, LaunchStatus::AccessRefused},
                      ReasonCase{"no_association", SE_ERR_NOASSOC, LaunchStatus::NoProgramForFile},
                      ReasonCase{"association_incomplete", SE_ERR_ASSOCINCOMPLETE,
                                 LaunchStatus::NoProgramForFile},
                      ReasonCase{"sharing_violation", SE_ERR_SHARE, LaunchStatus::Other}),
    [](const auto& info) { return std::string(info.param.name); });

class EventHandle final {
public:
    explicit EventHandle(const std::string& name)
        : handle_(CreateEventA(nullptr, TRUE, FALSE, name.c_str())) {}
    ~EventHandle() { CloseHandle(handle_); }
    EventHandle(const EventHandle&) = delete;
    EventHandle& operator=(const EventHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// instance_holder.exe, another copy of the program: it asks whether a copy runs, then holds
// its claim (if it won one) until released. Its exit code is its answer: 0 none, 1 another.
class InstanceHolder final {
public:
    InstanceHolder()
        : readyName_("Local\\QuivantoTest.Ready." + std::to_string(GetCurrentProcessId()))
        , releaseName_("Local\\QuivantoTest.Release." + std::to_string(GetCurrentProcessId()))
        , ready_(readyName_)
        , release_(releaseName_) {
        std::string commandLine = '"' + testing_::helperProgram("instance_holder.exe") + "\" " +
                                  readyName_ + ' ' + releaseName_;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process_)) {
            CloseHandle(process_.hThread);
            started_ = WaitForSingleObject(ready_.get(), 15000) == WAIT_OBJECT_0;
        }
    }
    ~InstanceHolder() {
        if (process_.hProcess != nullptr) {
            SetEvent(release_.get());
            WaitForSingleObject(process_.hProcess, 15000);
            CloseHandle(process_.hProcess);
        }
    }
    InstanceHolder(const InstanceHolder&) = delete;
    InstanceHolder& operator=(const InstanceHolder&) = delete;

    bool started() const { return started_; }

    // Lets it end; returns its answer, or -1 when it did not end.
    int release() {
        SetEvent(release_.get());
        if (WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 2;
        GetExitCodeProcess(process_.hProcess, &code);
        CloseHandle(process_.hProcess);
        process_.hProcess = nullptr;
        return static_cast<int>(code);
    }

private:
    std::string readyName_;
    std::string releaseName_;
    EventHandle ready_;
    EventHandle release_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

TEST(SingleInstance, ACopyInAnotherProcessIsSeenFromBothSides) {
    {
        InstanceHolder running;
        ASSERT_TRUE(running.started());
        Win32Platform second;
        EXPECT_TRUE(second.previousInstanceRunning());
        EXPECT_TRUE(second.previousInstanceRunning()); // asking again does not take over
        EXPECT_EQ(running.release(), 0) << "the first copy found another one";
    }
    // The other copy has ended: this process becomes the running copy and keeps the claim.
    Win32Platform first;
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_FALSE(first.previousInstanceRunning());
    Win32Platform sameProcessLater;
    EXPECT_TRUE(sameProcessLater.previousInstanceRunning());

    InstanceHolder starting;
    ASSERT_TRUE(starting.started());
    EXPECT_EQ(starting.release(), 1) << "a second copy did not see this one";
}

} // namespace
