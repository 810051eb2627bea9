#pragma once

#include "platform/platform.h"

#include <QByteArray>
#include <QIcon>
#include <QObject>
#include <QString>

#include <array>
#include <memory>

class QDBusServiceWatcher;
class QImage;

namespace quivanto::desktop {

class ActivateClicks;

// The icon sizes offered to a StatusNotifier host: the usual panel sizes at one and two
// times scale, so no host has to scale a pixmap.
inline constexpr std::array<int, 6> StatusNotifierIconSizes{16, 22, 24, 32, 48, 64};

// An image as the StatusNotifier protocol carries it: 32-bit ARGB in network byte order.
QByteArray networkOrderArgb(const QImage& image);

// Our tray icon on a StatusNotifier host (the D-Bus tray of most Linux panels), spoken
// directly: Qt's own tray class drops the place a host says the icon was clicked, offers
// few icon sizes and has no way to give xfce's panel a menu entry to leave the tray.
// Events reach `onEvent` as tray codes, queued: a handler may ask a modal question or
// delete this item, neither of which may happen inside a D-Bus call.
class StatusNotifierItem final : public QObject {
    Q_OBJECT
public:
    // The text of the item's one menu entry, which asks whether to leave the tray.
    static const QString RemoveEntryLabel;

    StatusNotifierItem(const QIcon& icon, const QString& tip, TrayEventHandler onEvent);
    ~StatusNotifierItem() override;

    // Publishes the item on the session bus and tells the watcher; again whenever a
    // watcher appears (a panel restarted). False when the bus refused the item.
    bool publish();

    // Leaves the bus, so the host drops the icon at once; no event is delivered after it.
    void withdraw();

    // What the D-Bus objects report.
    void activate(int x, int y);
    void contextMenu(int x, int y);
    void removeEntryChosen();
    const QIcon& icon() const { return icon_; }
    const QString& tip() const { return tip_; }

private:
    void registerWithWatcher();
    void deliver(const TrayEvent& event);

    QIcon icon_;
    QString tip_;
    TrayEventHandler onEvent_;
    QString serviceName_;
    std::unique_ptr<ActivateClicks> clicks_;
    QObject* itemObject_ = nullptr;
    QObject* menuObject_ = nullptr;
    QDBusServiceWatcher* watcherWatch_ = nullptr;
};

} // namespace quivanto::desktop
