#include "about/about_box.h"

#include <QtTest>

using namespace quivanto;

class TestAboutBox final : public QObject {
    Q_OBJECT
private slots:
    void versionComesFromTheBuild();
    void versionNumbersArePlainDecimals();
};

void TestAboutBox::versionComesFromTheBuild() {
    // The build's version number, handed to this test apart from the program's.
    QCOMPARE(versionLabel(programVersion()), "Version " + std::string(QUIVANTO_EXPECTED_VERSION));
}

void TestAboutBox::versionNumbersArePlainDecimals() {
    QCOMPARE(versionLabel({2, 5, 2}), std::string("Version 2.5.2"));
    QCOMPARE(versionLabel({10, 0, 17}), std::string("Version 10.0.17"));
}

QTEST_GUILESS_MAIN(TestAboutBox)
#include "test_about_box.moc"
