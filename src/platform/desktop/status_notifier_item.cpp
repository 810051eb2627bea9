#include "platform/desktop/status_notifier_item.h"

#include "platform/desktop/tray_clicks.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QtEndian>

#include <chrono>
#include <cmath>

namespace {

constexpr auto WatcherService = "org.kde.StatusNotifierWatcher";
constexpr auto WatcherPath = "/StatusNotifierWatcher";
constexpr auto ItemPath = "/StatusNotifierItem";
constexpr auto MenuPath = "/MenuBar";
constexpr int RemoveEntryId = 1;

} // namespace

// The protocol's structures, as D-Bus carries them. Slots and signals name lists as
// QList<...>: QtDBus finds a parameter's type by its spelled name, and a typedef's name is
// not registered.
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using SniPixmapList = QList<SniPixmap>;

struct SniToolTip {
    QString iconName;
    SniPixmapList pixmaps;
    QString title;
    QString text;
};

struct MenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<MenuLayoutItem> children;
};

struct MenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using MenuItemPropertiesList = QList<MenuItemProperties>;

struct MenuItemPropertyNames {
    int id = 0;
    QStringList names;
};
using MenuItemPropertyNamesList = QList<MenuItemPropertyNames>;

struct MenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

Q_DECLARE_METATYPE(SniPixmap)
Q_DECLARE_METATYPE(SniToolTip)
Q_DECLARE_METATYPE(MenuLayoutItem)
Q_DECLARE_METATYPE(MenuItemProperties)
Q_DECLARE_METATYPE(MenuItemPropertyNames)
Q_DECLARE_METATYPE(MenuEvent)

QDBusArgument& operator<<(QDBusArgument& arg, const SniPixmap& pixmap) {
    arg.beginStructure();
    arg << pixmap.width << pixmap.height << pixmap.bytes;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniPixmap& pixmap) {
    arg.beginStructure();
    arg >> pixmap.width >> pixmap.height >> pixmap.bytes;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& tip) {
    arg.beginStructure();
    arg << tip.iconName << tip.pixmaps << tip.title << tip.text;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& tip) {
    arg.beginStructure();
    arg >> tip.iconName >> tip.pixmaps >> tip.title >> tip.text;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuLayoutItem& item) {
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.beginArray(qMetaTypeId<QDBusVariant>());
    for (const MenuLayoutItem& child : item.children)
        arg << QDBusVariant(QVariant::fromValue(child));
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuLayoutItem& item) {
    arg.beginStructure();
    arg >> item.id >> item.properties;
    arg.beginArray();
    item.children.clear();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        item.children.append(qdbus_cast<MenuLayoutItem>(child.variant()));
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemProperties& item) {
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemProperties& item) {
    arg.beginStructure();
    arg >> item.id >> item.properties;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemPropertyNames& item) {
    arg.beginStructure();
    arg << item.id << item.names;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemPropertyNames& item) {
    arg.beginStructure();
    arg >> item.id >> item.names;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuEvent& event) {
    arg.beginStructure();
    arg << event.id << event.eventId << event.data << event.timestamp;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuEvent& event) {
    arg.beginStructure();
    arg >> event.id >> event.eventId >> event.data >> event.timestamp;
    arg.endStructure();
    return arg;
}

namespace quivanto::desktop {

const QString StatusNotifierItem::RemoveEntryLabel =
    QStringLiteral("Remove Quivanto from the system tray...");

namespace sni {

void registerTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<SniPixmap>();
        qDBusRegisterMetaType<SniPixmapList>();
        qDBusRegisterMetaType<SniToolTip>();
        qDBusRegisterMetaType<MenuLayoutItem>();
        qDBusRegisterMetaType<MenuItemProperties>();
        qDBusRegisterMetaType<MenuItemPropertiesList>();
        qDBusRegisterMetaType<MenuItemPropertyNames>();
        qDBusRegisterMetaType<MenuItemPropertyNamesList>();
        qDBusRegisterMetaType<MenuEvent>();
        qDBusRegisterMetaType<MenuEventList>();
        return true;
    }();
    (void)registered;
}

