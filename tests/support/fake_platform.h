#pragma once

#include "platform/platform.h"
#include "platform/standard_files.h"

#include <deque>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace quivanto::testing {

// Message box styles, spelled out as the tests expect them.
inline constexpr MessageStyle OkWithExclamation{MessageButtons::Ok, MessageIcon::Exclamation,
                                                DefaultButton::First};
inline constexpr MessageStyle YesNoQuestionDefaultNo{MessageButtons::YesNo, MessageIcon::Question,
                                                     DefaultButton::Second};
inline constexpr MessageStyle OkOnly{MessageButtons::Ok, MessageIcon::None, DefaultButton::First};

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
        MessageStyle style;
    };
    struct Started {
        std::string program;
        ShowStyle style;
    };

    // Script
    std::deque<MessageAnswer> answers;      // default: Ok / No
    std::deque<LaunchResult> openResults;   // default: started
    std::deque<LaunchResult> startResults;  // default: started
    std::set<std::string> ordinaryFiles;    // isOrdinaryFile is true only for these
    std::optional<std::string> sysInfoTool; // where the system information tool is
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
    int sysInfoQuestions = 0;
    std::vector<std::string> ordinaryFileQueries;
    std::vector<int> trayRequests; // 0 add, 2 delete
    std::vector<WindowHandle> foregroundRequests;
    TrayEventHandler trayCallback;
    // The global shortcut: what registering answers, and what was registered.
    ShortcutResult shortcutAnswer = ShortcutResult::Registered;
    std::vector<ShortcutKeys> shortcutRegistrations;
    ShortcutHandler shortcutCallback;
    // Runs while a message box would be open, before its answer is taken.
    std::function<void(const ShownMessage&)> whileMessageShown;

    MessageAnswer messageBox(const std::string& text, const std::string& title,
                             MessageStyle style) override;
    LaunchResult openRequest(const std::string& target) override;
    LaunchResult directStart(const std::string& program, ShowStyle style) override;
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
    void copyAccess(const std::string& from, const std::string& to) override;
    std::optional<std::string> systemInformationTool() override {
        ++sysInfoQuestions;
        return sysInfoTool;
    }
    bool previousInstanceRunning() override { return anotherInstance; }
    bool waitForTray(int) override { return trayAppears; }
    void addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) override;
    void deleteTrayIcon(const TrayIconData& data) override;
    ScreenMetrics screenMetrics() override { return screen; }
    TrayPlace trayPlace() override { return place; }
    CursorPosition cursorPosition() override { return cursor; }
    void setForegroundWindow(WindowHandle window) override { foregroundRequests.push_back(window); }
    TextEncoding textEncoding() const override { return encoding; }
    bool globalShortcutsAvailable() override {
        return shortcutAnswer != ShortcutResult::Unavailable;
    }
    ShortcutResult registerGlobalShortcut(const ShortcutKeys& keys,
                                          ShortcutHandler onPressed) override;
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
    // The registered shortcut pressed, wherever the keyboard focus is.
    void pressShortcut();
};

} // namespace quivanto::testing
