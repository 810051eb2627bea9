#pragma once

#include <QObject>

namespace quivanto::desktop {

// Tells when a StatusNotifier host comes to the session bus after the program settled for
// an XEmbed tray: panels such as MATE's show their XEmbed tray first and register their
// StatusNotifier host a moment later, and only the latter offers the icon's menu.
class HostArrival final : public QObject {
    Q_OBJECT
public:
    explicit HostArrival(QObject* parent = nullptr);

signals:
    void arrived();

private slots:
    // Slots by name: the bus delivers its signals only to those.
    void checkHost();

private:
    bool told_ = false;
};

} // namespace quivanto::desktop
