#include "commands/command_messages.h"
#include "core/item_line.h"
#include "dialogs/add_item_rules.h"
#include "dialogs/browse_paths.h"
#include "dialogs/folder_listing.h"
#include "dialogs/properties_rules.h"
#include "platform/desktop/desktop_volumes.h"
#include "support/fake_platform.h"

#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

using namespace quivanto;

namespace {

std::string row(const std::string& description, const std::string& target) {
    return makeItemLine(description, target);
}

std::vector<std::string> toRows(const QStringList& rows) {
    std::vector<std::string> result;
    for (const auto& text : rows)
        result.push_back(text.toStdString());
    return result;
}

QStringList toList(const std::vector<std::string>& items) {
    QStringList list;
    for (const auto& item : items)
        list << QString::fromStdString(item);
    return list;
}

} // namespace

class TestItemDialogRules final : public QObject {
    Q_OBJECT
private slots:
    void joinsTargets_data();
    void joinsTargets();
    void proposesDescriptions_data();
    void proposesDescriptions();
    void shortensOnlyLongDescriptions_data();
    void shortensOnlyLongDescriptions();
    void scansTargetThenDescriptionRowByRow_data();
    void scansTargetThenDescriptionRowByRow();
    void addRefusalsNameTheMatchingRow();
    void checksPropertiesDescriptionsTrimmed_data();
    void checksPropertiesDescriptionsTrimmed();
    void propertiesMessagesAreExact();
    void showsFieldsTrimmed();
    void walksFolderChains_data();
    void walksFolderChains();
    void findsTheDriveOfAFolder_data();
    void findsTheDriveOfAFolder();
    void keepsOnlyVolumesAUserKnows_data();
    void keepsOnlyVolumesAUserKnows();
    void listsFoldersAndFilesWithoutHiddenOnes();
    void unreadableFolderListsNothing();
    void placesAddDialogBesideTheList_data();
    void placesAddDialogBesideTheList();
};

void TestItemDialogRules::joinsTargets_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("target");
    QTest::newRow("file in a folder") << "/usr/bin"
                                      << "gedit" << '/' << "/usr/bin/gedit";
    QTest::newRow("file in the root: no doubled separator") << "/"
                                                            << "vmlinuz" << '/' << "/vmlinuz";
    QTest::newRow("no file: folder keeps a trailing separator") << "/home/ann/Music"
                                                                << "" << '/' << "/home/ann/Music/";
    QTest::newRow("no file in the root: the root itself") << "/"
                                                          << "" << '/' << "/";
    QTest::newRow("mounted volume is joined like a folder") << "/media/usb"
                                                            << "a.txt" << '/' << "/media/usb/a.txt";
    QTest::newRow("drive root with backslashes") << "C:\\"
                                                 << "boot.ini" << '\\' << "C:\\boot.ini";
    QTest::newRow("folder with backslashes, no file") << "C:\\Program Files"
                                                      << "" << '\\' << "C:\\Program Files\\";
}

void TestItemDialogRules::joinsTargets() {
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(char, separator);
    QFETCH(QString, target);
    QCOMPARE(
        QString::fromStdString(joinTarget(folder.toStdString(), file.toStdString(), separator)),
        target);
}

void TestItemDialogRules::proposesDescriptions_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("proposal");
    QTest::newRow("root") << "/" << '/' << "Drive: /";
    QTest::newRow("mounted volume offered by the drive list")
        << "/media/usb" << '/' << "Drive: /media/usb";
    QTest::newRow("folder below a volume") << "/media/usb/photos" << '/' << "Folder: photos";
    QTest::newRow("folder in the root") << "/media" << '/' << "Folder: media";
    QTest::newRow("folder with spaces") << "/home/ann/My Music" << '/' << "Folder: My Music";
    QTest::newRow("drive letter root") << "C:\\" << '\\' << "Drive: C:\\";
    QTest::newRow("drive letter folder") << "C:\\Windows" << '\\' << "Folder: Windows";
}

