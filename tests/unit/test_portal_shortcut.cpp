#include "platform/desktop/portal_shortcut.h"
#include "platform/desktop/shortcut_route.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QtTest>

#include <memory>

using namespace quivanto;
using namespace quivanto::desktop;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(quivanto::ShortcutKeys)
Q_DECLARE_METATYPE(quivanto::ShortcutResult)
Q_DECLARE_METATYPE(quivanto::desktop::ShortcutRoute)

namespace {

constexpr ShortcutKeys SuperAltQ{ShortcutKeys::Super | ShortcutKeys::Alt, 'Q'};

} // namespace

// The way the global shortcut takes, the keys as the portal reads them, and the portal's
// conversation with a fake portal on a private bus.
class TestPortalShortcut final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void routeFollowsTheSession_data();
    void routeFollowsTheSession();
    void triggerIsWrittenAsThePortalReadsIt_data();
    void triggerIsWrittenAsThePortalReadsIt();
    void notOfferedWithoutThePortalsInterface();
    void onlyOurSessionsShortcutPresses(); // first: it once passed only after other binds
    void bindGivesThePortalsAnswer_data();
    void bindGivesThePortalsAnswer();

private:
    // A call to the fake's own interface; what it returns.
    QVariantList fake(const QString& method, const QVariantList& arguments = {});
    void startFakePortal();

    QProcess busDaemon_;
    QProcess fakePortal_;
    std::unique_ptr<QDBusConnection> bus_;
};

void TestPortalShortcut::initTestCase() {
    busDaemon_.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--config-file=" QUIVANTO_PRIVATE_BUS),
                      QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY(busDaemon_.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(busDaemon_.readLine()).trimmed();
    // Anything here that looks for the session bus finds this one.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    bus_ = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(address, QStringLiteral("private")));
    QVERIFY(bus_->isConnected());
}

void TestPortalShortcut::cleanupTestCase() {
    bus_.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("private"));
    for (QProcess* process : {&fakePortal_, &busDaemon_}) {
        process->kill();
        process->waitForFinished();
    }
}

void TestPortalShortcut::startFakePortal() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QString::fromUtf8(qgetenv("DBUS_SESSION_BUS_ADDRESS")));
    fakePortal_.setProcessEnvironment(environment);
    fakePortal_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    fakePortal_.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(QUIVANTO_FAKE_PORTAL)});
    QVERIFY(fakePortal_.waitForReadyRead(10000));
    QCOMPARE(fakePortal_.readLine().trimmed(), QByteArray("ready"));
}

QVariantList TestPortalShortcut::fake(const QString& method, const QVariantList& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                       QStringLiteral("/org/freedesktop/portal/desktop"),
                                       QStringLiteral("org.quivanto.FakePortal"), method);
    call.setArguments(arguments);
    return bus_->call(call).arguments();
}

void TestPortalShortcut::routeFollowsTheSession_data() {
    QTest::addColumn<QString>("qtPlatform");
    QTest::addColumn<bool>("waylandDisplay");
    QTest::addColumn<bool>("portalOffered");
    QTest::addColumn<bool>("xServer");
    QTest::addColumn<ShortcutRoute>("route");
    QTest::newRow("X11 session") << "xcb" << false << false << true << ShortcutRoute::KeyGrab;
    QTest::newRow("X11 session whose portal offers shortcuts: the grab needs no one's leave")
        << "xcb" << false << true << true << ShortcutRoute::KeyGrab;
    QTest::newRow("XWayland in a session whose portal offers them")
        << "xcb" << true << true << true << ShortcutRoute::Portal;
    QTest::newRow("XWayland, no portal shortcuts: the grab, while an X window has the focus")
        << "xcb" << true << false << true << ShortcutRoute::KeyGrab;
    QTest::newRow("Wayland natively, portal offers them")
        << "wayland" << false << true << false << ShortcutRoute::Portal;
    QTest::newRow("Wayland natively, no portal shortcuts")
        << "wayland" << true << false << false << ShortcutRoute::None;
    QTest::newRow("no display server at all")
        << "offscreen" << false << true << false << ShortcutRoute::None;
}

void TestPortalShortcut::routeFollowsTheSession() {
    QFETCH(QString, qtPlatform);
    QFETCH(bool, waylandDisplay);
    QFETCH(bool, portalOffered);
    QFETCH(bool, xServer);
    QFETCH(ShortcutRoute, route);
    const ShortcutSession session{isWaylandSession(qtPlatform.toStdString(), waylandDisplay),
                                  portalOffered, xServer};
    QCOMPARE(shortcutRoute(session), route);
}

