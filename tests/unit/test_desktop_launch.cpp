#include "platform/desktop/desktop_launch.h"
#include "platform/desktop/desktop_platform.h"
#include "platform/platform.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fstream>

using namespace quivanto;
using namespace quivanto::desktop;

Q_DECLARE_METATYPE(quivanto::desktop::WellKnownProgram)
Q_DECLARE_METATYPE(quivanto::LaunchStatus)

namespace {

void makeFile(const QString& path, const std::string& bytes, bool executable) {
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner;
    QFile::setPermissions(path, permissions);
}

} // namespace

// The desktop back end's decisions about what to start; nothing is started here.
class TestDesktopLaunch final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowsDefaultsHaveStandIns_data();
    void windowsDefaultsHaveStandIns();
    void recognisesAddresses_data();
    void recognisesAddresses();
    void searchesPathForExecutables();
    void locatesTargets_data();
    void locatesTargets();
    void oddTargetsNameOneFileOrNone_data();
    void oddTargetsNameOneFileOrNone();
    void findsProgramsForDirectStart();
    void directStartTellsAMissingEditorApart_data();
    void directStartTellsAMissingEditorApart();
    void tellsProgramsFromDocuments_data();
    void tellsProgramsFromDocuments();
    void startFailuresGetCodes_data();
    void startFailuresGetCodes();
    void readsTheDesktopsTextEditor_data();
    void readsTheDesktopsTextEditor();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousFolder_;
    QString path(const QString& name) const { return dir_->filePath(name); }
};

void TestDesktopLaunch::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    previousFolder_ = QDir::currentPath();
}

void TestDesktopLaunch::cleanup() {
    QDir::setCurrent(previousFolder_);
}

void TestDesktopLaunch::windowsDefaultsHaveStandIns_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<WellKnownProgram>("program");
    QTest::newRow("explorer.exe") << "explorer.exe" << WellKnownProgram::FileManager;
    QTest::newRow("letter case does not matter") << "EXPLORER.EXE" << WellKnownProgram::FileManager;
    QTest::newRow("notepad.exe") << "notepad.exe" << WellKnownProgram::TextEditor;
    QTest::newRow("with a folder it is a file") << "/opt/notepad.exe" << WellKnownProgram::None;
    QTest::newRow("without the extension") << "notepad" << WellKnownProgram::None;
}

void TestDesktopLaunch::windowsDefaultsHaveStandIns() {
    QFETCH(QString, target);
    QFETCH(WellKnownProgram, program);
    QCOMPARE(wellKnownProgram(target.toStdString()), program);
}

void TestDesktopLaunch::recognisesAddresses_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("address");
    QTest::newRow("web") << "https://example.org/q?a=1" << true;
    QTest::newRow("file URL") << "file:///tmp/a.txt" << true;
    QTest::newRow("mail") << "mailto:ann@example.org" << true;
    QTest::newRow("drive letter") << "C://Tools" << false;
    QTest::newRow("Windows path") << "C:\\Tools\\x.exe" << false;
    QTest::newRow("Linux path") << "/home/ann/a://b" << false;
    QTest::newRow("option-like") << "-x://y" << false;
    QTest::newRow("zero byte") << QString::fromLatin1("https://a.org/\0x", 16) << false;
}

void TestDesktopLaunch::recognisesAddresses() {
    QFETCH(QString, target);
    QFETCH(bool, address);
    QCOMPARE(looksLikeUrl(target.toStdString()), address);
}

void TestDesktopLaunch::searchesPathForExecutables() {
    QDir root(dir_->path());
    for (const char* folder : {"plain", "folder", "bin", "later"})
        QVERIFY(root.mkdir(folder));
    makeFile(path("plain/tool"), "#!/bin/sh\n", false); // not executable
    QVERIFY(root.mkpath("folder/tool"));                // a folder of that name
    makeFile(path("bin/tool"), "#!/bin/sh\n", true);
    makeFile(path("later/tool"), "#!/bin/sh\n", true);
    const std::string list =
        (path("plain") + "::" + path("folder") + ":" + path("bin") + "/:" + path("later"))
            .toStdString();
    QCOMPARE(QString::fromStdString(findOnPath("tool", list)), path("bin/tool"));
    QCOMPARE(findOnPath("missing", list), std::string());
    QCOMPARE(findOnPath("bin/tool", dir_->path().toStdString()), std::string());
    QCOMPARE(findOnPath("", list), std::string());
    // An empty entry is not the current folder.
    QDir::setCurrent(path("bin"));
    QCOMPARE(findOnPath("tool", ":"), std::string());
}