void TestItemDialogRules::proposesDescriptions() {
    QFETCH(QString, folder);
    QFETCH(char, separator);
    QFETCH(QString, proposal);
    const std::vector<std::string> roots{"/", "/media/usb", "C:\\"};
    QCOMPARE(QString::fromStdString(folderProposal(folder.toStdString(), roots, separator)),
             proposal);
}

void TestItemDialogRules::shortensOnlyLongDescriptions_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty stays empty") << ""
                                       << "";
    QTest::newRow("30 characters stay whole") << QString(30, 'x') << QString(30, 'x');
    QTest::newRow("31: first 14, tilde, last 15") << "abcdefghijklmnopqrstuvwxyz01234"
                                                  << "abcdefghijklmn~qrstuvwxyz01234";
    QTest::newRow("long folder proposal") << "Folder: A folder with a rather long name"
                                          << "Folder: A fold~ather long name";
    QTest::newRow("characters, not bytes") << QString(20, QChar(0xE9)) + QString(20, 'b')
                                           << QString(14, QChar(0xE9)) + "~" + QString(15, 'b');
}

void TestItemDialogRules::shortensOnlyLongDescriptions() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    const std::string result = storedDescription(typed.toStdString());
    QCOMPARE(QString::fromStdString(result), stored);
    // Whatever was typed, the separator stays at character 31.
    QCOMPARE(QString::fromStdString(makeItemLine(result, "/t")).indexOf('|'), 30);
}

void TestItemDialogRules::scansTargetThenDescriptionRowByRow_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("match");
    QTest::addColumn<int>("row");
    const auto r = [](const char* d, const char* t) {
        return QString::fromStdString(row(d, t));
    };
    const QStringList six{r("Alpha", "/a"), r("Beta", "/b"), r("Gamma", "/g"),
                          r("Delta", "/d"), r("Eps", "/e"),  r("Zeta", "/z")};
    constexpr int none = 0;
    constexpr int target = 1;
    constexpr int description = 2;
    QTest::newRow("description on row 2 before target on row 5") << six << "Gamma"
                                                                 << "/z" << description << 2;
    QTest::newRow("target on row 1 before description on row 4") << six << "Eps"
                                                                 << "/b" << target << 1;
    QTest::newRow("both on one row: the target decides") << six << "Delta"
                                                         << "/d" << target << 3;
    QTest::newRow("no match") << six << "Theta"
                              << "/t" << none << 0;
    QTest::newRow("target differing in case only is new") << six << "Theta"
                                                          << "/A" << none << 0;
    QTest::newRow("description differing in case only is new") << six << "alpha"
                                                               << "/t" << none << 0;
    QTest::newRow("description with a leading space is new") << six << " Alpha"
                                                             << "/t" << none << 0;
    QTest::newRow("trailing spaces give the same field") << six << "Beta    "
                                                         << "/t" << description << 1;
    QTest::newRow("second empty description is refused") << QStringList{r("", "/x")} << ""
                                                         << "/y" << description << 0;
    QTest::newRow("empty list adds") << QStringList{} << "Anything"
                                     << "/a" << none << 0;
}

void TestItemDialogRules::scansTargetThenDescriptionRowByRow() {
    QFETCH(QStringList, rows);
    QFETCH(QString, description);
    QFETCH(QString, target);
    QFETCH(int, match);
    QFETCH(int, row);
    const AddItemScan scan = scanForDuplicate(toRows(rows), target.toStdString(),
                                              padDescription(description.toStdString()));
    QCOMPARE(static_cast<int>(scan.match), match);
    if (scan.match != AddItemScan::Match::None)
        QCOMPARE(static_cast<int>(scan.row), row);
}

