#include "about/sys_info.h"
#include "platform/desktop/sys_info_tools.h"
#include "platform/sys_info_registry.h"
#include "support/fake_platform.h"
#include "support/fake_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <set>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::FakeRegistry;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(quivanto::RegistryValue)
Q_DECLARE_METATYPE(quivanto::LaunchStatus)

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

RegistryValue text(const std::string& value, bool terminated = true,
                   std::uint32_t type = Registry::TypeString) {
    return FakeRegistry::textValue(value, terminated, type);
}

bool opened(const FakeRegistry& registry, const std::string& key) {
    return std::any_of(registry.openings.begin(), registry.openings.end(),
                       [&](const auto& opening) { return opening.key == key; });
}

std::optional<std::string> lookUp(FakeRegistry& registry, const std::set<std::string>& files) {
    return sysInfoFromRegistry(
        registry, [&](const std::string& path) { return files.count(path) > 0; }, '/');
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
    void registryLookUp_data();
    void registryLookUp();
    void keysAreOpenedForReadingOnly();
    void startSysInfo_data();
    void startSysInfo();
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
    QTest::newRow("text with its zero")
        << text("C:\\a b\\tool.exe") << true << keep << true << std::string("C:\\a b\\tool.exe");
    QTest::newRow("text without a zero is taken whole")
        << text("tool", false) << true << keep << true << std::string("tool");
    QTest::newRow("only the last zero goes") << bytesValue({'a', 'b', 0, 0}, Registry::TypeString)
                                             << true << keep << true << std::string("ab\0", 3);
    QTest::newRow("a lone zero is empty text")
        << bytesValue({0}, Registry::TypeString) << true << keep << true << std::string();
    QTest::newRow("1024 bytes fit the buffer")
        << text(std::string(1023, 'x')) << true << keep << true << std::string(1023, 'x');
    QTest::newRow("1025 bytes count as absent")
        << text(std::string(1024, 'x')) << true << keep << false << std::string();
    QTest::newRow("expandable text leaves the incoming text")
        << text("%SystemRoot%\\x", true, Registry::TypeExpandString) << true << keep << true
        << keep;
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

    FakeRegistry registry;
    if (keyExists)
        registry.values[{Registry::LocalMachine, "K", "V"}] = stored;
    std::string value = incoming;
    QCOMPARE(GetKeyValue(registry, Registry::LocalMachine, "K", "V", value), result);
    QCOMPARE(value, keyVal);
    QVERIFY(registry.openKeys.empty());
    if (keyExists)
        QCOMPARE(registry.bufferSizes, std::vector<std::size_t>{1024});
}

void TestSysInfo::emptyValueIsAnErrorAfterClosing() {
    FakeRegistry registry;
    registry.values[{Registry::LocalMachine, "K", "V"}] = bytesValue({}, Registry::TypeString);
    std::string value = "incoming";
    QVERIFY_THROWS_EXCEPTION(EmptyRegistryValue,
                             GetKeyValue(registry, Registry::LocalMachine, "K", "V", value));
    QCOMPARE(registry.openings.size(), 1u);
    QVERIFY(registry.openKeys.empty());
}

void TestSysInfo::registryLookUp_data() {
    QTest::addColumn<RegistryValue>("pathEntry");
    QTest::addColumn<RegistryValue>("folderEntry");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<std::optional<std::string>>("found");
    QTest::addColumn<bool>("folderEntryRead");

    const QStringList none;
    const std::optional<std::string> nothing;
    QTest::newRow("path entry taken without a test")
        << text("/nowhere/msinfo") << absent() << none
        << std::optional<std::string>("/nowhere/msinfo") << false;
    QTest::newRow("path entry with spaces is one program")
        << text("/opt/Common Files/msinfo32") << absent() << none
        << std::optional<std::string>("/opt/Common Files/msinfo32") << false;
    QTest::newRow("path entry first, folder entry not read")
        << text("/nowhere/msinfo") << text("/opt/tools") << QStringList{"/opt/tools/MSINFO32.EXE"}
        << std::optional<std::string>("/nowhere/msinfo") << false;
    QTest::newRow("folder entry holding the tool")
        << absent() << text("/opt/tools") << QStringList{"/opt/tools/MSINFO32.EXE"}
        << std::optional<std::string>("/opt/tools/MSINFO32.EXE") << true;
    QTest::newRow("folder entry without the tool")
        << absent() << text("/opt/tools") << QStringList{"/opt/MSINFO32.EXE"} << nothing << true;
    QTest::newRow("folder ending in a separator doubles it")
        << absent() << text("/opt/tools/") << QStringList{"/opt/tools//MSINFO32.EXE"}
        << std::optional<std::string>("/opt/tools//MSINFO32.EXE") << true;
    QTest::newRow("neither entry") << absent() << absent() << none << nothing << true;
    QTest::newRow("unterminated path entry taken whole")
        << text("/usr/bin/hardinfo", false) << absent() << none
        << std::optional<std::string>("/usr/bin/hardinfo") << false;
    QTest::newRow("path entry too long counts as absent")
        << text("/" + std::string(1100, 'x')) << text("/opt/tools")
        << QStringList{"/opt/tools/MSINFO32.EXE"}
        << std::optional<std::string>("/opt/tools/MSINFO32.EXE") << true;
    QTest::newRow("expandable path entry found but empty")
        << text("/usr/bin/x", true, Registry::TypeExpandString) << text("/opt/tools")
        << QStringList{"/opt/tools/MSINFO32.EXE"} << nothing << false;
    QTest::newRow("expandable folder entry looks in the root")
        << absent() << text("/opt/tools", true, Registry::TypeExpandString)
        << QStringList{"/MSINFO32.EXE"} << std::optional<std::string>("/MSINFO32.EXE") << true;
    QTest::newRow("empty path entry ends the attempt")
        << bytesValue({}, Registry::TypeString) << text("/opt/tools")
        << QStringList{"/opt/tools/MSINFO32.EXE"} << nothing << false;
    QTest::newRow("empty folder entry") << absent() << bytesValue({}, Registry::TypeString)
                                        << QStringList{"/MSINFO32.EXE"} << nothing << true;
}

