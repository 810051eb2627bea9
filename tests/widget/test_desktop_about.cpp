#include "about/sys_info.h"
#include "platform/desktop/desktop_platform.h"
#include "support/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quivanto;
using quivanto::testing::FakePlatform;

// The Linux back end's answers to the About box: its documents folder, the ordinary-file
// test, and where it says the system information tool is.
class TestDesktopAbout final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void documentsBesideTheProgramOrShared();
    void ordinaryFiles_data();
    void ordinaryFiles();
    void systemInformationToolFromPath();
    void withoutToolsTheUserIsTold();

private:
    QByteArray savedPath_;
    QTemporaryDir dir_;

    static void writeFile(const QString& path, QFileDevice::Permissions permissions);
};

void TestDesktopAbout::initTestCase() {
    savedPath_ = qgetenv("PATH");
    QVERIFY(dir_.isValid());
}

void TestDesktopAbout::cleanupTestCase() {
    qputenv("PATH", savedPath_);
}

void TestDesktopAbout::writeFile(const QString& path, QFileDevice::Permissions permissions) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
    file.close();
    QVERIFY(file.setPermissions(permissions));
}

void TestDesktopAbout::documentsBesideTheProgramOrShared() {
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    const std::string bin = prefix.filePath("bin").toStdString();
    // Installed: nothing beside the program.
    QCOMPARE(DesktopPlatform::documentsDirectory(bin),
             prefix.filePath("share/quivanto").toStdString());
    // A build tree: the licence lies beside the program.
    writeFile(prefix.filePath("bin/License.txt"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(DesktopPlatform::documentsDirectory(bin), bin);
}

void TestDesktopAbout::ordinaryFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("ordinary");
    QTest::newRow("plain file") << "License.txt" << false << true;
    QTest::newRow("hidden file") << ".License.txt" << false << false;
    QTest::newRow("folder") << "Licence folder" << true << false;
    QTest::newRow("missing") << "" << false << false;
}

void TestDesktopAbout::ordinaryFiles() {
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(bool, ordinary);
    QTemporaryDir here;
    QVERIFY(here.isValid());
    if (folder)
        QVERIFY(QDir(here.path()).mkdir(name));
    else if (!name.isEmpty())
        writeFile(here.filePath(name), QFileDevice::ReadOwner);
    DesktopPlatform platform;
    const QString path = here.filePath(name.isEmpty() ? QStringLiteral("License.txt") : name);
    QCOMPARE(platform.isOrdinaryFile(path.toStdString()), ordinary);
}

void TestDesktopAbout::systemInformationToolFromPath() {
    QVERIFY(QDir(dir_.path()).mkpath("tools"));
    const QString tool = dir_.filePath("tools/kinfocenter");
    writeFile(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("PATH", (dir_.filePath("tools") + ":/nonexistent").toLocal8Bit());

    DesktopPlatform desktop;
    FakePlatform platform; // records the start instead of making it
    platform.sysInfoTool = desktop.systemInformationTool();
    StartSysInfo(platform);
    QCOMPARE(platform.starts.size(), 1u);
    QCOMPARE(QString::fromStdString(platform.starts[0].program), tool);
    QVERIFY(platform.starts[0].style == ShowStyle::NormalActivate);
    QVERIFY(platform.messages.empty());
}

void TestDesktopAbout::withoutToolsTheUserIsTold() {
    qputenv("PATH", "");
    DesktopPlatform desktop;
    QCOMPARE(desktop.systemInformationTool(), std::optional<std::string>());
    FakePlatform platform;
    platform.sysInfoTool = desktop.systemInformationTool();
    StartSysInfo(platform);
    QVERIFY(platform.starts.empty());
    QCOMPARE(platform.messages.size(), 1u);
    QCOMPARE(platform.messages[0].text,
             std::string("System Information Is Unavailable At This Time"));
}

QTEST_MAIN(TestDesktopAbout)
#include "test_desktop_about.moc"