void TestItemDialogRules::addRefusalsNameTheMatchingRow() {
    const std::string existing = "Notepad                       |/usr/bin/notepad";
    const Message byTarget = duplicateTargetMessage(existing);
    QCOMPARE(byTarget.text,
             std::string("The file name that you selected is already in your Quivanto list.\r\r"
                         "DESCRIPTION: Notepad                       \r"
                         "FILE NAME: /usr/bin/notepad"));
    QCOMPARE(byTarget.title, std::string("Quivanto - Duplicate Item!"));
    QCOMPARE(byTarget.style, quivanto::testing::OkWithExclamation);
    const Message byDescription = duplicateDescriptionMessage(existing);
    QCOMPARE(byDescription.text,
             std::string("The file description that you provided is already in your Quivanto "
                         "list.\r\rDESCRIPTION: Notepad                       \r"
                         "FILE NAME: /usr/bin/notepad"));
    QCOMPARE(byDescription.title, std::string("Quivanto - Duplicate Item!"));
    QCOMPARE(byDescription.style, quivanto::testing::OkWithExclamation);
}

void TestItemDialogRules::checksPropertiesDescriptionsTrimmed_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("takenRow"); // -1: accepted
    const auto r = [](const char* d, const char* t) {
        return QString::fromStdString(row(d, t));
    };
    const QStringList list{r("Explorer", "/e"), r("Notepad", "/n"), r("Zed", "/z")};
    QTest::newRow("another row's description") << list << "Explorer" << 0;
    QTest::newRow("the item's own in other case is accepted") << list << "notepad" << -1;
    QTest::newRow("trailing space is not found") << list << "Explorer " << -1;
    QTest::newRow("leading space is not found") << list << " Zed" << -1;
    QTest::newRow("empty accepted without an all-space row") << list << "" << -1;
    QTest::newRow("empty refused beside an all-space row")
        << (QStringList(list) << r("", "/blank")) << "" << 3;
    QTest::newRow("padded description of a row counts trimmed")
        << QStringList{"  Spaced                      |/s"} << "Spaced" << 0;
}

void TestItemDialogRules::checksPropertiesDescriptionsTrimmed() {
    QFETCH(QStringList, rows);
    QFETCH(QString, typed);
    QFETCH(int, takenRow);
    const auto taken = rowWithDescription(toRows(rows), typed.toStdString());
    QCOMPARE(taken ? static_cast<int>(*taken) : -1, takenRow);
}

void TestItemDialogRules::propertiesMessagesAreExact() {
    const Message taken = descriptionTakenMessage(" Explorer                     |  /usr/bin/x  ");
    QCOMPARE(taken.text,
             std::string("The file description that you provided is already in your Quivanto "
                         "list.\rPlease enter a unique description for this item.\r\r"
                         "DESCRIPTION: Explorer\rFILE NAME: /usr/bin/x"));
    QCOMPARE(taken.title, std::string("Quivanto - Duplicate Item!"));
    QCOMPARE(taken.style, quivanto::testing::OkWithExclamation);

    const Message none = noSelectionMessage(); // the remove command says the same
    QCOMPARE(none.text, std::string("You must first select an item from your list."));
    QCOMPARE(none.title, std::string("Quivanto"));
    QCOMPARE(none.style, quivanto::testing::OkOnly);

    const ShownItem item{"Notes", "/home/ann/notes.txt"};
    const Message gone = itemGoneMessage(item);
    QVERIFY(gone.text.ends_with("\r\rDESCRIPTION: Notes\rFILE NAME: /home/ann/notes.txt"));
    QCOMPARE(gone.style, quivanto::testing::OkWithExclamation);
    const Message notInFile = itemNotInListFileMessage("/home/ann/list.dat", item);
    QVERIFY(notInFile.text.find("\"/home/ann/list.dat\"") != std::string::npos);
    const Message failed = descriptionNotSavedMessage("Could not write \"/x/temp.dat\": Full.");
    QVERIFY(failed.text.starts_with("Could not write \"/x/temp.dat\": Full.\r\r"));
    QCOMPARE(failed.title, std::string("Quivanto - Error Occured!"));
}

