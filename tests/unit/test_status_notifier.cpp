#include "platform/desktop/status_notifier_item.h"
#include "platform/desktop/tray_clicks.h"
#include "platform/platform.h"

#include <QImage>
#include <QtTest>

using namespace quivanto;
using namespace quivanto::desktop;

// How a StatusNotifier host's calls become tray events, and the icon's bytes as hosts read
// them; no bus and no display here.
class TestStatusNotifier final : public QObject {
    Q_OBJECT
private slots:
    void activateCallsBecomeClicks_data();
    void activateCallsBecomeClicks();
    void pixelsGoAlphaFirstInNetworkOrder();
};

void TestStatusNotifier::activateCallsBecomeClicks_data() {
    QTest::addColumn<QList<int>>("times"); // milliseconds of each Activate call
    QTest::addColumn<QString>("events");   // C click, D double click
    QTest::newRow("one click") << QList<int>{1000} << "C";
    QTest::newRow("two calls 80 ms apart: a double click") << QList<int>{1000, 1080} << "CDC";
    QTest::newRow("at the interval exactly: still a double click")
        << QList<int>{1000, 1400} << "CDC";
    QTest::newRow("past the interval: two clicks") << QList<int>{1000, 1401} << "CC";
    QTest::newRow("three quick calls are one double click")
        << QList<int>{1000, 1046, 1092} << "CDC";
    QTest::newRow("four quick calls too") << QList<int>{1000, 1050, 1100, 1150} << "CDC";
    QTest::newRow("a call past the burst's interval starts afresh")
        << QList<int>{1000, 1080, 1160, 1401} << "CDCC";
    QTest::newRow("two double clicks") << QList<int>{1000, 1080, 3000, 3080} << "CDCCDC";
}

void TestStatusNotifier::activateCallsBecomeClicks() {
    QFETCH(QList<int>, times);
    QFETCH(QString, events);
    ActivateClicks clicks(400);
    QString delivered;
    for (const int at : times) {
        for (const TrayEvent::Kind kind : clicks.eventsFor(at))
            delivered += kind == TrayEvent::Kind::DoubleClick ? 'D' : 'C';
    }
    QCOMPARE(delivered, events);
}

void TestStatusNotifier::pixelsGoAlphaFirstInNetworkOrder() {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x11, 0x22, 0x33, 0xFF));
    image.setPixel(1, 0, qRgba(0x00, 0x00, 0x00, 0x00));
    QCOMPARE(networkOrderArgb(image), QByteArray("\xFF\x11\x22\x33\x00\x00\x00\x00", 8));
    // Other formats are converted first: a premultiplied half-transparent red.
    QImage premultiplied(1, 1, QImage::Format_ARGB32_Premultiplied);
    premultiplied.fill(QColor(255, 0, 0, 128));
    const QByteArray bytes = networkOrderArgb(premultiplied);
    QCOMPARE(bytes.size(), 4);
    QCOMPARE(static_cast<unsigned char>(bytes[0]), 128u);
    QVERIFY(static_cast<unsigned char>(bytes[1]) >= 254u); // not premultiplied any more
}

QTEST_GUILESS_MAIN(TestStatusNotifier)
#include "test_status_notifier.moc"
