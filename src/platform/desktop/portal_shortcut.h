#pragma once

#include "platform/platform.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <memory>
#include <optional>

class QDBusObjectPath;

namespace quivanto::desktop {

// A global shortcut through the desktop portal, for Wayland sessions whose portal offers
// them: a session of the portal's, our one shortcut bound in it, and its activations
// picked out of the portal's signals.
class PortalShortcut final : public QObject {
    Q_OBJECT
public:
    // How long start-up waits for the portal, to tell whether it is there and then for
    // the bind: it answers at once unless it asks the user first, and a late answer is
    // still taken.
    static constexpr std::chrono::milliseconds DefaultWait{2000};

    // Null where the portal on `bus` does not offer global shortcuts (or does not answer
    // within `wait`).
    static std::unique_ptr<PortalShortcut> offeredOn(const QDBusConnection& bus,
                                                     std::chrono::milliseconds wait = DefaultWait);

    // Binds the keys as the shortcut's preferred trigger and waits, at most the wait
    // given, for the portal's answer. Unavailable when it refuses, fails or stays silent;
    // Taken when it binds the shortcut to no keys. `onPressed` runs, queued, on each
    // activation of ours, after an answer that came late too.
    ShortcutResult bind(const ShortcutKeys& keys, ShortcutHandler onPressed);

signals:
    void answered(); // the bind's outcome is known

private slots:
    // Slots by name: the bus delivers its signals only to those.
    void sessionCreated(uint response, const QVariantMap& results);
    void shortcutsBound(uint response, const QVariantMap& results);
    void activated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong timestamp,
                   const QVariantMap& options);

private:
    PortalShortcut(const QDBusConnection& bus, std::chrono::milliseconds wait);
    // Calls a portal method whose answer comes as a Response signal on a request object,
    // to `answerSlot`; the request's path is known beforehand from `token`, so the
    // answer cannot pass before we listen. False when the call failed.
    bool request(const QString& method, const QVariantList& arguments, const QString& token,
                 const char* answerSlot);
    void stopListening(const char* answerSlot);
    void finish(ShortcutResult result);

    QDBusConnection bus_;
    std::chrono::milliseconds wait_;
    QDeadlineTimer deadline_; // for the bind's answers, while start-up waits
    QString requestPath_;     // the request whose answer is awaited
    QString session_;         // once the portal made it
    QString trigger_;
    ShortcutHandler onPressed_;
    std::optional<ShortcutResult> result_;
};

} // namespace quivanto::desktop
