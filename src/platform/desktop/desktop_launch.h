#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>
#include <vector>

// Starting targets on a Unix desktop: finding them, the desktop's open action, and starting
// programs without a shell. POSIX and the standard library only.
namespace quivanto::desktop {

// How long the open action waits to learn whether its helper failed at once. A helper
// still running then is taken as having opened the target.
inline constexpr int OpenWatchMilliseconds = 300;

// The Windows programs the default list names, and what stands in for them here.
enum class WellKnownProgram { None, FileManager, TextEditor };
WellKnownProgram wellKnownProgram(std::string_view target);

// No file name or address holds a zero byte; passed on, the text would end there and name
// something else. Every search below refuses such a text.
bool holdsZeroByte(std::string_view text);

// A target the desktop opens as an address rather than as a file ("https://...", "mailto:").
bool looksLikeUrl(std::string_view target);

// The first folder of `pathList` (colon-separated) holding an executable ordinary file
// `name`, as that file's path; empty when there is none. Empty entries are skipped, so the
// current folder is never searched by accident.
std::string findOnPath(std::string_view name, std::string_view pathList);

// The program file a direct start runs: a name with a folder as it is, a bare name from
// PATH. Empty when there is none.
std::string programPath(std::string_view program, std::string_view pathList);

// The file a target names, as an absolute path: a path as given (relative ones from the
// current folder); a bare name from the current folder, else from PATH. Empty when it
// does not exist.
std::string locateTarget(std::string_view target, std::string_view pathList);

// An executable ordinary file the system can run: a compiled program or a "#!" script.
// Documents on file systems that mark every file executable do not count.
bool isProgramFile(const std::string& path);

// A failed start's errno as a launch result: a missing file or folder is NotFound, a
// refusal AccessRefused, anything else Other; the errno goes with it.
LaunchResult launchResultForErrno(int error);

// The desktop file id in the output of `xdg-mime query default`; empty when unusable.
std::string desktopIdFromQuery(std::string_view output);

// Graphical text editors tried, in order, when the desktop names no default one.
const std::vector<std::string>& fallbackTextEditors();

struct SpawnReport {
    int startError = 0;  // errno of a failed start, 0 when the program runs
    bool exited = false; // it ended within the watch time
    int exitStatus = 0;  // its exit code then
};

// Starts `program` (a path) with `arguments` in a session of its own, without a shell and
// without waiting for it; it never becomes a zombie of ours. With a watch time, waits up
// to that long to learn an early exit.
SpawnReport spawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                          int watchMilliseconds);

} // namespace quivanto::desktop
