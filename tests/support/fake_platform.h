#pragma once

#include "platform/platform.h"
#include "platform/standard_files.h"

#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quivanto::testing {

// Records every request and answers from a script, so tests never start programs, open
// documents or wait on a dialog. Files are real: the list file tests work on real folders.
class FakePlatform final : public Platform {
public:
    // A monitor at the origin that no panel takes room from.
    static TrayPlace wholeScreen(int width, int height) {
        TrayPlace place;
        place.monitor = {0, 0, width, height};
        place.workArea = place.monitor;
        return place;
    }

    struct ShownMessage {
        std::string text;
        std::string title;
        int style;
    };
    struct Started {
        std::string program;
        ShowStyle style;
    };
    struct RegistryKey {
        std::uint32_t root;
        std::string key;
        std::string value;
        bool operator<(const RegistryKey& other) const;
    };

    // Script
    std::deque<MessageAnswer> answers;   // default: Ok / No
    std::deque<int> openResults;         // default: 42 (accepted)
    std::deque<int> startResults;        // default: StartError::None
    std::set<std::string> ordinaryFiles; // isOrdinaryFile is true only for these
    // A key exists when it holds at least one value here; a stored value whose status is
    // not Registry::Success fails with that status when queried.
    std::map<RegistryKey, RegistryValue> registry;
    // Opening a key for more than this is refused, as for a user without write rights.
    std::uint32_t grantedRegistryAccess = 0xF003F; // everything
    // When set, the registry calls go to this platform instead of `registry`.
    Platform* registryBackEnd = nullptr;
    bool anotherInstance = false;
    // As the system's own names allow: Unix names may end with spaces, Windows names not.
    bool trailingSpacesInNames = std::filesystem::path::preferred_separator == '/';
    bool trayAppears = true;
    ScreenMetrics screen{15360, 11520, 15, 15}; // 1024 x 768 pixels
    CursorPosition cursor{1000, 760};
    // The tray's monitor; by default the whole screen with no panel reserving room.
    TrayPlace place = wholeScreen(1024, 768);
    std::string appDirectory = "/opt/quivanto";
    // The system's own, so real folders can be browsed on Linux and on Windows.
    char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::vector<std::string> roots{"/"};    // the drive list's roots
    std::string home;                       // the home folder; empty: none
    std::error_code replaceFailure;         // returned once by the next replaceFile
    bool replaceFailureTakesTarget = false; // that failure comes after `to` was removed
    TextEncoding encoding;                  // UTF-8 unless a test sets a code page
    // When set, folders are listed and the working folder named by this platform.
    Platform* folderBackEnd = nullptr;

    // Record
    std::vector<ShownMessage> messages;
    std::vector<std::string> openRequests;
    std::vector<Started> starts;
    struct RegistryOpening {
        std::string key;
        std::uint32_t access;
    };
    std::vector<RegistryOpening> registryOpenings;
    std::vector<std::string> registryQueries; // key + "\\" + value name
    std::vector<std::size_t> registryBufferSizes;
    std::set<RegistryKeyHandle> openRegistryKeys; // opened and not yet closed
    std::vector<std::string> ordinaryFileQueries;
    std::vector<int> trayRequests; // 0 add, 2 delete
    std::vector<WindowHandle> foregroundRequests;
    TrayEventHandler trayCallback;
    // Runs while a message box would be open, before its answer is taken.
    std::function<void(const ShownMessage&)> whileMessageShown;

    MessageAnswer messageBox(const std::string& text, const std::string& title, int style) override;
    int openRequest(const std::string& target) override;
    int directStart(const std::string& program, ShowStyle style) override;
    bool isOrdinaryFile(const std::string& path) override;
    std::string applicationDirectory() override { return appDirectory; }
    char pathSeparator() const override { return separator; }
    bool namesMayEndWithSpace() const override { return trailingSpacesInNames; }
    std::vector<std::string> driveRoots() override { return roots; }
    std::string homeFolder() override { return home; }
    std::error_code flushToDisk(const std::string& file) override;
    std::error_code replaceFile(const std::string& from, const std::string& to) override;
    FileStatus fileStatus(const std::string& path, Links links) override;
    std::error_code removeFile(const std::string& path) override;
    std::error_code truncateFile(const std::string& path, std::uint64_t size) override;
    void copyAccess(const std::string& from, const std::string& to) override;
    OpenedRegistryKey openRegistryKey(std::uint32_t root, const std::string& keyName,
                                      std::uint32_t access) override;
    RegistryValue queryRegistryValue(RegistryKeyHandle key, const std::string& valueName,
                                     std::size_t bufferSize) override;
    void closeRegistryKey(RegistryKeyHandle key) override;

    // A text value as the registry stores it, with or without its terminating zero.
    static RegistryValue textValue(const std::string& text, bool terminated = true,
                                   std::uint32_t type = Registry::TypeString);
    bool previousInstanceRunning() override { return anotherInstance; }
    bool waitForTray(int) override { return trayAppears; }
    void addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) override;
    void deleteTrayIcon(const TrayIconData& data) override;
    ScreenMetrics screenMetrics() override { return screen; }
    TrayPlace trayPlace() override { return place; }
    CursorPosition cursorPosition() override { return cursor; }
    void setForegroundWindow(WindowHandle window) override { foregroundRequests.push_back(window); }
    TextEncoding textEncoding() const override { return encoding; }
    std::optional<FolderEntries> folderEntries(const std::string& folder) override {
        return folderBackEnd ? folderBackEnd->folderEntries(folder)
                             : standard_files::folderEntries(folder);
    }
    std::string workingFolder() override {
        return folderBackEnd ? folderBackEnd->workingFolder() : standard_files::workingFolder();
    }

    // The tray delivering an event, as the notification area would; a tray host that
    // tells where the icon was clicked gives `place`.
    void trayEvent(TrayEvent::Kind kind, std::optional<ScreenPoint> place = std::nullopt);
    void trayEvent(const TrayEvent& event);

private:
    std::map<RegistryKeyHandle, std::pair<std::uint32_t, std::string>> handles_;
    RegistryKeyHandle nextHandle_ = 0x100;
};

} // namespace quivanto::testing
