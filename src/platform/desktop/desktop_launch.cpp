#include "platform/desktop/desktop_launch.h"

#include "platform/platform.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quivanto::desktop {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// What the processes of a start tell the caller through their pipe.
struct StartNote {
    int kind;
    int value;
};
constexpr int StartFailed = 1;
constexpr int Exited = 2;

// Only async-signal-safe calls from here on: the caller may have other threads.
void tell(int fd, int kind, int value) {
    const StartNote note{kind, value};
    [[maybe_unused]] const auto written = ::write(fd, &note, sizeof note);
}

[[noreturn]] void runProgram(const char* program, char* const* argv, const sigset_t& noSignals,
                             int pipeOut) {
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &standard, nullptr);
    ::sigprocmask(SIG_SETMASK, &noSignals, nullptr);
    // A started program never reads the launcher's input.
    const int nothing = ::open("/dev/null", O_RDONLY);
    if (nothing > 0) {
        ::dup2(nothing, STDIN_FILENO);
        ::close(nothing);
    }
    ::execve(program, argv, environ);
    tell(pipeOut, StartFailed, errno);
    ::_exit(127);
}

[[noreturn]] void startAndWatch(const char* program, char* const* argv, const sigset_t& noSignals,
                                int pipeOut, int watchMilliseconds) {
    ::setsid();
    const pid_t started = ::fork();
    if (started == 0)
        runProgram(program, argv, noSignals, pipeOut);
    if (started < 0) {
        tell(pipeOut, StartFailed, errno);
        ::_exit(1);
    }
    // This process ends now or after the watch; the program is then a child of init.
    constexpr int Step = 10;
    for (int waited = 0; waited < watchMilliseconds; waited += Step) {
        int status = 0;
        if (::waitpid(started, &status, WNOHANG) == started) {
            tell(pipeOut, Exited, WIFEXITED(status) ? WEXITSTATUS(status) : 128);
            break;
        }
        ::poll(nullptr, 0, Step);
    }
    ::_exit(0);
}

} // namespace

WellKnownProgram wellKnownProgram(std::string_view target) {
    if (equalsIgnoringCase(target, "explorer.exe"))
        return WellKnownProgram::FileManager;
    if (equalsIgnoringCase(target, "notepad.exe"))
        return WellKnownProgram::TextEditor;
    return WellKnownProgram::None;
}

bool holdsZeroByte(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

bool looksLikeUrl(std::string_view target) {
    if (holdsZeroByte(target))
        return false;
    if (target.starts_with("mailto:"))
        return true;
    const auto colon = target.find("://");
    // At least two letters: "C:\" and "C://" are drives, not schemes.
    if (colon == std::string_view::npos || colon < 2)
        return false;
    const std::string_view scheme = target.substr(0, colon);
    return std::isalpha(static_cast<unsigned char>(scheme.front())) &&
           std::all_of(scheme.begin(), scheme.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' ||
                      c == '.';
           });
}

std::string findOnPath(std::string_view name, std::string_view pathList) {
    if (name.empty() || name.find('/') != std::string_view::npos || holdsZeroByte(name))
        return {};
    std::size_t start = 0;
    while (start <= pathList.size()) {
        auto end = pathList.find(':', start);
        if (end == std::string_view::npos)
            end = pathList.size();
        const std::string_view folder = pathList.substr(start, end - start);
        if (!folder.empty()) {
            std::string candidate(folder);
            if (candidate.back() != '/')
                candidate += '/';
            candidate += name;
            if (isExecutableFile(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::string programPath(std::string_view program, std::string_view pathList) {
    if (holdsZeroByte(program))
        return {};
    if (program.find('/') != std::string_view::npos)
        return std::string(program);
    return findOnPath(program, pathList);
}

std::string locateTarget(std::string_view target, std::string_view pathList) {
    if (target.empty() || holdsZeroByte(target))
        return {};
    std::error_code error;
    const std::filesystem::path given{std::string(target)};
    if (std::filesystem::exists(given, error))
        return std::filesystem::absolute(given, error).string();
    if (target.find('/') != std::string_view::npos)
        return {};
    return findOnPath(target, pathList);
}

bool isProgramFile(const std::string& path) {
    if (!isExecutableFile(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    std::array<char, 4> head{};
    in.read(head.data(), head.size());
    const std::string_view start(head.data(), static_cast<std::size_t>(in.gcount()));
    return start == "\x7f"
                    "ELF" ||
           start.starts_with("#!");
}

LaunchResult launchResultForErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return {LaunchStatus::NotFound, error};
    case EACCES:
    case EPERM:
    case ENOEXEC:
        return {LaunchStatus::AccessRefused, error};
    default:
        return {LaunchStatus::Other, error};
    }
}

std::string desktopIdFromQuery(std::string_view output) {
    const auto end = output.find_first_of("\r\n");
    std::string_view id = output.substr(0, end);
    while (!id.empty() && id.back() == ' ')
        id.remove_suffix(1);
    // A bare file id: no folder, not an option, and nothing but the name of a desktop file.
    if (id.size() <= 8 || !id.ends_with(".desktop") || id.front() == '-' ||
        id.find('/') != std::string_view::npos || id.find(' ') != std::string_view::npos)
        return {};
    return std::string(id);
}

const std::vector<std::string>& fallbackTextEditors() {
    static const std::vector<std::string> editors{
        "gnome-text-editor", "gedit",   "kwrite", "kate", "mousepad", "pluma", "xed",
        "featherpad",        "leafpad", "geany"};
    return editors;
}

SpawnReport spawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                          int watchMilliseconds) {
    // Everything the new processes need is made before they exist.
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    sigset_t noSignals;
    sigemptyset(&noSignals);

    int notes[2];
    if (::pipe2(notes, O_CLOEXEC) != 0)
        return {errno, false, 0};
    const pid_t watcher = ::fork();
    if (watcher == 0) {
        ::close(notes[0]);
        startAndWatch(program.c_str(), argv.data(), noSignals, notes[1], watchMilliseconds);
    }
    const int forkError = errno;
    ::close(notes[1]);
    SpawnReport report;
    if (watcher < 0) {
        ::close(notes[0]);
        report.startError = forkError;
        return report;
    }
    // The pipe closes when the program has started (close-on-exec) and the watcher ended.
    StartNote note{};
    for (;;) {
        const auto got = ::read(notes[0], &note, sizeof note);
        if (got < 0 && errno == EINTR)
            continue;
        if (got != static_cast<ssize_t>(sizeof note))
            break;
        if (note.kind == StartFailed)
            report.startError = note.value;
        else if (note.kind == Exited) {
            report.exited = true;
            report.exitStatus = note.value;
        }
    }
    ::close(notes[0]);
    while (::waitpid(watcher, nullptr, 0) < 0 && errno == EINTR) {
    }
    return report;
}

} // namespace quivanto::desktop