void TestDesktopLaunch::locatesTargets_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("located"); // relative to the test folder; "" for none
    QTest::newRow("document in the current folder") << "Help.html"
                                                    << "Help.html";
    QTest::newRow("relative path") << "docs/readme.txt"
                                   << "docs/readme.txt";
    QTest::newRow("name beginning with a dash") << "-rf"
                                                << "-rf";
    QTest::newRow("absolute path") << "ABS:docs/readme.txt"
                                   << "docs/readme.txt";
    QTest::newRow("bare program name from PATH") << "runme"
                                                 << "bin/runme";
    QTest::newRow("missing file") << "gone.txt"
                                  << "";
    QTest::newRow("missing folder in a path") << "nowhere/runme"
                                              << "";
    QTest::newRow("Windows path") << "C:\\Windows\\notepad.exe"
                                  << "";
    QTest::newRow("empty target") << ""
                                  << "";
}

void TestDesktopLaunch::locatesTargets() {
    QFETCH(QString, target);
    QFETCH(QString, located);
    QDir root(dir_->path());
    QVERIFY(root.mkpath("docs") && root.mkpath("bin") && root.mkpath("cwd"));
    makeFile(path("Help.html"), "<html></html>", false);
    makeFile(path("-rf"), "", false);
    makeFile(path("docs/readme.txt"), "text", false);
    makeFile(path("bin/runme"), "#!/bin/sh\n", true);
    QDir::setCurrent(dir_->path());
    if (target.startsWith("ABS:"))
        target = path(target.mid(4));
    const std::string found = locateTarget(target.toStdString(), path("bin").toStdString());
    QCOMPARE(QString::fromStdString(found), located.isEmpty() ? QString() : path(located));
}

void TestDesktopLaunch::oddTargetsNameOneFileOrNone_data() {
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QByteArray>("located"); // the file's name in the test folder; "" for none
    for (const QByteArray& name :
         {QByteArray("$(touch pwned).txt"), QByteArray("a;b && c | d"), QByteArray("`id`'\"*?"),
          QByteArray("caf\xe9 \xff.txt"), QByteArray("-rf --help"), QByteArray("two\nlines"),
          QByteArray("two\rlines")}) {
        QTest::addRow("relative: %s", name.toPercentEncoding().constData()) << name << name;
        QTest::addRow("absolute: %s", name.toPercentEncoding().constData())
            << QByteArray("ABS:" + name) << name;
    }
    // The system would read the name only up to the zero byte and find Help.html.
    QTest::newRow("zero byte") << QByteArray("Help.html\0 and more", 19) << QByteArray();
    QTest::newRow("4,096 characters") << QByteArray("ABS:" + QByteArray(4096, 'n')) << QByteArray();
}

// What xdg-open would be given: the one file the target names, as an absolute path (never
// taken for an option), or nothing at all.
void TestDesktopLaunch::oddTargetsNameOneFileOrNone() {
    QFETCH(QByteArray, target);
    QFETCH(QByteArray, located);
    const std::string folder = dir_->path().toStdString() + "/";
    makeFile(path("Help.html"), "<html></html>", false);
    if (!located.isEmpty())
        std::ofstream(folder + located.toStdString()) << "x";
    QDir::setCurrent(dir_->path());
    std::string given = target.toStdString();
    if (given.starts_with("ABS:"))
        given = folder + given.substr(4);
    const std::string found = locateTarget(given, "/usr/bin:/bin");
    QCOMPARE(QByteArray::fromStdString(found),
             located.isEmpty() ? QByteArray() : QByteArray::fromStdString(folder) + located);
}

void TestDesktopLaunch::findsProgramsForDirectStart() {
    QVERIFY(QDir(dir_->path()).mkpath("bin"));
    makeFile(path("bin/runme"), "#!/bin/sh\n", true);
    const std::string bin = path("bin").toStdString();
    QCOMPARE(QString::fromStdString(programPath("runme", bin)), path("bin/runme"));
    QCOMPARE(programPath("/opt/tool --flag", bin), std::string("/opt/tool --flag"));
    QCOMPARE(programPath(std::string("runme\0x", 7), bin), std::string());
    QCOMPARE(programPath(std::string("/bin/sh\0 -c evil", 17), bin), std::string());
    QCOMPARE(programPath("missing", bin), std::string());
}

