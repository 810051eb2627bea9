#include "qt/artwork.h"
#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace quivanto;

// The program's pictures are drawn when something shows them, at the size it asks for.
class TestArtwork final : public QObject {
    Q_OBJECT
private slots:
    void bannerIsDrawnWhenTheListWindowFirstShows();
    void iconIsDrawnAtTheSizeAskedFor_data();
    void iconIsDrawnAtTheSizeAskedFor();
    void windowManagersAreGivenTheDesignedSize();
};

void TestArtwork::bannerIsDrawnWhenTheListWindowFirstShows() {
    QTemporaryDir dir;
    testing::FakePlatform platform;
    testing::QtListWindow app(platform, dir.path().toStdString());
    app.form().Form_Load();
    const auto* banner = app.window().findChild<QLabel*>(QStringLiteral("picHeader"));
    // Waiting in the tray costs no drawing, if the banner is built at all.
    QVERIFY(banner == nullptr || banner->pixmap().isNull());
    app.form().ShowMenu();
    banner = app.window().findChild<QLabel*>(QStringLiteral("picHeader"));
    QVERIFY(banner != nullptr);
    QCOMPARE(banner->pixmap().deviceIndependentSize().toSize(), QSize(263, 39));
    const QImage picture = banner->pixmap().toImage();
    QCOMPARE(qAlpha(picture.pixel(10, 10)), 255); // drawn, not left transparent
}

void TestArtwork::iconIsDrawnAtTheSizeAskedFor_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 22, 24, 32, 48, 64})
        QTest::newRow(QByteArray::number(size).constData()) << size;
}

void TestArtwork::iconIsDrawnAtTheSizeAskedFor() {
    QFETCH(int, size);
    const QIcon icon = programIcon();
    const QPixmap pixmap = icon.pixmap(QSize(size, size));
    QCOMPARE(pixmap.size(), QSize(size, size)); // drawn for that size, not scaled from another
    const QImage image = pixmap.toImage();
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    QCOMPARE(icon.pixmap(QSize(size, size)).cacheKey(), pixmap.cacheKey()); // drawn once
}

void TestArtwork::windowManagersAreGivenTheDesignedSize() {
    QCOMPARE(programIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
