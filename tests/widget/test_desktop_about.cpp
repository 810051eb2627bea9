#include "about/sys_info.h"
#include "platform/desktop/desktop_platform.h"
#include "support/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The key main() hands the desktop back end, so the tool's path has a stand-in value.
quivanto::RegistryStandIn standIn() {
    return {std::string(quivanto::SysInfoPathEntry.key),
            std::string(quivanto::SysInfoPathEntry.value)};
}

} // namespace

using namespace quivanto;
using quivanto::testing::FakePlatform;

// The Linux back end's answers to the About box: its documents folder, the ordinary-file
// test, and the stand-in for the registry entries that locate the system information tool.
class TestDesktopAbout final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void documentsBesideTheProgramOrShared();
    void ordinaryFiles_data();
    void ordinaryFiles();
    void standInStartsAToolFromPath();
    void standInWithoutToolsTellsTheUser();

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

void TestDesktopAbout::standInStartsAToolFromPath() {
    QVERIFY(QDir(dir_.path()).mkpath("tools"));
    const QString tool = dir_.filePath("tools/kinfocenter");
    writeFile(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("PATH", (dir_.filePath("tools") + ":/nonexistent").toLocal8Bit());

    DesktopPlatform desktop(standIn());
    FakePlatform platform; // records the start instead of making it
    platform.registryBackEnd = &desktop;
    StartSysInfo(platform);
    QCOMPARE(platform.starts.size(), 1u);
    QCOMPARE(QString::fromStdString(platform.starts[0].program), tool);
    QVERIFY(platform.starts[0].style == ShowStyle::NormalActivate);
    QVERIFY(platform.messages.empty());
    QVERIFY(platform.openRegistryKeys.empty());
}

void TestDesktopAbout::standInWithoutToolsTellsTheUser() {
    qputenv("PATH", "");
    DesktopPlatform desktop(standIn());
    FakePlatform platform;
    platform.registryBackEnd = &desktop;
    platform.ordinaryFiles.insert("/MSINFO32.EXE"); // the folder entry must not be consulted
    StartSysInfo(platform);
    QVERIFY(platform.starts.empty());
    QCOMPARE(platform.messages.size(), 1u);
    QCOMPARE(platform.messages[0].text,
             std::string("System Information Is Unavailable At This Time"));
    // No registry: the folder entry is absent, so the tool's name is never looked for.
    QVERIFY(platform.ordinaryFileQueries.empty());
}

QTEST_MAIN(TestDesktopAbout)
#include "test_desktop_about.moc"
