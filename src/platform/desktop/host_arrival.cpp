#include "platform/desktop/host_arrival.h"

#include "platform/desktop/tray_watch.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace quivanto::desktop {
namespace {

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

} // namespace

HostArrival::HostArrival(QObject* parent)
    : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // A host registers with a watcher already there, or a watcher comes with its host.
    bus.connect(QString(), QStringLiteral("/StatusNotifierWatcher"), WatcherService,
                QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(checkHost()));
    auto* watcher = new QDBusServiceWatcher(WatcherService, bus,
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &HostArrival::checkHost);
}

void HostArrival::checkHost() {
    if (told_ || !statusNotifierHostPresent())
        return;
    told_ = true;
    emit arrived();
}

} // namespace quivanto::desktop
