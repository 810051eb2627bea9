#include "about/sys_info.h"
#include "platform/desktop/sys_info_tools.h"
#include "support/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace quivanto;
using quivanto::testing::FakePlatform;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(quivanto::RegistryValue)

namespace {

const std::string PathKey(SysInfoPathEntry.key);
const std::string PathValue(SysInfoPathEntry.value);
const std::string FolderKey(SysInfoFolderEntry.key);
const std::string FolderValue(SysInfoFolderEntry.value);

RegistryValue bytesValue(std::vector<unsigned char> bytes, std::uint32_t type) {
    return {Registry::Success, type, std::move(bytes)};
}

RegistryValue absent() {
    return {};
}

bool queried(const FakePlatform& platform, const std::string& key) {
    return std::any_of(platform.registryOpenings.begin(), platform.registryOpenings.end(),
                       [&](const auto& opening) { return opening.key == key; });
}

void makeExecutable(const QString& path, bool executable = true) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        permissions |= QFileDevice::ExeOwner;
    QVERIFY(file.setPermissions(permissions));
}

} // namespace

class TestSysInfo final : public QObject {
    Q_OBJECT
private slots:
    void getKeyValue_data();
    void getKeyValue();
    void emptyValueIsAnErrorAfterClosing();
    void startSysInfo_data();
    void startSysInfo();
    void keysAreOpenedForReadingOnly();
    void toolSearch_data();
    void toolSearch();
    void toolSearchSkipsTheCurrentFolder();
};

void TestSysInfo::getKeyValue_data() {
    QTest::addColumn<RegistryValue>("stored");
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<std::string>("incoming");
    QTest::addColumn<bool>("result");
    QTest::addColumn<std::string>("keyVal");

    const std::string keep = "incoming";
    QTest::newRow("text with its zero") << FakePlatform::textValue("C:\\a b\\tool.exe") << true
                                        << keep << true << std::string("C:\\a b\\tool.exe");
    QTest::newRow("text without a zero is taken whole")
        << FakePlatform::textValue("tool", false) << true << keep << true << std::string("tool");
    QTest::newRow("only the last zero goes") << bytesValue({'a', 'b', 0, 0}, Registry::TypeString)
                                             << true << keep << true << std::string("ab\0", 3);
    QTest::newRow("a lone zero is empty text")
        << bytesValue({0}, Registry::TypeString) << true << keep << true << std::string();
    QTest::newRow("1024 bytes fit the buffer") << FakePlatform::textValue(std::string(1023, 'x'))
                                               << true << keep << true << std::string(1023, 'x');
    QTest::newRow("1025 bytes count as absent") << FakePlatform::textValue(std::string(1024, 'x'))
                                                << true << keep << false << std::string();
    QTest::newRow("expandable text leaves the incoming text")
        << FakePlatform::textValue("%SystemRoot%\\x", true, Registry::TypeExpandString) << true
        << keep << true << keep;
    QTest::newRow("binary leaves the incoming text")
        << bytesValue({1, 2, 3}, 3) << true << keep << true << keep;
    QTest::newRow("number as decimal digits") << bytesValue({0x05, 0x01, 0, 0}, Registry::TypeDword)
                                              << true << keep << true << std::string("261");
    QTest::newRow("absent value empties") << absent() << true << keep << false << std::string();
    QTest::newRow("unreadable value empties")
        << RegistryValue{Registry::AccessDenied, Registry::TypeString, {'x', 0}} << true << keep
        << false << std::string();
    QTest::newRow("absent key empties") << absent() << false << keep << false << std::string();
}

void TestSysInfo::getKeyValue() {
    QFETCH(RegistryValue, stored);
    QFETCH(bool, keyExists);
    QFETCH(std::string, incoming);
    QFETCH(bool, result);
    QFETCH(std::string, keyVal);

    FakePlatform platform;
    if (keyExists)
        platform.registry[{Registry::LocalMachine, "K", "V"}] = stored;
    std::string value = incoming;
    QCOMPARE(GetKeyValue(platform, Registry::LocalMachine, "K", "V", value), result);
    QCOMPARE(value, keyVal);
    QVERIFY(platform.openRegistryKeys.empty());
    if (keyExists)
        QCOMPARE(platform.registryBufferSizes, std::vector<std::size_t>{1024});
}

void TestSysInfo::emptyValueIsAnErrorAfterClosing() {
    FakePlatform platform;
    platform.registry[{Registry::LocalMachine, "K", "V"}] = bytesValue({}, Registry::TypeString);
    std::string value = "incoming";
    QVERIFY_THROWS_EXCEPTION(EmptyRegistryValue,
                             GetKeyValue(platform, Registry::LocalMachine, "K", "V", value));
    QCOMPARE(platform.registryOpenings.size(), 1u);
    QVERIFY(platform.openRegistryKeys.empty());
}