void TestPortalShortcut::triggerIsWrittenAsThePortalReadsIt_data() {
    QTest::addColumn<ShortcutKeys>("keys");
    QTest::addColumn<QString>("trigger");
    QTest::newRow("the default; a letter is its lower-case keysym") << SuperAltQ << "LOGO+ALT+q";
    QTest::newRow("every modifier, a function key")
        << ShortcutKeys{ShortcutKeys::Super | ShortcutKeys::Control | ShortcutKeys::Alt |
                            ShortcutKeys::Shift,
                        112 + 11}
        << "LOGO+CTRL+ALT+SHIFT+F12";
    QTest::newRow("a digit") << ShortcutKeys{ShortcutKeys::Control, '7'} << "CTRL+7";
}

void TestPortalShortcut::triggerIsWrittenAsThePortalReadsIt() {
    QFETCH(ShortcutKeys, keys);
    QFETCH(QString, trigger);
    QCOMPARE(QString::fromStdString(portalTrigger(keys)), trigger);
}

void TestPortalShortcut::notOfferedWithoutThePortalsInterface() {
    QVERIFY(!PortalShortcut::offeredOn(*bus_, 1000ms)); // nobody holds the portal's name
    startFakePortal();
    QVERIFY(PortalShortcut::offeredOn(*bus_, 1000ms));
    // A portal whose back ends offer no global shortcuts (GNOME's, wlroots').
    fake(QStringLiteral("SetOffered"), {false});
    QVERIFY(!PortalShortcut::offeredOn(*bus_, 1000ms));
    fake(QStringLiteral("SetOffered"), {true});
}

void TestPortalShortcut::bindGivesThePortalsAnswer_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<ShortcutResult>("result");
    QTest::newRow("bound to the keys") << "grant" << ShortcutResult::Registered;
    QTest::newRow("bound to no keys: they belong to another") << "no-keys" << ShortcutResult::Taken;
    QTest::newRow("left out of the bound shortcuts") << "left-out" << ShortcutResult::Taken;
    QTest::newRow("the user said no") << "cancel" << ShortcutResult::Unavailable;
    QTest::newRow("no answer within the wait") << "held" << ShortcutResult::Unavailable;
}

void TestPortalShortcut::bindGivesThePortalsAnswer() {
    QFETCH(QString, mode);
    QFETCH(ShortcutResult, result);
    fake(QStringLiteral("SetMode"), {mode});
    const auto portal = PortalShortcut::offeredOn(*bus_, 1000ms);
    QVERIFY(portal);
    QCOMPARE(portal->bind(SuperAltQ, [] {}), result);
    const QString session =
        fake(QStringLiteral("LastSession")).value(0).value<QDBusObjectPath>().path();
    QCOMPARE(fake(QStringLiteral("LastBind")),
             QVariantList({session, QStringLiteral("show-list"), QStringLiteral("LOGO+ALT+q")}));
}

void TestPortalShortcut::onlyOurSessionsShortcutPresses() {
    // A portal that asks the user first answers after start-up stopped waiting: the
    // shortcut comes all the same.
    fake(QStringLiteral("SetMode"), {QStringLiteral("held")});
    const auto portal = PortalShortcut::offeredOn(*bus_, 300ms);
    QVERIFY(portal);
    int presses = 0;
    QCOMPARE(portal->bind(SuperAltQ, [&presses] { ++presses; }), ShortcutResult::Unavailable);
    fake(QStringLiteral("Release"));
    const QVariant ours = fake(QStringLiteral("LastSession")).value(0);
    const QVariant another = QVariant::fromValue(
        QDBusObjectPath(QStringLiteral("/org/freedesktop/portal/desktop/session/1_1/other")));
    fake(QStringLiteral("Activate"), {another, QStringLiteral("show-list")});
    fake(QStringLiteral("Activate"), {ours, QStringLiteral("another-shortcut")});
    fake(QStringLiteral("Activate"), {ours, QStringLiteral("show-list")});
    QTRY_COMPARE(presses, 1);
    QTest::qWait(100); // anything wrongly taken would have followed by now
    QCOMPARE(presses, 1);
}

QTEST_GUILESS_MAIN(TestPortalShortcut)
#include "test_portal_shortcut.moc"
