#include "platform/desktop/portal_shortcut.h"

#include "platform/desktop/shortcut_route.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>

namespace {

constexpr auto PortalService = "org.freedesktop.portal.Desktop";
constexpr auto PortalPath = "/org/freedesktop/portal/desktop";
constexpr auto ShortcutsInterface = "org.freedesktop.portal.GlobalShortcuts";
constexpr auto RequestInterface = "org.freedesktop.portal.Request";
constexpr auto ShowListId = "show-list";
constexpr uint Success = 0;

} // namespace

// One shortcut as BindShortcuts takes it and its answer gives it back: an id and a
// dictionary of its properties.
struct PortalShortcutEntry {
    QString id;
    QVariantMap properties;
};

Q_DECLARE_METATYPE(PortalShortcutEntry)

QDBusArgument& operator<<(QDBusArgument& arg, const PortalShortcutEntry& entry) {
    arg.beginStructure();
    arg << entry.id << entry.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, PortalShortcutEntry& entry) {
    arg.beginStructure();
    arg >> entry.id >> entry.properties;
    arg.endStructure();
    return arg;
}

namespace quivanto::desktop {
namespace {

// Each request and session of ours gets a fresh name: the portal keys them by the caller's
// bus name and this token together.
QString freshToken() {
    return QStringLiteral("quivanto%1").arg(QRandomGenerator::global()->generate());
}

// Where the portal puts a request or session of ours: our unique bus name without its
// colon, dots as underscores.
QString portalObjectPath(const QDBusConnection& bus, const QString& kind, const QString& token) {
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/%2/%3/%4").arg(QLatin1String(PortalPath), kind, sender, token);
}

// The session handle the portal gives as a string, though it names an object.
QString sessionHandle(const QVariantMap& results) {
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    if (handle.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return handle.value<QDBusObjectPath>().path();
    return handle.toString();
}

// The shortcut was bound to keys unless the answer leaves it out or gives it none to show.
ShortcutResult bindResult(uint response, const QVariantMap& results) {
    if (response != Success)
        return ShortcutResult::Unavailable; // the user said no, or the portal failed
    const auto entries =
        qdbus_cast<QList<PortalShortcutEntry>>(results.value(QStringLiteral("shortcuts")));
    for (const PortalShortcutEntry& entry : entries) {
        if (entry.id != QLatin1String(ShowListId))
            continue;
        const QVariant trigger = entry.properties.value(QStringLiteral("trigger_description"));
        const bool noKeys = trigger.isValid() && trigger.toString().isEmpty();
        return noKeys ? ShortcutResult::Taken : ShortcutResult::Registered;
    }
    return ShortcutResult::Taken;
}

} // namespace

std::unique_ptr<PortalShortcut> PortalShortcut::offeredOn(const QDBusConnection& bus,
                                                          std::chrono::milliseconds wait) {
    if (!bus.isConnected())
        return nullptr;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QLatin1String(PortalService), QLatin1String(PortalPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QLatin1String(ShortcutsInterface) << QStringLiteral("version");
    // The portal answers for the interfaces its back ends implement, and with an error
    // for the rest.
    const QDBusMessage reply = bus.call(get, QDBus::Block, static_cast<int>(wait.count()));
    if (reply.type() != QDBusMessage::ReplyMessage)
        return nullptr;
    return std::unique_ptr<PortalShortcut>(new PortalShortcut(bus, wait));
}

PortalShortcut::PortalShortcut(const QDBusConnection& bus, std::chrono::milliseconds wait)
    : bus_(bus)
    , wait_(wait) {
    qDBusRegisterMetaType<PortalShortcutEntry>();
    qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
    // The bus finds a slot's parameter types by name, and this one is named only once used.
    qRegisterMetaType<QDBusObjectPath>();
}

ShortcutResult PortalShortcut::bind(const ShortcutKeys& keys, ShortcutHandler onPressed) {
    deadline_ = QDeadlineTimer(wait_);
    trigger_ = QString::fromStdString(portalTrigger(keys));
    onPressed_ = std::move(onPressed);
    if (!bus_.connect(QLatin1String(PortalService), QLatin1String(PortalPath),
                      QLatin1String(ShortcutsInterface), QStringLiteral("Activated"), this,
                      SLOT(activated(QDBusObjectPath, QString, qulonglong, QVariantMap))))
        return ShortcutResult::Unavailable;
    const QVariantMap options{{QStringLiteral("handle_token"), freshToken()},
                              {QStringLiteral("session_handle_token"), freshToken()}};
    if (!request(QStringLiteral("CreateSession"), {options},
                 options.value(QStringLiteral("handle_token")).toString(),
                 SLOT(sessionCreated(uint, QVariantMap))))
        return ShortcutResult::Unavailable;
    if (!result_) {
        // Start-up waits, but not for long: the user's clicks wait meanwhile, the
        // portal's signals do not.
        QEventLoop loop;
        connect(this, &PortalShortcut::answered, &loop, &QEventLoop::quit);
        QTimer::singleShot(static_cast<int>(deadline_.remainingTime()), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return result_.value_or(ShortcutResult::Unavailable);
}

bool PortalShortcut::request(const QString& method, const QVariantList& arguments,
                             const QString& token, const char* answerSlot) {
    requestPath_ = portalObjectPath(bus_, QStringLiteral("request"), token);
    bus_.connect(QLatin1String(PortalService), requestPath_, QLatin1String(RequestInterface),
                 QStringLiteral("Response"), this, answerSlot);
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(PortalService), QLatin1String(PortalPath),
                                       QLatin1String(ShortcutsInterface), method);
    call.setArguments(arguments);
    // The method answers at once, before the portal asks anyone anything; after the
    // deadline, for an answer that came late, the call has the whole wait again.
    const qint64 timeout = deadline_.hasExpired() ? wait_.count() : deadline_.remainingTime();
    const QDBusMessage reply =
        bus_.call(call, QDBus::Block, static_cast<int>(std::max<qint64>(timeout, 1)));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        stopListening(answerSlot);
        return false;
    }
    // A portal older than the predictable paths answers on a path of its own choosing.
    const QString path = reply.arguments().constFirst().value<QDBusObjectPath>().path();
    if (path != requestPath_) {
        stopListening(answerSlot);
        requestPath_ = path;
        bus_.connect(QLatin1String(PortalService), requestPath_, QLatin1String(RequestInterface),
                     QStringLiteral("Response"), this, answerSlot);
    }
    return true;
}

void PortalShortcut::stopListening(const char* answerSlot) {
    bus_.disconnect(QLatin1String(PortalService), requestPath_, QLatin1String(RequestInterface),
                    QStringLiteral("Response"), this, answerSlot);
}

void PortalShortcut::sessionCreated(uint response, const QVariantMap& results) {
    stopListening(SLOT(sessionCreated(uint, QVariantMap)));
    session_ = sessionHandle(results);
    if (response != Success || session_.isEmpty()) {
        finish(ShortcutResult::Unavailable);
        return;
    }
    const QList<PortalShortcutEntry> shortcuts{
        {QLatin1String(ShowListId),
         {{QStringLiteral("description"), QStringLiteral("Show or hide the Quivanto list")},
          {QStringLiteral("preferred_trigger"), trigger_}}}};
    const QString token = freshToken();
    const QVariantList arguments{QVariant::fromValue(QDBusObjectPath(session_)),
                                 QVariant::fromValue(shortcuts), QString(),
                                 QVariantMap{{QStringLiteral("handle_token"), token}}};
    if (!request(QStringLiteral("BindShortcuts"), arguments, token,
                 SLOT(shortcutsBound(uint, QVariantMap))))
        finish(ShortcutResult::Unavailable);
}

void PortalShortcut::shortcutsBound(uint response, const QVariantMap& results) {
    stopListening(SLOT(shortcutsBound(uint, QVariantMap)));
    finish(bindResult(response, results));
}

void PortalShortcut::finish(ShortcutResult result) {
    result_ = result;
    emit answered();
}

void PortalShortcut::activated(const QDBusObjectPath& session, const QString& shortcutId,
                               qulonglong, const QVariantMap&) {
    if (session.path() != session_ || shortcutId != QLatin1String(ShowListId) || !onPressed_)
        return;
    // As a key grab's press: after the bus's delivery, which the handler must not be inside
    // of when it asks a question.
    QTimer::singleShot(0, this, [handler = onPressed_] { handler(); });
}

} // namespace quivanto::desktop