void TestSysInfo::startSysInfo_data() {
    QTest::addColumn<RegistryValue>("pathEntry");
    QTest::addColumn<RegistryValue>("folderEntry");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("startResult");
    QTest::addColumn<std::string>("started"); // empty: nothing started
    QTest::addColumn<bool>("folderEntryRead");
    QTest::addColumn<bool>("unavailable");

    const QStringList none;
    QTest::newRow("path entry started without a test")
        << FakePlatform::textValue("/nowhere/msinfo") << absent() << none << 0
        << std::string("/nowhere/msinfo") << false << false;
    QTest::newRow("path entry with spaces is one program")
        << FakePlatform::textValue("/opt/Common Files/msinfo32") << absent() << none << 0
        << std::string("/opt/Common Files/msinfo32") << false << false;
    QTest::newRow("path entry failing to start")
        << FakePlatform::textValue("/nowhere/msinfo") << FakePlatform::textValue("/opt/tools")
        << QStringList{"/opt/tools/MSINFO32.EXE"} << StartError::FileNotFound
        << std::string("/nowhere/msinfo") << false << true;
    QTest::newRow("folder entry holding the tool")
        << absent() << FakePlatform::textValue("/opt/tools")
        << QStringList{"/opt/tools/MSINFO32.EXE"} << 0 << std::string("/opt/tools/MSINFO32.EXE")
        << true << false;
    QTest::newRow("folder entry without the tool")
        << absent() << FakePlatform::textValue("/opt/tools") << QStringList{"/opt/MSINFO32.EXE"}
        << 0 << std::string() << true << true;
    QTest::newRow("folder ending in a separator doubles it")
        << absent() << FakePlatform::textValue("/opt/tools/")
        << QStringList{"/opt/tools//MSINFO32.EXE"} << 0 << std::string("/opt/tools//MSINFO32.EXE")
        << true << false;
    QTest::newRow("folder entry's tool failing to start")
        << absent() << FakePlatform::textValue("/opt/tools")
        << QStringList{"/opt/tools/MSINFO32.EXE"} << StartError::PermissionDenied
        << std::string("/opt/tools/MSINFO32.EXE") << true << true;
    QTest::newRow("neither entry")
        << absent() << absent() << none << 0 << std::string() << true << true;
    QTest::newRow("unterminated path entry taken whole")
        << FakePlatform::textValue("/usr/bin/hardinfo", false) << absent() << none << 0
        << std::string("/usr/bin/hardinfo") << false << false;
    QTest::newRow("path entry too long counts as absent")
        << FakePlatform::textValue("/" + std::string(1100, 'x'))
        << FakePlatform::textValue("/opt/tools") << QStringList{"/opt/tools/MSINFO32.EXE"} << 0
        << std::string("/opt/tools/MSINFO32.EXE") << true << false;
    QTest::newRow("expandable path entry found but empty")
        << FakePlatform::textValue("/usr/bin/x", true, Registry::TypeExpandString)
        << FakePlatform::textValue("/opt/tools") << QStringList{"/opt/tools/MSINFO32.EXE"} << 0
        << std::string() << false << true;
    QTest::newRow("expandable folder entry looks in the root")
        << absent() << FakePlatform::textValue("/opt/tools", true, Registry::TypeExpandString)
        << QStringList{"/MSINFO32.EXE"} << 0 << std::string("/MSINFO32.EXE") << true << false;
    QTest::newRow("empty path entry ends the attempt")
        << bytesValue({}, Registry::TypeString) << FakePlatform::textValue("/opt/tools")
        << QStringList{"/opt/tools/MSINFO32.EXE"} << 0 << std::string() << false << true;
    QTest::newRow("empty folder entry")
        << absent() << bytesValue({}, Registry::TypeString) << QStringList{"/MSINFO32.EXE"} << 0
        << std::string() << true << true;
}

void TestSysInfo::startSysInfo() {
    QFETCH(RegistryValue, pathEntry);
    QFETCH(RegistryValue, folderEntry);
    QFETCH(QStringList, files);
    QFETCH(int, startResult);
    QFETCH(std::string, started);
    QFETCH(bool, folderEntryRead);
    QFETCH(bool, unavailable);

    FakePlatform platform;
    // The keys exist in every row; only their values differ.
    platform.registry[{Registry::LocalMachine, PathKey, "Other"}] = FakePlatform::textValue("x");
    platform.registry[{Registry::LocalMachine, FolderKey, "Other"}] = FakePlatform::textValue("x");
    if (pathEntry.status == Registry::Success)
        platform.registry[{Registry::LocalMachine, PathKey, PathValue}] = pathEntry;
    if (folderEntry.status == Registry::Success)
        platform.registry[{Registry::LocalMachine, FolderKey, FolderValue}] = folderEntry;
    for (const QString& file : files)
        platform.ordinaryFiles.insert(file.toStdString());
    platform.startResults.push_back(startResult);

    StartSysInfo(platform);

    if (started.empty()) {
        QVERIFY(platform.starts.empty());
    } else {
        QCOMPARE(platform.starts.size(), 1u);
        QCOMPARE(platform.starts[0].program, started);
        QVERIFY(platform.starts[0].style == ShowStyle::NormalActivate);
    }
    QCOMPARE(queried(platform, FolderKey), folderEntryRead);
    QVERIFY(queried(platform, PathKey));
    QVERIFY(platform.openRegistryKeys.empty());
    QVERIFY(platform.openRequests.empty());
    if (unavailable) {
        QCOMPARE(platform.messages.size(), 1u);
        QCOMPARE(platform.messages[0].text,
                 std::string("System Information Is Unavailable At This Time"));
        QCOMPARE(platform.messages[0].title, std::string("Quivanto"));
        QCOMPARE(platform.messages[0].style, 0);
    } else {
        QVERIFY(platform.messages.empty());
    }
}

