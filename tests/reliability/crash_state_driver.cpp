#include "crash_state_driver.h"

#include "core/list_file.h"
#include "platform/platform.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Usage:
//   driver [--fault=NAME] change FOLDER add HEXLINE | remove HEXLINE | edit HEXNEW HEXOLD | start
//   driver start-each FILE      (FILE names one folder a line; one answer a line on stdout)
// Lines travel as hex, so any bytes pass a command line unchanged under every system.
// A fault, for proving that the test finds it, is put into the back end's file calls:
//   no-flush         the scratch file is not flushed before it replaces the list
//   in-place         the list is rewritten in place instead of being replaced
//   no-folder-flush  the replace is a plain rename: the folder is not flushed
namespace quivanto {
namespace {

enum class Fault { None, NoFlush, InPlace, NoFolderFlush };

// Every call goes to the back end, except the file calls a fault changes.
class FaultyPlatform final : public Platform {
public:
    FaultyPlatform(Platform& backEnd, Fault fault)
        : backEnd_(backEnd)
        , fault_(fault) {}

    std::error_code flushToDisk(const std::string& file) override {
        if (fault_ == Fault::NoFlush)
            return {};
        return backEnd_.flushToDisk(file);
    }

    std::error_code replaceFile(const std::string& from, const std::string& to) override {
        if (fault_ == Fault::NoFolderFlush) {
            std::error_code error;
            std::filesystem::rename(from, to, error);
            return error;
        }
        if (fault_ == Fault::InPlace)
            return copyInPlace(from, to);
        return backEnd_.replaceFile(from, to);
    }

    MessageAnswer messageBox(const std::string& text, const std::string& title,
                             MessageStyle style) override {
        return backEnd_.messageBox(text, title, style);
    }
    LaunchResult openRequest(const std::string& target) override {
        return backEnd_.openRequest(target);
    }
    LaunchResult directStart(const std::string& program, ShowStyle style) override {
        return backEnd_.directStart(program, style);
    }
    bool isOrdinaryFile(const std::string& path) override { return backEnd_.isOrdinaryFile(path); }
    std::string applicationDirectory() override { return backEnd_.applicationDirectory(); }
    char pathSeparator() const override { return backEnd_.pathSeparator(); }
    bool namesMayEndWithSpace() const override { return backEnd_.namesMayEndWithSpace(); }
    std::vector<std::string> driveRoots() override { return backEnd_.driveRoots(); }
    std::string homeFolder() override { return backEnd_.homeFolder(); }
    FileStatus fileStatus(const std::string& path, Links links) override {
        return backEnd_.fileStatus(path, links);
    }
    std::error_code removeFile(const std::string& path) override {
        return backEnd_.removeFile(path);
    }
    void copyAccess(const std::string& from, const std::string& to) override {
        backEnd_.copyAccess(from, to);
    }
    std::optional<std::string> systemInformationTool() override {
        return backEnd_.systemInformationTool();
    }
    bool previousInstanceRunning() override { return backEnd_.previousInstanceRunning(); }
    bool waitForTray(int milliseconds) override { return backEnd_.waitForTray(milliseconds); }
    void addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) override {
        backEnd_.addTrayIcon(data, std::move(onEvent));
    }
    void deleteTrayIcon(const TrayIconData& data) override { backEnd_.deleteTrayIcon(data); }
    ScreenMetrics screenMetrics() override { return backEnd_.screenMetrics(); }
    TrayPlace trayPlace() override { return backEnd_.trayPlace(); }
    CursorPosition cursorPosition() override { return backEnd_.cursorPosition(); }
    void setForegroundWindow(WindowHandle window) override { backEnd_.setForegroundWindow(window); }
    TextEncoding textEncoding() const override { return backEnd_.textEncoding(); }
    std::optional<FolderEntries> folderEntries(const std::string& folder) override {
        return backEnd_.folderEntries(folder);
    }
    std::string workingFolder() override { return backEnd_.workingFolder(); }

private:
    // The new content written over the list's own bytes, flushed, and the scratch removed.
    std::error_code copyInPlace(const std::string& from, const std::string& to) {
        std::ifstream in(from, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        in.close();
        std::FILE* out = std::fopen(to.c_str(), "wb");
        if (out == nullptr)
            return std::make_error_code(std::errc::io_error);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        backEnd_.flushToDisk(to);
        return backEnd_.removeFile(from);
    }

    Platform& backEnd_;
    Fault fault_;
};

std::string fromHex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return bytes;
}

std::string toHex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

Fault faultNamed(std::string_view name) {
    if (name == "no-flush")
        return Fault::NoFlush;
    if (name == "in-place")
        return Fault::InPlace;
    if (name == "no-folder-flush")
        return Fault::NoFolderFlush;
    return Fault::None;
}

// What the program's start shows for a folder: the lines, or that it failed.
std::string startAnswer(const std::string& folder, Platform& platform) {
    try {
        ListFile file(folder, platform);
        file.ensureExists();
        std::string answer = "ok";
        for (const auto& line : file.readLines())
            answer += ' ' + toHex(line) + ';';
        return answer;
    } catch (const ListFileError& error) {
        return std::string("error ") + toHex(error.what());
    }
}

int change(Platform& platform, const std::vector<std::string>& args) {
    ListFile file(args.at(0), platform);
    const std::string& what = args.at(1);
    if (what == "add")
        file.appendItemLine(fromHex(args.at(2)));
    else if (what == "remove")
        return file.deleteItemLine(fromHex(args.at(2))) ? 0 : 3;
    else if (what == "edit")
        return file.replaceItemLine(fromHex(args.at(2)), fromHex(args.at(3))) ? 0 : 3;
    else if (what == "start")
        file.ensureExists();
    else
        return 2;
    return 0;
}

int startEach(Platform& platform, const std::string& listing) {
    std::ifstream folders(listing, std::ios::binary);
    std::string folder;
    while (std::getline(folders, folder)) {
        if (!folder.empty() && folder.back() == '\r')
            folder.pop_back();
        std::cout << startAnswer(folder, platform) << '\n';
    }
    return 0;
}

} // namespace

int runCrashStateDriver(Platform& backEnd, int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Fault fault = Fault::None;
    if (!args.empty() && args.front().rfind("--fault=", 0) == 0) {
        fault = faultNamed(args.front().substr(8));
        args.erase(args.begin());
    }
    FaultyPlatform platform(backEnd, fault);
    try {
        if (args.size() >= 3 && args[0] == "change")
            return change(platform, {args.begin() + 1, args.end()});
        if (args.size() == 2 && args[0] == "start-each")
            return startEach(platform, args[1]);
    } catch (const ListFileError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    std::cerr << "usage: change FOLDER add|remove|edit|start [HEX...] | start-each FILE\n";
    return 2;
}

} // namespace quivanto