SniPixmapList pixmapsOf(const QIcon& icon) {
    SniPixmapList pixmaps;
    for (const int size : StatusNotifierIconSizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.paint(&painter, image.rect());
        painter.end();
        pixmaps.append({size, size, networkOrderArgb(image)});
    }
    return pixmaps;
}

// The host's place is in the display's pixels; the list window is placed in Qt's. Whether
// the place is believable the list window decides.
ScreenPoint logicalPoint(int x, int y) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
    return {static_cast<int>(std::lround(x / ratio)), static_cast<int>(std::lround(y / ratio))};
}

// org.kde.StatusNotifierItem: what the host reads and calls.
class ItemAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ empty)
    Q_PROPERTY(QString IconName READ empty)
    Q_PROPERTY(SniPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ empty)
    Q_PROPERTY(SniPixmapList OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ empty)
    Q_PROPERTY(SniPixmapList AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ empty)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
public:
    ItemAdaptor(QObject* object, StatusNotifierItem& item)
        : QDBusAbstractAdaptor(object)
        , item_(item)
        , pixmaps_(pixmapsOf(item.icon())) {}

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("quivanto"); }
    QString title() const { return item_.tip(); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString empty() const { return {}; }
    SniPixmapList iconPixmap() const { return pixmaps_; }
    SniPixmapList noPixmaps() const { return {}; }
    SniToolTip toolTip() const { return {QString(), {}, item_.tip(), QString()}; }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(QLatin1String(MenuPath)); }

public slots:
    void Activate(int x, int y) { item_.activate(x, y); }
    void SecondaryActivate(int, int) {}
    void ContextMenu(int x, int y) { item_.contextMenu(x, y); }
    void Scroll(int, const QString&) {}

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem& item_;
    SniPixmapList pixmaps_;
};

// com.canonical.dbusmenu with one entry: hosts such as xfce's panel open this menu on a
// right click instead of calling ContextMenu.
class MenuAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    MenuAdaptor(QObject* object, StatusNotifierItem& item)
        : QDBusAbstractAdaptor(object)
        , item_(item) {}

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList&, MenuLayoutItem& layout) {
        const MenuLayoutItem entry{RemoveEntryId, entryProperties(), {}};
        if (parentId == RemoveEntryId) {
            layout = entry;
        } else {
            layout = {0, {{QStringLiteral("children-display"), QStringLiteral("submenu")}}, {}};
            if (recursionDepth != 0)
                layout.children.append(entry);
        }
        return Revision;
    }

    QList<MenuItemProperties> GetGroupProperties(const QList<int>& ids, const QStringList&) {
        QList<MenuItemProperties> found;
        for (const int id : ids) {
            if (id == RemoveEntryId)
                found.append({id, entryProperties()});
            else if (id == 0)
                found.append(
                    {id, {{QStringLiteral("children-display"), QStringLiteral("submenu")}}});
        }
        return found;
    }

    QDBusVariant GetProperty(int id, const QString& name) {
        return QDBusVariant(id == RemoveEntryId ? entryProperties().value(name) : QVariant());
    }

    void Event(int id, const QString& eventId, const QDBusVariant&, uint) {
        if (id == RemoveEntryId && eventId == QLatin1String("clicked"))
            item_.removeEntryChosen();
    }

    QList<int> EventGroup(const QList<MenuEvent>& events) {
        QList<int> unknown;
        for (const MenuEvent& event : events) {
            if (event.id == RemoveEntryId || event.id == 0)
                Event(event.id, event.eventId, event.data, event.timestamp);
            else
                unknown.append(event.id);
        }
        return unknown;
    }

    bool AboutToShow(int) { return false; }

    QList<int> AboutToShowGroup(const QList<int>&, QList<int>& idErrors) {
        idErrors.clear();
        return {};
    }