void TestSysInfo::keysAreOpenedForReadingOnly() {
    FakePlatform platform;
    platform.grantedRegistryAccess = Registry::KeyRead; // an ordinary user
    platform.registry[{Registry::LocalMachine, FolderKey, FolderValue}] =
        FakePlatform::textValue("/opt/tools");
    platform.ordinaryFiles.insert("/opt/tools/MSINFO32.EXE");
    StartSysInfo(platform);
    QCOMPARE(platform.starts.size(), 1u);
    QCOMPARE(platform.starts[0].program, std::string("/opt/tools/MSINFO32.EXE"));
    QCOMPARE(platform.registryOpenings.size(), 2u);
    for (const auto& opening : platform.registryOpenings)
        QCOMPARE(opening.access, 0x20019u);
}

void TestSysInfo::toolSearch_data() {
    // Folders a and b; each file is "folder/name", "!" marking one that is not executable
    // and "/" one that is a folder.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("searchPath"); // folder letters joined by ':'
    QTest::addColumn<QString>("found");      // "folder/name", or empty

    QTest::newRow("the one tool") << QStringList{"a/kinfocenter"} << "a"
                                  << "a/kinfocenter";
    QTest::newRow("empty search path") << QStringList{"a/hardinfo"} << ""
                                       << "";
    QTest::newRow("not executable") << QStringList{"a/!hardinfo"} << "a"
                                    << "";
    QTest::newRow("a folder of that name") << QStringList{"a//hardinfo"} << "a"
                                           << "";
    QTest::newRow("unknown programs") << QStringList{"a/sysinfo"} << "a"
                                      << "";
    QTest::newRow("the list's order before the path's")
        << QStringList{"a/gnome-system-monitor", "b/hardinfo"} << "a:b"
        << "b/hardinfo";
    QTest::newRow("the path's order for one tool")
        << QStringList{"a/hardinfo", "b/hardinfo"} << "b:a"
        << "b/hardinfo";
    QTest::newRow("folders not on the path") << QStringList{"a/hardinfo", "b/kinfocenter"} << "b"
                                             << "b/kinfocenter";
    QTest::newRow("empty entries") << QStringList{"b/xfce4-taskmanager"} << "::b:"
                                   << "b/xfce4-taskmanager";
}

void TestSysInfo::toolSearch() {
    QFETCH(QStringList, files);
    QFETCH(QString, searchPath);
    QFETCH(QString, found);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir(root.path()).mkdir("a");
    QDir(root.path()).mkdir("b");
    for (QString file : files) {
        const QString folder = file.section('/', 0, 0);
        QString name = file.section('/', 1);
        if (name.startsWith('/')) {
            QVERIFY(QDir(root.filePath(folder)).mkdir(name.mid(1)));
            continue;
        }
        const bool executable = !name.startsWith('!');
        if (!executable)
            name = name.mid(1);
        makeExecutable(root.filePath(folder + '/' + name), executable);
    }
    QStringList folders;
    for (const QString& part : searchPath.split(':'))
        folders << (part.isEmpty() ? QString() : root.filePath(part));
    const std::string result = findSystemInformationTool(folders.join(':').toStdString());
    QCOMPARE(QString::fromStdString(result), found.isEmpty() ? QString() : root.filePath(found));
}

void TestSysInfo::toolSearchSkipsTheCurrentFolder() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    makeExecutable(root.filePath("hardinfo"));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root.path()));
    const std::string result = findSystemInformationTool(":.:bin");
    QVERIFY(QDir::setCurrent(before));
    QCOMPARE(result, std::string());
    // The same folder named absolutely is searched.
    QCOMPARE(QString::fromStdString(findSystemInformationTool(root.path().toStdString())),
             root.filePath("hardinfo"));
}

QTEST_GUILESS_MAIN(TestSysInfo)
#include "test_sys_info.moc"
