#pragma once

#include "platform/platform.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QString;
class QSystemTrayIcon;

namespace quivanto {
namespace desktop {
class HostArrival;
class PortalShortcut;
class StatusNotifierItem;
class X11Shortcut;
enum class ShortcutRoute;
} // namespace desktop

// Linux and other Unix desktops: Qt for the screen, tray and message boxes; POSIX for
// files and starting programs.
class DesktopPlatform final : public Platform {
public:
    DesktopPlatform();
    ~DesktopPlatform() override;

    // Before the application object exists: on Wayland with XWayland, choose X11 so the
    // list window can be placed exactly. Returns a reason when no display can be used.
    static std::string prepareDisplay();

    // Where the program's own documents are: beside the executable in a build tree (where
    // License.txt lies next to it), else <prefix>/share/quivanto for an installed one.
    static std::string documentsDirectory(const std::filesystem::path& executableDirectory);

    // A message's text as its box shows it: line breaks for Qt, and overlong lines cut in
    // the middle.
    static QString messageBoxText(const std::string& text);

    MessageAnswer messageBox(const std::string& text, const std::string& title,
                             MessageStyle style) override;
    LaunchResult openRequest(const std::string& target) override;
    LaunchResult directStart(const std::string& program, ShowStyle style) override;
    bool isOrdinaryFile(const std::string& path) override;
    std::string applicationDirectory() override;
    char pathSeparator() const override { return '/'; }
    bool namesMayEndWithSpace() const override { return true; }
    std::vector<std::string> driveRoots() override;
    std::string homeFolder() override;
    std::error_code flushToDisk(const std::string& file) override;
    std::error_code replaceFile(const std::string& from, const std::string& to) override;
    FileStatus fileStatus(const std::string& path, Links links) override;
    std::error_code removeFile(const std::string& path) override;
    void copyAccess(const std::string& from, const std::string& to) override;
    std::optional<FolderEntries> folderEntries(const std::string& folder) override;
    std::string workingFolder() override;
    // The first of the tools desktop users know that PATH holds.
    std::optional<std::string> systemInformationTool() override;
    bool previousInstanceRunning() override;
    bool waitForTray(int milliseconds) override;
    void addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) override;
    void deleteTrayIcon(const TrayIconData& data) override;
    ScreenMetrics screenMetrics() override;
    TrayPlace trayPlace() override;
    CursorPosition cursorPosition() override;
    void setForegroundWindow(WindowHandle window) override;
    // Through the desktop portal in a Wayland session whose portal offers them, else
    // through X key grabs (an X server beside Wayland sees the keys only while one of its
    // windows has the focus).
    bool globalShortcutsAvailable() override;
    ShortcutResult registerGlobalShortcut(const ShortcutKeys& keys,
                                          ShortcutHandler onPressed) override;

private:
    bool publishStatusNotifierItem(const QString& tip, const TrayEventHandler& onEvent);
    void addXEmbedIcon(const QString& tip, const TrayEventHandler& onEvent);
    // From an XEmbed icon to our own StatusNotifier item, once a host is there.
    void moveToStatusNotifierHost(const QString& tip, const TrayEventHandler& onEvent);
    desktop::ShortcutRoute shortcutRoute();

    int instanceLock_ = -1; // the single-instance lock, held while this copy runs
    std::unique_ptr<QSystemTrayIcon> trayIcon_; // on an XEmbed tray
    std::unique_ptr<desktop::StatusNotifierItem> statusNotifierItem_;
    std::unique_ptr<desktop::HostArrival> hostArrival_; // while on an XEmbed tray
    std::unique_ptr<desktop::PortalShortcut> portalShortcut_;
    std::unique_ptr<desktop::X11Shortcut> x11Shortcut_;
    std::optional<desktop::ShortcutRoute> shortcutRoute_; // chosen on first use
};

} // namespace quivanto