signals:
    void ItemsPropertiesUpdated(const QList<MenuItemProperties>& updated,
                                const QList<MenuItemPropertyNames>& removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    static constexpr uint Revision = 1;

    static QVariantMap entryProperties() {
        return {{QStringLiteral("label"), StatusNotifierItem::RemoveEntryLabel},
                {QStringLiteral("enabled"), true},
                {QStringLiteral("visible"), true}};
    }

    StatusNotifierItem& item_;
};

} // namespace sni

using sni::ItemAdaptor;
using sni::MenuAdaptor;

QByteArray networkOrderArgb(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(argb.width()) * argb.height() * 4);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const quint32 pixel = qToBigEndian(static_cast<quint32>(line[x]));
            bytes.append(reinterpret_cast<const char*>(&pixel), sizeof pixel);
        }
    }
    return bytes;
}

StatusNotifierItem::StatusNotifierItem(const QIcon& icon, const QString& tip,
                                       TrayEventHandler onEvent)
    : icon_(icon)
    , tip_(tip)
    , onEvent_(std::move(onEvent))
    , clicks_(std::make_unique<ActivateClicks>(
          QGuiApplication::styleHints()->mouseDoubleClickInterval())) {
    sni::registerTypes();
    itemObject_ = new QObject(this);
    new ItemAdaptor(itemObject_, *this);
    menuObject_ = new QObject(this);
    new MenuAdaptor(menuObject_, *this);
}

StatusNotifierItem::~StatusNotifierItem() {
    withdraw();
}

void StatusNotifierItem::withdraw() {
    onEvent_ = nullptr;
    if (serviceName_.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QLatin1String(ItemPath));
    bus.unregisterObject(QLatin1String(MenuPath));
    bus.unregisterService(serviceName_); // the host drops the item when the name goes
    serviceName_.clear();
}

bool StatusNotifierItem::publish() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    serviceName_ =
        QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid());
    if (!bus.registerService(serviceName_) ||
        !bus.registerObject(QLatin1String(ItemPath), itemObject_,
                            QDBusConnection::ExportAdaptors) ||
        !bus.registerObject(QLatin1String(MenuPath), menuObject_, QDBusConnection::ExportAdaptors))
        return false;
    // A panel that restarts brings a new watcher, which knows nothing of us.
    watcherWatch_ = new QDBusServiceWatcher(QLatin1String(WatcherService), bus,
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcherWatch_, &QDBusServiceWatcher::serviceRegistered, this,
            &StatusNotifierItem::registerWithWatcher);
    registerWithWatcher();
    return true;
}

void StatusNotifierItem::registerWithWatcher() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(WatcherService), QLatin1String(WatcherPath), QLatin1String(WatcherService),
        QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    QDBusConnection::sessionBus().asyncCall(call); // the answer tells nothing we could act on
}

void StatusNotifierItem::activate(int x, int y) {
    const ScreenPoint place = sni::logicalPoint(x, y);
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    for (const TrayEvent::Kind kind : clicks_->eventsFor(milliseconds))
        deliver(TrayEvent(kind, place));
}

void StatusNotifierItem::contextMenu(int x, int y) {
    deliver(TrayEvent(TrayEvent::Kind::ContextRequest, sni::logicalPoint(x, y)));
}

void StatusNotifierItem::removeEntryChosen() {
    deliver(TrayEvent(TrayEvent::Kind::ContextRequest));
}

void StatusNotifierItem::deliver(const TrayEvent& event) {
    // Queued on this object: dropped if the item is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, event] {
            // A copy: the handler may withdraw this item, which clears the member.
            const TrayEventHandler handler = onEvent_;
            if (handler)
                handler(event);
        },
        Qt::QueuedConnection);
}

} // namespace quivanto::desktop

#include "status_notifier_item.moc"
