#pragma once

namespace quivanto {
class Platform;

// The list file's side of the crash-state test, for one back end: makes one change of a
// list while the test records its file operations, and runs the start-up path on disk
// states a power cut could leave. Standard C++ only, so each edition builds it.
int runCrashStateDriver(Platform& backEnd, int argc, char* argv[]);

} // namespace quivanto