void TestDesktopLaunch::directStartTellsAMissingEditorApart_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<LaunchStatus>("status");
    QTest::newRow("the default Notepad item") << "notepad.exe" << LaunchStatus::NoProgramForFile;
    QTest::newRow("in any letter case") << "NotePad.EXE" << LaunchStatus::NoProgramForFile;
    QTest::newRow("another missing program") << "wordpad.exe" << LaunchStatus::NotFound;
    QTest::newRow("a missing file of that name") << "/opt/notepad.exe" << LaunchStatus::NotFound;
}

// With no editor on PATH the Notepad item is not gone: the system lacks an editor, and the
// user is told that instead of being told to remove the item. Nothing is started here.
void TestDesktopLaunch::directStartTellsAMissingEditorApart() {
    QFETCH(QString, program);
    QFETCH(LaunchStatus, status);
    const QByteArray previousPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir_->path()));
    DesktopPlatform platform;
    const LaunchResult started =
        platform.directStart(program.toStdString(), ShowStyle::NormalNoActivate);
    qputenv("PATH", previousPath);
    QCOMPARE(started.status, status);
}

void TestDesktopLaunch::tellsProgramsFromDocuments_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("program");
    QTest::newRow("compiled program") << QByteArray("\x7f"
                                                    "ELF\x02\x01",
                                                    6)
                                      << true << true;
    QTest::newRow("script") << QByteArray("#!/bin/sh\necho hi\n") << true << true;
    QTest::newRow("document marked executable") << QByteArray("%PDF-1.7") << true << false;
    QTest::newRow("empty file marked executable") << QByteArray() << true << false;
    QTest::newRow("script not marked executable") << QByteArray("#!/bin/sh\n") << false << false;
}

void TestDesktopLaunch::tellsProgramsFromDocuments() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, executable);
    QFETCH(bool, program);
    makeFile(path("file"), bytes.toStdString(), executable);
    QCOMPARE(isProgramFile(path("file").toStdString()), program);
    QVERIFY(!isProgramFile(dir_->path().toStdString())); // a folder never is
}

void TestDesktopLaunch::startFailuresGetCodes_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<LaunchStatus>("status");
    QTest::newRow("no such file") << int(ENOENT) << LaunchStatus::NotFound;
    QTest::newRow("folder in the path is a file") << int(ENOTDIR) << LaunchStatus::NotFound;
    QTest::newRow("permission denied") << int(EACCES) << LaunchStatus::AccessRefused;
    QTest::newRow("not permitted") << int(EPERM) << LaunchStatus::AccessRefused;
    QTest::newRow("not executable") << int(ENOEXEC) << LaunchStatus::AccessRefused;
    QTest::newRow("input/output error") << int(EIO) << LaunchStatus::Other;
    QTest::newRow("too many links") << int(ELOOP) << LaunchStatus::Other;
}

void TestDesktopLaunch::startFailuresGetCodes() {
    QFETCH(int, error);
    QFETCH(LaunchStatus, status);
    QCOMPARE(launchResultForErrno(error), (LaunchResult{status, error}));
}

void TestDesktopLaunch::readsTheDesktopsTextEditor_data() {
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("id");
    QTest::newRow("ordinary") << QByteArray("org.gnome.TextEditor.desktop\n")
                              << QByteArray("org.gnome.TextEditor.desktop");
    QTest::newRow("trailing spaces")
        << QByteArray("kate.desktop  \n") << QByteArray("kate.desktop");
    QTest::newRow("nothing set") << QByteArray("\n") << QByteArray();
    QTest::newRow("not a desktop file") << QByteArray("vim\n") << QByteArray();
    QTest::newRow("option-like") << QByteArray("-x.desktop\n") << QByteArray();
    QTest::newRow("a path") << QByteArray("../evil.desktop\n") << QByteArray();
}

void TestDesktopLaunch::readsTheDesktopsTextEditor() {
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, id);
    QCOMPARE(QByteArray::fromStdString(desktopIdFromQuery(output.toStdString())), id);
}

QTEST_GUILESS_MAIN(TestDesktopLaunch)
#include "test_desktop_launch.moc"
