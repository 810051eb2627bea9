#include "about/about_box.h"
#include "support/fake_platform.h"

#include <QtTest>

using namespace quivanto;
using quivanto::testing::FakePlatform;

class TestAboutBox final : public QObject {
    Q_OBJECT
private slots:
    void versionComesFromTheBuild();
    void versionNumbersArePlainDecimals();
    void homePageComesFromTheBuild();
    void licenseIsLookedForBesideTheProgram_data();
    void licenseIsLookedForBesideTheProgram();
};

void TestAboutBox::versionComesFromTheBuild() {
    // The build's version number, handed to this test apart from the program's.
    QCOMPARE(versionLabel(programVersion()), "Version " + std::string(QUIVANTO_EXPECTED_VERSION));
}

void TestAboutBox::versionNumbersArePlainDecimals() {
    QCOMPARE(versionLabel({2, 5, 2}), std::string("Version 2.5.2"));
    QCOMPARE(versionLabel({10, 0, 17}), std::string("Version 10.0.17"));
}

void TestAboutBox::homePageComesFromTheBuild() {
    const std::string expected = QUIVANTO_EXPECTED_HOMEPAGE;
    FakePlatform platform;
    platform.openResults.push_back(2); // a refusal is not reported
    openHomePage(platform);
    QCOMPARE(platform.openRequests, std::vector<std::string>{expected});
    QVERIFY(platform.messages.empty());
    QVERIFY(websiteLabel().find(expected) != std::string::npos);
}

void TestAboutBox::licenseIsLookedForBesideTheProgram_data() {
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("ordinaryFile");
    QTest::addColumn<bool>("opened");

    QTest::newRow("found") << "/opt/quivanto"
                           << "/opt/quivanto/License.txt" << true;
    QTest::newRow("missing") << "/opt/quivanto"
                             << "" << false;
    QTest::newRow("separator always added") << "/opt/quivanto/"
                                            << "/opt/quivanto//License.txt" << true;
    QTest::newRow("hidden") << "/opt/quivanto"
                            << "/opt/quivanto/.License.txt" << false;
    QTest::newRow("working folder only") << "/opt/quivanto"
                                         << "License.txt" << false;
    QTest::newRow("other case") << "/opt/quivanto"
                                << "/opt/quivanto/license.txt" << false;
}

void TestAboutBox::licenseIsLookedForBesideTheProgram() {
    QFETCH(QString, directory);
    QFETCH(QString, ordinaryFile);
    QFETCH(bool, opened);

    FakePlatform platform;
    platform.appDirectory = directory.toStdString();
    platform.ordinaryFiles.insert(ordinaryFile.toStdString());
    platform.answers.push_back(MessageAnswer::Yes);
    openLicenseAgreement(platform);
    if (opened) {
        QCOMPARE(platform.openRequests, std::vector<std::string>{ordinaryFile.toStdString()});
        QVERIFY(platform.messages.empty());
        return;
    }
    // Whichever answer, nothing follows the question.
    QVERIFY(platform.openRequests.empty());
    QVERIFY(platform.starts.empty());
    QCOMPARE(platform.messages.size(), 1u);
    QCOMPARE(platform.messages[0].text,
             std::string("The License file could not be found. Please reinstall Quivanto."));
    QCOMPARE(platform.messages[0].title, std::string("Quivanto - File could not be found error!"));
    QCOMPARE(platform.messages[0].style, 292);
}

QTEST_GUILESS_MAIN(TestAboutBox)
#include "test_about_box.moc"