void TestSysInfo::registryLookUp() {
    QFETCH(RegistryValue, pathEntry);
    QFETCH(RegistryValue, folderEntry);
    QFETCH(QStringList, files);
    QFETCH(std::optional<std::string>, found);
    QFETCH(bool, folderEntryRead);

    FakeRegistry registry;
    // The keys exist in every row; only their values differ.
    registry.values[{Registry::LocalMachine, PathKey, "Other"}] = text("x");
    registry.values[{Registry::LocalMachine, FolderKey, "Other"}] = text("x");
    if (pathEntry.status == Registry::Success)
        registry.values[{Registry::LocalMachine, PathKey, PathValue}] = pathEntry;
    if (folderEntry.status == Registry::Success)
        registry.values[{Registry::LocalMachine, FolderKey, FolderValue}] = folderEntry;
    std::set<std::string> ordinaryFiles;
    for (const QString& file : files)
        ordinaryFiles.insert(file.toStdString());

    QCOMPARE(lookUp(registry, ordinaryFiles), found);
    QCOMPARE(opened(registry, FolderKey), folderEntryRead);
    QVERIFY(opened(registry, PathKey));
    QVERIFY(registry.openKeys.empty());
}

void TestSysInfo::keysAreOpenedForReadingOnly() {
    FakeRegistry registry;
    registry.grantedAccess = Registry::KeyRead; // an ordinary user
    registry.values[{Registry::LocalMachine, FolderKey, FolderValue}] = text("/opt/tools");
    QCOMPARE(lookUp(registry, {"/opt/tools/MSINFO32.EXE"}),
             std::optional<std::string>("/opt/tools/MSINFO32.EXE"));
    QCOMPARE(registry.openings.size(), 2u);
    for (const auto& opening : registry.openings)
        QCOMPARE(opening.access, 0x20019u);
}

void TestSysInfo::startSysInfo_data() {
    QTest::addColumn<std::optional<std::string>>("tool");
    QTest::addColumn<LaunchStatus>("startResult");
    QTest::addColumn<bool>("unavailable");

    const std::optional<std::string> tool("/opt/Common Files/msinfo32");
    QTest::newRow("started") << tool << LaunchStatus::Started << false;
    QTest::newRow("failing to start") << tool << LaunchStatus::NotFound << true;
    QTest::newRow("refused") << tool << LaunchStatus::AccessRefused << true;
    QTest::newRow("none") << std::optional<std::string>() << LaunchStatus::Started << true;
}

void TestSysInfo::startSysInfo() {
    QFETCH(std::optional<std::string>, tool);
    QFETCH(LaunchStatus, startResult);
    QFETCH(bool, unavailable);

    FakePlatform platform;
    platform.sysInfoTool = tool;
    platform.startResults.push_back({startResult, 2});

    StartSysInfo(platform);

    QCOMPARE(platform.sysInfoQuestions, 1);
    if (tool) {
        // Started once, as named, with its window activated; no second try.
        QCOMPARE(platform.starts.size(), 1u);
        QCOMPARE(platform.starts[0].program, *tool);
        QVERIFY(platform.starts[0].style == ShowStyle::NormalActivate);
    } else {
        QVERIFY(platform.starts.empty());
    }
    QVERIFY(platform.openRequests.empty());
    if (unavailable) {
        QCOMPARE(platform.messages.size(), 1u);
        QCOMPARE(platform.messages[0].text,
                 std::string("System Information Is Unavailable At This Time"));
        QCOMPARE(platform.messages[0].title, std::string("Quivanto"));
        QVERIFY(platform.messages[0].style ==
                (MessageStyle{MessageButtons::Ok, MessageIcon::None, DefaultButton::First}));
    } else {
        QVERIFY(platform.messages.empty());
    }
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
