#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace quivanto::testing {

// A fresh folder under the system's temporary folder, removed again at the end.
class TempFolder final {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& bytes);

// Polls `done` until it holds or the time is up; true when it held.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// Runs this thread's message loop for a while, or until `done` holds.
void pumpMessages(std::chrono::milliseconds limit, const std::function<bool()>& done = {});

// The helper programs are built into the folder of the test programs.
std::string helperProgram(const std::string& fileName);

// Processes by executable name (case-insensitive), to end what a test made the shell open.
std::set<DWORD> processesNamed(const std::string& exeName);
void endProcesses(const std::set<DWORD>& ids);

} // namespace quivanto::testing