void TestItemDialogRules::showsFieldsTrimmed() {
    const ShownItem item = shownItem("Notepad                       |  /usr/bin/notepad ");
    QCOMPARE(item.description, std::string("Notepad"));
    QCOMPARE(item.target, std::string("/usr/bin/notepad"));
    const ShownItem empty = shownItem("");
    QVERIFY(empty.description.empty() && empty.target.empty());
}

void TestItemDialogRules::walksFolderChains_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QStringList>("chain");
    QTest::addColumn<QString>("name");
    QTest::newRow("root") << "/" << '/' << QStringList{"/"} << "/";
    QTest::newRow("nested") << "/home/ann/Music" << '/'
                            << QStringList{"/", "/home", "/home/ann", "/home/ann/Music"} << "Music";
    QTest::newRow("drive letter") << "C:\\Windows\\System" << '\\'
                                  << QStringList{"C:\\", "C:\\Windows", "C:\\Windows\\System"}
                                  << "System";
}

void TestItemDialogRules::walksFolderChains() {
    QFETCH(QString, folder);
    QFETCH(char, separator);
    QFETCH(QStringList, chain);
    QFETCH(QString, name);
    QCOMPARE(toList(folderChain(folder.toStdString(), separator)), chain);
    QCOMPARE(QString::fromStdString(std::string(lastName(folder.toStdString(), separator))), name);
}

void TestItemDialogRules::findsTheDriveOfAFolder_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("drive");
    QTest::newRow("root folder") << "/"
                                 << "/";
    QTest::newRow("ordinary folder") << "/home/ann"
                                     << "/";
    QTest::newRow("volume root") << "/media/usb"
                                 << "/media/usb";
    QTest::newRow("inside a volume: the longest root") << "/media/usb/photos"
                                                       << "/media/usb";
    QTest::newRow("name sharing a prefix is not inside") << "/media/usb2"
                                                         << "/";
}

void TestItemDialogRules::findsTheDriveOfAFolder() {
    QFETCH(QString, folder);
    QFETCH(QString, drive);
    const std::vector<std::string> roots{"/", "/media/usb"};
    QCOMPARE(QString::fromStdString(driveOfFolder(folder.toStdString(), roots, '/')), drive);
}

void TestItemDialogRules::keepsOnlyVolumesAUserKnows_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("shown");
    QTest::newRow("root") << "/"
                          << "ext4" << true;
    QTest::newRow("usb stick") << "/media/ann/STICK"
                               << "vfat" << true;
    QTest::newRow("udisks media") << "/run/media/ann/DISC"
                                  << "iso9660" << true;
    QTest::newRow("second disk") << "/home"
                                 << "ext4" << true;
    QTest::newRow("network share") << "/mnt/share"
                                   << "cifs" << true;
    QTest::newRow("proc") << "/proc"
                          << "proc" << false;
    QTest::newRow("sysfs") << "/sys"
                           << "sysfs" << false;
    QTest::newRow("run time tmpfs") << "/run/user/1000"
                                    << "tmpfs" << false;
    QTest::newRow("run lock on ext4 still a system place") << "/run/lock"
                                                           << "ext4" << false;
    QTest::newRow("container overlay") << "/var/lib/docker/x"
                                       << "overlay" << false;
    QTest::newRow("snap") << "/snap/core/1"
                          << "squashfs" << false;
    QTest::newRow("bind mount of a file place") << "/etc/hosts"
                                                << "ext4" << false;
    QTest::newRow("boot partition") << "/boot/efi"
                                    << "vfat" << false;
    QTest::newRow("desktop's virtual files") << "/run/user/1000/gvfs"
                                             << "fuse.gvfsd-fuse" << false;
}

void TestItemDialogRules::keepsOnlyVolumesAUserKnows() {
    QFETCH(QString, root);
    QFETCH(QString, type);
    QFETCH(bool, shown);
    QCOMPARE(isUserVolume(root.toStdString(), type.toStdString()), shown);
}

