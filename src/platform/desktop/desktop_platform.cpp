#include "platform/desktop/desktop_platform.h"

#include "platform/desktop/desktop_launch.h"
#include "platform/desktop/desktop_volumes.h"
#include "platform/desktop/host_arrival.h"
#include "platform/desktop/portal_shortcut.h"
#include "platform/desktop/shortcut_route.h"
#include "platform/desktop/status_notifier_item.h"
#include "platform/desktop/sway_ipc.h"
#include "platform/desktop/sys_info_tools.h"
#include "platform/desktop/tray_watch.h"
#include "platform/desktop/x11_shortcut.h"
#include "platform/standard_files.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QThread>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace quivanto {
namespace {

ScreenRect screenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QMessageBox::Icon iconFor(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

constexpr LaunchResult Accepted{};
constexpr LaunchResult NothingOpensIt{LaunchStatus::NoProgramForFile};

std::error_code errnoCode() {
    return {errno, std::generic_category()};
}

std::error_code syncPath(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return errnoCode();
    std::error_code result;
    if (::fsync(fd) != 0)
        result = errnoCode();
    ::close(fd);
    return result;
}

bool hasEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string searchPath() {
    const char* value = std::getenv("PATH");
    return value != nullptr ? value : "/usr/local/bin:/usr/bin:/bin";
}

// The desktop's open action: xdg-open, looked up at each call so a changed PATH counts.
// The argument is an absolute path or an address, never taken for an option.
LaunchResult openWithDesktop(const std::string& target) {
    const std::string opener = desktop::findOnPath("xdg-open", searchPath());
    if (opener.empty())
        return NothingOpensIt;
    const auto report = desktop::spawnDetached(opener, {target}, desktop::OpenWatchMilliseconds);
    if (report.startError != 0 || (report.exited && report.exitStatus != 0))
        return NothingOpensIt;
    return Accepted;
}

bool startedAndStayed(const std::string& program, const std::vector<std::string>& arguments) {
    const auto report = desktop::spawnDetached(program, arguments, desktop::OpenWatchMilliseconds);
    return report.startError == 0 && !(report.exited && report.exitStatus != 0);
}

// The desktop's default application for plain text, as a desktop file id.
std::string defaultTextEditorId() {
    const std::string query = desktop::findOnPath("xdg-mime", searchPath());
    if (query.empty())
        return {};
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(
        QString::fromStdString(query),
        {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(500);
        return {};
    }
    return desktop::desktopIdFromQuery(process.readAllStandardOutput().toStdString());
}

// The user's text editor: the desktop's default for plain text, else a known graphical one.
LaunchResult startTextEditor() {
    const std::string launcher = desktop::findOnPath("gtk-launch", searchPath());
    if (const std::string id = defaultTextEditorId(); !id.empty() && !launcher.empty()) {
        if (startedAndStayed(launcher, {id}))
            return Accepted;
    }
    for (const auto& editor : desktop::fallbackTextEditors()) {
        const std::string program = desktop::findOnPath(editor, searchPath());
        if (!program.empty() && desktop::spawnDetached(program, {}, 0).startError == 0)
            return Accepted;
    }
    return NothingOpensIt;
}

bool x11DisplayReachable() {
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    const bool ok = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return ok;
}

} // namespace

DesktopPlatform::DesktopPlatform() = default;

DesktopPlatform::~DesktopPlatform() {
    if (instanceLock_ >= 0)
        ::close(instanceLock_);
}

std::string DesktopPlatform::prepareDisplay() {
    if (hasEnv("QT_QPA_PLATFORM"))
        return {}; // the user chose; Qt will say if it cannot be had
    if (hasEnv("WAYLAND_DISPLAY") && hasEnv("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (!hasEnv("DISPLAY")) {
        if (hasEnv("WAYLAND_DISPLAY"))
            return {}; // Wayland without XWayland: run natively, placement is the compositor's
        return "Quivanto needs a graphical desktop, but no display was found (DISPLAY is not "
               "set).";
    }
    if (!x11DisplayReachable())
        return "Quivanto needs a graphical desktop, but the display \"" +
               std::string(std::getenv("DISPLAY")) + "\" cannot be reached.";
    return {};
}

QString DesktopPlatform::messageBoxText(const std::string& text) {
    // A line longer than this (a path of a hand-made list, say) is shown by its two ends:
    // a box must fit the screen, and laying out a megabyte of text takes seconds.
    constexpr qsizetype LongestLine = 1000;
    constexpr qsizetype Head = 600;
    constexpr qsizetype Tail = 300;
    const auto atBoundary = [](const QString& line, qsizetype at) {
        return at > 0 && at < line.size() && line.at(at).isLowSurrogate() ? at + 1 : at;
    };
    // Messages break lines with a lone CR; Qt's boxes need LF.
    QStringList lines = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                            .split(QLatin1Char('\r'));
    for (QString& line : lines) {
        if (line.size() <= LongestLine)
            continue;
        const qsizetype headEnd = atBoundary(line, Head);
        const qsizetype tailStart = atBoundary(line, line.size() - Tail);
        line = line.left(headEnd) + QStringLiteral(" \u2026 ") + line.mid(tailStart);
    }
    return lines.join(QLatin1Char('\n'));
}

MessageAnswer DesktopPlatform::messageBox(const std::string& text, const std::string& title,
                                          MessageStyle style) {
    QMessageBox box(iconFor(style.icon), QString::fromStdString(title), messageBoxText(text));
    const bool yesNo = style.buttons == MessageButtons::YesNo;
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        const bool secondDefault = style.defaultButton == DefaultButton::Second;
        box.setDefaultButton(secondDefault ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int answer = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

LaunchResult DesktopPlatform::openRequest(const std::string& target) {
    // The default list names Windows programs; their desktop counterparts stand in.
    switch (desktop::wellKnownProgram(target)) {
    case desktop::WellKnownProgram::FileManager:
        return openWithDesktop(QDir::homePath().toStdString());
    case desktop::WellKnownProgram::TextEditor:
        return startTextEditor();
    case desktop::WellKnownProgram::None:
        break;
    }
    if (desktop::looksLikeUrl(target))
        return openWithDesktop(target);
    // Existence is decided here: the open helper would report success for a missing file.
    const std::string path = desktop::locateTarget(target, searchPath());
    if (path.empty())
        return {LaunchStatus::NotFound, ENOENT};
    if (desktop::isProgramFile(path)) {
        const auto report = desktop::spawnDetached(path, {}, 0);
        return report.startError == 0 ? Accepted : NothingOpensIt;
    }
    return openWithDesktop(path);
}

LaunchResult DesktopPlatform::directStart(const std::string& program, ShowStyle) {
    // The window style has no counterpart here: the started program places its own window.
    const std::string path = desktop::programPath(program, searchPath());
    if (path.empty() && desktop::wellKnownProgram(program) == desktop::WellKnownProgram::TextEditor)
        return NothingOpensIt; // the open action found no text editor to stand in for it
    if (path.empty())
        return {LaunchStatus::NotFound, ENOENT};
    const auto report = desktop::spawnDetached(path, {}, 0);
    return report.startError == 0 ? Accepted : desktop::launchResultForErrno(report.startError);
}

bool DesktopPlatform::isOrdinaryFile(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile() && !info.fileName().startsWith(QLatin1Char('.'));
}

std::string DesktopPlatform::documentsDirectory(const std::filesystem::path& executableDirectory) {
    std::error_code error;
    if (std::filesystem::exists(executableDirectory / "License.txt", error))
        return executableDirectory.string();
    return (executableDirectory / ".." / "share" / "quivanto").lexically_normal().string();
}

std::string DesktopPlatform::applicationDirectory() {
    return documentsDirectory(QCoreApplication::applicationDirPath().toStdString());
}

std::error_code DesktopPlatform::flushToDisk(const std::string& file) {
    return syncPath(file, O_RDONLY);
}

std::error_code DesktopPlatform::replaceFile(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return errnoCode();
    // The rename itself must survive a power cut: flush the folder that records it.
    auto folder = std::filesystem::path(to).parent_path();
    if (folder.empty())
        folder = ".";
    syncPath(folder, O_RDONLY | O_DIRECTORY);
    return {};
}

FileStatus DesktopPlatform::fileStatus(const std::string& path, Links links) {
    return standard_files::fileStatus(path, links);
}

std::error_code DesktopPlatform::removeFile(const std::string& path) {
    return standard_files::removeFile(path);
}

void DesktopPlatform::copyAccess(const std::string& from, const std::string& to) {
    standard_files::copyAccess(from, to);
}

std::optional<FolderEntries> DesktopPlatform::folderEntries(const std::string& folder) {
    return standard_files::folderEntries(folder);
}

std::string DesktopPlatform::workingFolder() {
    return standard_files::workingFolder();
}

// No registry here: one of the tools desktop users know stands in, found on PATH.
std::optional<std::string> DesktopPlatform::systemInformationTool() {
    const char* path = std::getenv("PATH");
    std::string tool = findSystemInformationTool(path != nullptr ? path : "");
    if (tool.empty())
        return std::nullopt;
    return tool;
}

std::vector<std::string> DesktopPlatform::driveRoots() {
    return mountedRoots();
}

std::string DesktopPlatform::homeFolder() {
    return QFile::encodeName(QDir::homePath()).toStdString();
}

bool DesktopPlatform::previousInstanceRunning() {
    if (instanceLock_ >= 0)
        return false;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/quivanto.lock"));
    // The kernel holds this lock for the process and drops it however the process ends, so a
    // copy that crashed never blocks the next one; and as nothing is written, start-up never
    // waits for a disk. Close-on-exec: the programs we start must not keep it alive.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false; // nowhere to keep a lock: better to run than to refuse
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }
    instanceLock_ = fd;
    return false;
}

bool DesktopPlatform::waitForTray(int milliseconds) {
    // Asked afresh each time: a panel started with the session often comes after us, and
    // it may bring either kind of tray.
    const QDeadlineTimer deadline(milliseconds);
    desktop::TrayWatch watch;
    while (watch.current() == desktop::TrayKind::None) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(100);
    }
    return true;
}

void DesktopPlatform::addTrayIcon(const TrayIconData& data, TrayEventHandler onEvent) {
    const QString tip = QString::fromStdString(data.tip);
    // Asked again: a panel may have registered its StatusNotifier host since the wait.
    if (desktop::statusNotifierHostPresent() && publishStatusNotifierItem(tip, onEvent))
        return;
    addXEmbedIcon(tip, onEvent);
    // Qt's tray class may have chosen the bus by itself, with an empty menu of its own:
    // our item takes over, as it does when a host registers later.
    hostArrival_ = std::make_unique<desktop::HostArrival>();
    QObject::connect(
        hostArrival_.get(), &desktop::HostArrival::arrived, hostArrival_.get(),
        [this, tip, onEvent] { moveToStatusNotifierHost(tip, onEvent); }, Qt::QueuedConnection);
    if (desktop::statusNotifierHostPresent())
        moveToStatusNotifierHost(tip, onEvent);
}

bool DesktopPlatform::publishStatusNotifierItem(const QString& tip,
                                                const TrayEventHandler& onEvent) {
    statusNotifierItem_ =
        std::make_unique<desktop::StatusNotifierItem>(QApplication::windowIcon(), tip, onEvent);
    if (statusNotifierItem_->publish())
        return true;
    statusNotifierItem_.reset(); // the bus refused it: Qt's tray class may do better
    return false;
}

void DesktopPlatform::moveToStatusNotifierHost(const QString& tip,
                                               const TrayEventHandler& onEvent) {
    if (!trayIcon_ || statusNotifierItem_)
        return;
    if (!publishStatusNotifierItem(tip, onEvent))
        return;
    trayIcon_->hide();
    trayIcon_.reset();
    hostArrival_.reset();
}

void DesktopPlatform::addXEmbedIcon(const QString& tip, const TrayEventHandler& onEvent) {
    trayIcon_ = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
    trayIcon_->setToolTip(tip);
    // Queued: a handler may open a modal question or remove the icon, which must not
    // happen inside the icon's own mouse handling.
    QObject::connect(
        trayIcon_.get(), &QSystemTrayIcon::activated, trayIcon_.get(),
        [onEvent](QSystemTrayIcon::ActivationReason reason) {
            // The XEmbed tray tells no place; the pointer is on the icon.
            switch (reason) {
            case QSystemTrayIcon::Trigger:
                onEvent(TrayEvent(TrayEvent::Kind::Click));
                break;
            case QSystemTrayIcon::DoubleClick:
                // The second click of a double click: a double click, then a click.
                onEvent(TrayEvent(TrayEvent::Kind::DoubleClick));
                onEvent(TrayEvent(TrayEvent::Kind::Click));
                break;
            case QSystemTrayIcon::Context:
                onEvent(TrayEvent(TrayEvent::Kind::ContextRequest));
                break;
            default:
                break;
            }
        },
        Qt::QueuedConnection);
    trayIcon_->show();
    // The request to dock goes to the tray host now, not when the event loop first runs:
    // the tray host docks the icon while start-up goes on.
    if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        xcb_flush(x11->connection());
}

void DesktopPlatform::deleteTrayIcon(const TrayIconData&) {
    hostArrival_.reset();
    if (statusNotifierItem_) {
        // Gone from the panel now; the object itself after the event that asked for this,
        // which may be one of its own.
        statusNotifierItem_->withdraw();
        statusNotifierItem_.release()->deleteLater();
    }
    if (!trayIcon_)
        return;
    trayIcon_->hide();
    trayIcon_.reset();
}

ScreenMetrics DesktopPlatform::screenMetrics() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ScreenMetrics metrics;
    if (screen == nullptr)
        return metrics;
    metrics.twipsPerPixelX = static_cast<float>(1440.0 / screen->logicalDotsPerInchX());
    metrics.twipsPerPixelY = static_cast<float>(1440.0 / screen->logicalDotsPerInchY());
    metrics.widthTwips = static_cast<float>(screen->geometry().width()) * metrics.twipsPerPixelX;
    metrics.heightTwips = static_cast<float>(screen->geometry().height()) * metrics.twipsPerPixelY;
    return metrics;
}

TrayPlace DesktopPlatform::trayPlace() {
    // The XEmbed icon knows its place; a StatusNotifier icon does not, and there the pointer
    // (where it can be read) tells the monitor the user works on.
    std::optional<QRect> icon;
    if (trayIcon_ && trayIcon_->geometry().isValid() && !trayIcon_->geometry().isEmpty())
        icon = trayIcon_->geometry();
    const bool pointerKnown = QGuiApplication::platformName() != QLatin1String("wayland");
    const QScreen* screen = nullptr;
    if (icon)
        screen = QGuiApplication::screenAt(icon->center());
    if (screen == nullptr && pointerKnown)
        screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    TrayPlace place;
    place.pointerKnown = pointerKnown;
    if (screen == nullptr)
        return place;
    // Under a window manager the available geometry is the work area it publishes from the
    // panels' struts.
    place.monitor = screenRect(screen->geometry());
    place.workArea = screenRect(screen->availableGeometry());
    // sway tells its X clients no struts: the room its bars leave comes from its own socket,
    // and the X pointer it gives them is stale over its bars.
    if (const auto area = desktop::swayWorkArea(desktop::swaySocket())) {
        place.workArea = screenRect(*area);
        place.pointerKnown = false;
    }
    if (icon)
        place.icon = screenRect(*icon);
    place.twipsPerPixelX = static_cast<float>(1440.0 / screen->logicalDotsPerInchX());
    place.twipsPerPixelY = static_cast<float>(1440.0 / screen->logicalDotsPerInchY());
    return place;
}

CursorPosition DesktopPlatform::cursorPosition() {
    const QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
}

void DesktopPlatform::setForegroundWindow(WindowHandle window) {
    QWidget* widget = QWidget::find(static_cast<WId>(window));
    // A hidden window has no place in front; asking would only disturb the focus.
    if (widget != nullptr && widget->isVisible()) {
        widget->raise();
        widget->activateWindow();
    }
}

desktop::ShortcutRoute DesktopPlatform::shortcutRoute() {
    if (shortcutRoute_)
        return *shortcutRoute_;
    desktop::ShortcutSession session;
    session.wayland = desktop::isWaylandSession(QGuiApplication::platformName().toStdString(),
                                                hasEnv("WAYLAND_DISPLAY"));
    // Only a Wayland session asks the portal: on X11 the grab serves better, and the
    // question would start the portal where it is not running.
    if (session.wayland)
        portalShortcut_ = desktop::PortalShortcut::offeredOn(QDBusConnection::sessionBus());
    session.portalOffered = portalShortcut_ != nullptr;
    x11Shortcut_ = desktop::X11Shortcut::onQtConnection();
    session.xServer = x11Shortcut_ != nullptr;
    shortcutRoute_ = desktop::shortcutRoute(session);
    if (*shortcutRoute_ != desktop::ShortcutRoute::Portal)
        portalShortcut_.reset();
    if (*shortcutRoute_ != desktop::ShortcutRoute::KeyGrab)
        x11Shortcut_.reset();
    return *shortcutRoute_;
}

bool DesktopPlatform::globalShortcutsAvailable() {
    return shortcutRoute() != desktop::ShortcutRoute::None;
}

ShortcutResult DesktopPlatform::registerGlobalShortcut(const ShortcutKeys& keys,
                                                       ShortcutHandler onPressed) {
    switch (shortcutRoute()) {
    case desktop::ShortcutRoute::Portal:
        return portalShortcut_->bind(keys, std::move(onPressed));
    case desktop::ShortcutRoute::KeyGrab:
        return x11Shortcut_->grab(keys, std::move(onPressed));
    case desktop::ShortcutRoute::None:
        break;
    }
    return ShortcutResult::Unavailable;
}

} // namespace quivanto
