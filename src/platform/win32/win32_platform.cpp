#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hotkey.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_tray.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace quivanto {

static_assert(sizeof(WindowHandle) == sizeof(HWND));

Win32Platform::Win32Platform() = default;

Win32Platform::~Win32Platform() {
    tray_.reset();
    if (instanceMutex_ != nullptr)
        CloseHandle(instanceMutex_);
}

MessageAnswer Win32Platform::messageBox(const std::string& text, const std::string& title,
                                        MessageStyle style) {
    return win32::showMessageBox(text, title, style);
}

LaunchResult Win32Platform::openRequest(const std::string& target) {
    return win32::shellOpen(target);
}

LaunchResult Win32Platform::directStart(const std::string& program, ShowStyle style) {
    return win32::startProgram(program, style);
}

bool Win32Platform::isOrdinaryFile(const std::string& path) {
    return win32::isOrdinaryFile(path);
}

std::string Win32Platform::applicationDirectory() {
    return win32::moduleDirectory();
}

std::vector<std::string> Win32Platform::driveRoots() {
    return win32::logicalDrives();
}

std::string Win32Platform::homeFolder() {
    return win32::profileFolder();
}

std::optional<FolderEntries> Win32Platform::folderEntries(const std::string& folder) {
    return win32::folderEntries(folder);
}

std::string Win32Platform::workingFolder() {
    return win32::currentFolder();
}

std::error_code Win32Platform::flushToDisk(const std::string& file) {
    return win32::flushFile(file);
}

std::error_code Win32Platform::replaceFile(const std::string& from, const std::string& to) {
    return win32::replaceFileAtomically(from, to);
}

FileStatus Win32Platform::fileStatus(const std::string& path, Links links) {
    return win32::fileStatus(path, links);
}

std::error_code Win32Platform::removeFile(const std::string& path) {
    return win32::removeFile(path);
}

// A new file in the list's folder already takes the folder's inherited access rules, as the
// list did; the one rule of its own a file carries, read-only, was refused before writing.
void Win32Platform::copyAccess(const std::string&, const std::string&) {}

// Where the two machine-wide registry entries say, in their order.
std::optional<std::string> Win32Platform::systemInformationTool() {
    win32::SystemRegistry registry;
    return sysInfoFromRegistry(
        registry, [](const std::string& path) { return win32::isOrdinaryFile(path); },
        pathSeparator());
}

bool Win32Platform::previousInstanceRunning() {
    if (instanceMutex_ != nullptr)
        return false;
    const auto claim = win32::claimInstance(win32::InstanceMutexName);
    instanceMutex_ = claim.mutex;
    return claim.anotherRunning;
}

bool Win32Platform::waitForTray(int milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(milliseconds, 0));
    for (;;) {
        if (FindWindowA("Shell_TrayWnd", nullptr) != nullptr)
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(100);
    }
}

void Win32Platform::addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) {
    if (!tray_) {
        try {
            tray_ = std::make_unique<win32::TrayIcon>();
        } catch (const std::runtime_error&) {
            return; // like a refused icon: the program runs on without one
        }
    }
    tray_->add(data, std::move(onEvent));
}

void Win32Platform::deleteTrayIcon(const TrayIconData&) {
    if (tray_)
        tray_->remove();
}

ScreenMetrics Win32Platform::screenMetrics() {
    ScreenMetrics metrics;
    if (HDC screen = GetDC(nullptr)) {
        const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        if (dpiX > 0)
            metrics.twipsPerPixelX = 1440.0f / static_cast<float>(dpiX);
        if (dpiY > 0)
            metrics.twipsPerPixelY = 1440.0f / static_cast<float>(dpiY);
    }
    metrics.widthTwips = static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * metrics.twipsPerPixelX;
    metrics.heightTwips =
        static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * metrics.twipsPerPixelY;
    return metrics;
}

TrayPlace Win32Platform::trayPlace() {
    TrayPlace place;
    const std::optional<RECT> icon = tray_ ? tray_->iconRect() : std::nullopt;
    HMONITOR monitor = nullptr;
    if (icon) {
        place.icon =
            ScreenRect{icon->left, icon->top, icon->right - icon->left, icon->bottom - icon->top};
        monitor = MonitorFromRect(&*icon, MONITOR_DEFAULTTONEAREST);
    } else if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr)) {
        monitor = MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY);
    } else {
        POINT cursor{};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor != nullptr && GetMonitorInfoA(monitor, &info)) {
        place.monitor = {info.rcMonitor.left, info.rcMonitor.top,
                         info.rcMonitor.right - info.rcMonitor.left,
                         info.rcMonitor.bottom - info.rcMonitor.top};
        place.workArea = {info.rcWork.left, info.rcWork.top, info.rcWork.right - info.rcWork.left,
                          info.rcWork.bottom - info.rcWork.top};
    }
    const ScreenMetrics metrics = screenMetrics();
    place.twipsPerPixelX = metrics.twipsPerPixelX;
    place.twipsPerPixelY = metrics.twipsPerPixelY;
    return place;
}

CursorPosition Win32Platform::cursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

void Win32Platform::setForegroundWindow(WindowHandle window) {
    SetForegroundWindow(reinterpret_cast<HWND>(window));
}

WindowHandle Win32Platform::trayWindow() const {
    return tray_ ? reinterpret_cast<WindowHandle>(tray_->window()) : 0;
}

bool Win32Platform::trayUsesVersion4() const {
    return tray_ && tray_->usesVersion4();
}

TextEncoding Win32Platform::textEncoding() const {
    return win32::ansiEncoding();
}

ShortcutResult Win32Platform::registerGlobalShortcut(const ShortcutKeys& keys,
                                                     ShortcutHandler onPressed) {
    if (!hotKey_)
        hotKey_ = std::make_unique<win32::HotKey>();
    return hotKey_->registerKeys(keys, std::move(onPressed));
}

} // namespace quivanto