void TestItemDialogRules::listsFoldersAndFilesWithoutHiddenOnes() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path root = dir.path().toStdString();
    for (const char* folder : {"beta", "Alpha", ".hidden"})
        std::filesystem::create_directory(root / folder);
    for (const char* file : {"b.txt", "A.txt", ".profile", "line\nbreak"})
        std::ofstream(root / file) << "x";
    std::filesystem::create_directory_symlink(root / "beta", root / "link to beta");
    std::filesystem::create_symlink(root / "missing", root / "broken link");

    testing::FakePlatform platform;
    const auto listing = listFolder(platform, root.string());
    QVERIFY(listing.has_value());
    QCOMPARE(toList(listing->folders), (QStringList{"Alpha", "beta", "link to beta"}));
    QCOMPARE(toList(listing->files), (QStringList{"A.txt", "b.txt"}));
}

void TestItemDialogRules::unreadableFolderListsNothing() {
    QTemporaryDir dir;
    testing::FakePlatform platform;
    QVERIFY(!listFolder(platform, (dir.path() + "/not there").toStdString()).has_value());
    std::ofstream((dir.path() + "/plain").toStdString()) << "x";
    QVERIFY(!listFolder(platform, (dir.path() + "/plain").toStdString()).has_value());
}

void TestItemDialogRules::placesAddDialogBesideTheList_data() {
    QTest::addColumn<int>("panel"); // a PanelSide
    QTest::addColumn<float>("listLeft");
    QTest::addColumn<float>("listTop");
    QTest::addColumn<float>("left");   // the dialog's outer corner, -1: beside the list
    QTest::addColumn<float>("bottom"); // the dialog's outer bottom
    // The list window is 3945 x 1440 twips; the screen 1024 x 768 pixels.
    QTest::newRow("no panel: on the list's bottom line, 425 above the screen's bottom")
        << static_cast<int>(PanelSide::None) << 737.f * 15 << 11520.f - 1440 - 425 << -1.f
        << 11520.f - 425;
    QTest::newRow("bottom taskbar of 48 px: just above it")
        << static_cast<int>(PanelSide::Bottom) << 737.f * 15 << 720.f * 15 - 1440 << -1.f
        << 720.f * 15;
    QTest::newRow("left panel: no room left of the list, so right of it")
        << static_cast<int>(PanelSide::Left) << 30.f * 15 << 5000.f << 30.f * 15 + 3945 << 6440.f;
    QTest::newRow("top panel: a list shorter than the dialog, top on the work area's")
        << static_cast<int>(PanelSide::Top) << 737.f * 15 << 30.f * 15 << -1.f
        << 30.f * 15 + 4230 + (24 + 4) * 15;
}

void TestItemDialogRules::placesAddDialogBesideTheList() {
    QFETCH(int, panel);
    QFETCH(float, listLeft);
    QFETCH(float, listTop);
    QFETCH(float, left);
    QFETCH(float, bottom);
    // The frame: 4 px wide, a 24 px title.
    const float frameWidth = 5760 + 2 * 4 * 15;
    const float frameHeight = 4230 + (24 + 4) * 15;
    ListWindowArea area;
    area.panel = static_cast<PanelSide>(panel);
    area.screen = {0, 0, 15360, 11520};
    area.workArea = area.screen;
    if (area.panel == PanelSide::Bottom)
        area.workArea.bottom = 720 * 15;
    if (area.panel == PanelSide::Left)
        area.workArea.left = 30 * 15;
    if (area.panel == PanelSide::Top)
        area.workArea.top = 30 * 15;
    ListWindowGeometry list;
    list.left = listLeft;
    list.top = listTop;
    list.height = 1440;
    const TwipsPoint place = addDialogPosition(list, area, frameWidth, frameHeight);
    QCOMPARE(place.left, left < 0 ? listLeft - frameWidth : left);
    QCOMPARE(place.top + frameHeight, bottom);
    QVERIFY(place.left >= area.workArea.left && place.top >= area.workArea.top);
}

QTEST_GUILESS_MAIN(TestItemDialogRules)
#include "test_item_dialog_rules.moc"
