#pragma once

#include "platform/platform.h"

#include <memory>

namespace quivanto {

namespace win32 {
class HotKey;
class TrayIcon;
} // namespace win32

// Windows: Win32 and the standard library only. Tray events arrive through the calling
// thread's message loop, which the front end runs.
class Win32Platform final : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    MessageAnswer messageBox(const std::string& text, const std::string& title,
                             MessageStyle style) override;
    LaunchResult openRequest(const std::string& target) override;
    LaunchResult directStart(const std::string& program, ShowStyle style) override;
    bool isOrdinaryFile(const std::string& path) override;
    std::string applicationDirectory() override;
    char pathSeparator() const override { return '\\'; }
    // The system drops trailing spaces from names, so a name never really ends with one.
    bool namesMayEndWithSpace() const override { return false; }
    std::vector<std::string> driveRoots() override;
    std::string homeFolder() override;
    std::error_code flushToDisk(const std::string& file) override;
    std::error_code replaceFile(const std::string& from, const std::string& to) override;
    FileStatus fileStatus(const std::string& path, Links links) override;
    std::error_code removeFile(const std::string& path) override;
    void copyAccess(const std::string& from, const std::string& to) override;
    std::optional<std::string> systemInformationTool() override;
    bool previousInstanceRunning() override;
    bool waitForTray(int milliseconds) override;
    void addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) override;
    void deleteTrayIcon(const TrayIconData& data) override;
    ScreenMetrics screenMetrics() override;
    TrayPlace trayPlace() override;
    CursorPosition cursorPosition() override;
    void setForegroundWindow(WindowHandle window) override;
    TextEncoding textEncoding() const override;
    bool globalShortcutsAvailable() override { return true; }
    ShortcutResult registerGlobalShortcut(const ShortcutKeys& keys,
                                          ShortcutHandler onPressed) override;
    std::string superKeyName() const override { return "Win"; }
    std::optional<FolderEntries> folderEntries(const std::string& folder) override;
    std::string workingFolder() override;

    // The hidden window the tray icon belongs to (0 before the first addTrayIcon).
    WindowHandle trayWindow() const;
    // Whether the notification area took the protocol version that lets keys reach the icon.
    bool trayUsesVersion4() const;

private:
    void* instanceMutex_ = nullptr; // held for the life of the process's running copy
    std::unique_ptr<win32::TrayIcon> tray_;
    std::unique_ptr<win32::HotKey> hotKey_;
};

} // namespace quivanto
