#include "commands/command_messages.h"
#include "commands/failure_code.h"
#include "commands/launch_decision.h"
#include "commands/remove_decision.h"
#include "core/list_file.h"
#include "support/fake_platform.h"

#include <QtTest>

#include <new>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::OkOnly;
using quivanto::testing::OkWithExclamation;
using quivanto::testing::YesNoQuestionDefaultNo;

Q_DECLARE_METATYPE(quivanto::LaunchStatus)
Q_DECLARE_METATYPE(quivanto::MessageStyle)
Q_DECLARE_METATYPE(quivanto::RemoveCheck)
Q_DECLARE_METATYPE(quivanto::Message)

namespace {

const std::string Line = "My Notes                      |/home/ann/notes.txt";

} // namespace

class TestCommandDecisions final : public QObject {
    Q_OBJECT
private slots:
    void launchOpensThenStarts_data();
    void launchOpensThenStarts();
    void launchPassesTheTargetUnchanged();
    void launchTellsOnlyFailures();
    void removeChecksCountBeforeSelection_data();
    void removeChecksCountBeforeSelection();
    void selectionMovesToTheRowAbove_data();
    void selectionMovesToTheRowAbove();
    void messagesAreExact_data();
    void messagesAreExact();
    void failuresGetNumbers_data();
    void failuresGetNumbers();
};

void TestCommandDecisions::launchOpensThenStarts_data() {
    QTest::addColumn<LaunchStatus>("opened");
    QTest::addColumn<LaunchStatus>("started");
    QTest::addColumn<int>("starts");
    QTest::addColumn<LaunchStatus>("outcome");
    QTest::newRow("accepted open request")
        << LaunchStatus::Started << LaunchStatus::Started << 0 << LaunchStatus::Started;
    QTest::newRow("refused open request: direct start succeeds")
        << LaunchStatus::Other << LaunchStatus::Started << 1 << LaunchStatus::Started;
    QTest::newRow("no such file") << LaunchStatus::NotFound << LaunchStatus::NotFound << 1
                                  << LaunchStatus::NotFound;
    QTest::newRow("no text editor to stand in")
        << LaunchStatus::NoProgramForFile << LaunchStatus::NoProgramForFile << 1
        << LaunchStatus::NoProgramForFile;
    QTest::newRow("permission denied")
        << LaunchStatus::NoProgramForFile << LaunchStatus::AccessRefused << 1
        << LaunchStatus::AccessRefused;
    QTest::newRow("path access") << LaunchStatus::Other << LaunchStatus::Other << 1
                                 << LaunchStatus::Other;
}

void TestCommandDecisions::launchOpensThenStarts() {
    QFETCH(LaunchStatus, opened);
    QFETCH(LaunchStatus, started);
    QFETCH(int, starts);
    QFETCH(LaunchStatus, outcome);
    FakePlatform platform;
    platform.openResults = {{opened, 1}};
    platform.startResults = {{started, 2}};
    const LaunchResult result = launchTarget(platform, "/usr/bin/xterm");
    QCOMPARE(result.status, outcome);
    QCOMPARE(platform.openRequests, std::vector<std::string>{"/usr/bin/xterm"});
    QCOMPARE(platform.starts.size(), static_cast<std::size_t>(starts));
    if (starts > 0) {
        QCOMPARE(platform.starts[0].program, std::string("/usr/bin/xterm"));
        QVERIFY(platform.starts[0].style == ShowStyle::NormalNoActivate);
    }
}

void TestCommandDecisions::launchPassesTheTargetUnchanged() {
    FakePlatform platform;
    platform.openResults = {{LaunchStatus::NotFound, 2}};
    launchTarget(platform, "  /srv/a|b ");
    QCOMPARE(platform.openRequests, std::vector<std::string>{"  /srv/a|b "});
    QCOMPARE(platform.starts.at(0).program, std::string("  /srv/a|b "));
}

void TestCommandDecisions::launchTellsOnlyFailures() {
    QVERIFY(!launchMessage({LaunchStatus::Started, 0}, Line));
    QCOMPARE(launchMessage({LaunchStatus::NotFound, 2}, Line), fileNotFoundMessage(Line));
    QCOMPARE(launchMessage({LaunchStatus::NoProgramForFile, 0}, Line), noTextEditorMessage(Line));
    // Failures the user can do nothing about are told by the program's own numbers.
    QCOMPARE(launchMessage({LaunchStatus::AccessRefused, 13}, Line), unexpectedErrorMessage(70));
    QCOMPARE(launchMessage({LaunchStatus::Other, 193}, Line), unexpectedErrorMessage(75));
}

void TestCommandDecisions::removeChecksCountBeforeSelection_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selected");
    QTest::addColumn<RemoveCheck>("check");
    QTest::newRow("last item, selected") << 1 << 0 << RemoveCheck::LastItem;
    QTest::newRow("last item, not selected") << 1 << -1 << RemoveCheck::LastItem;
    QTest::newRow("empty list") << 0 << -1 << RemoveCheck::NoSelection;
    QTest::newRow("nothing selected") << 3 << -1 << RemoveCheck::NoSelection;
    QTest::newRow("first of two") << 2 << 0 << RemoveCheck::Confirm;
    QTest::newRow("last of three") << 3 << 2 << RemoveCheck::Confirm;
}

void TestCommandDecisions::removeChecksCountBeforeSelection() {
    QFETCH(int, count);
    QFETCH(int, selected);
    QFETCH(RemoveCheck, check);
    QCOMPARE(checkRemove(count, selected), check);
}

void TestCommandDecisions::selectionMovesToTheRowAbove_data() {
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("selected");
    QTest::newRow("first row: the new first row") << 0 << 0;
    QTest::newRow("second row: the first") << 1 << 0;
    QTest::newRow("row 7: row 6") << 7 << 6;
}

void TestCommandDecisions::selectionMovesToTheRowAbove() {
    QFETCH(int, removed);
    QFETCH(int, selected);
    QCOMPARE(selectionAfterRemoving(removed), selected);
}

void TestCommandDecisions::messagesAreExact_data() {
    QTest::addColumn<Message>("message");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<MessageStyle>("style");
    const QByteArray block = "\r\rDESCRIPTION: My Notes                      \r"
                             "FILE NAME: /home/ann/notes.txt";
    QTest::newRow("file not found")
        << fileNotFoundMessage(Line)
        << "The program that you selected does not exist anymore! Please remove it from your "
           "Quivanto list." +
               block
        << QByteArray("Quivanto - File not found!") << OkWithExclamation;
    QTest::newRow("no text editor")
        << noTextEditorMessage(Line)
        << "No text editor was found on this computer. Please install a text editor to open "
           "this item." +
               block
        << QByteArray("Quivanto - No Text Editor") << OkWithExclamation;
    QTest::newRow("unexpected, positive code")
        << unexpectedErrorMessage(5) << QByteArray(" 5: Error Occured!")
        << QByteArray("Quivanto - Error Occured!") << OkWithExclamation;
    QTest::newRow("unexpected, negative code has its sign")
        << unexpectedErrorMessage(-75) << QByteArray("-75: Error Occured!")
        << QByteArray("Quivanto - Error Occured!") << OkWithExclamation;
    QTest::newRow("multiple files")
        << multipleFilesMessage()
        << QByteArray("You may only drag and drop one item into your Quivanto list.")
        << QByteArray("Quivanto - Drag and Drop Multiple Files Error") << OkWithExclamation;
    QTest::newRow("duplicate file")
        << duplicateFileMessage("My Notes                      ", "/home/ann/notes.txt")
        << "The file that you selected is already in your Quivanto list." + block
        << QByteArray("Quivanto - Duplicate Item!") << OkWithExclamation;
    QTest::newRow("duplicate description")
        << duplicateDescriptionMessage("My Notes                      ", "/home/ann/notes.txt")
        << "The file description that you provided is already in your Quivanto list." + block
        << QByteArray("Quivanto - Duplicate Item!") << OkWithExclamation;
    QTest::newRow("file type not supported")
        << fileTypeNotSupportedMessage()
        << QByteArray("The system file that you selected cannot be placed in your Quivanto "
                      "list.\rPlease create a shortcut for the system file before placing it in "
                      "your list.")
        << QByteArray("Quivanto - File Type Not Supported!") << OkWithExclamation;
    QTest::newRow("last item") << lastItemMessage()
                               << QByteArray(
                                      "You cannot remove the last item! Please add an item first.")
                               << QByteArray("Quivanto") << OkOnly;
    QTest::newRow("no selection") << noSelectionMessage()
                                  << QByteArray("You must first select an item from your list.")
                                  << QByteArray("Quivanto") << OkOnly;
    QTest::newRow("confirm removal")
        << confirmRemoveMessage(Line)
        << "Are you sure that you want to remove the selected item from your Quivanto list?" + block
        << QByteArray("Quivanto - Are you sure?") << YesNoQuestionDefaultNo;
    QTest::newRow("short line: empty path, description as far as it goes")
        << confirmRemoveMessage("short")
        << QByteArray("Are you sure that you want to remove the selected item from your Quivanto "
                      "list?\r\rDESCRIPTION: short\rFILE NAME: ")
        << QByteArray("Quivanto - Are you sure?") << YesNoQuestionDefaultNo;
}

void TestCommandDecisions::messagesAreExact() {
    QFETCH(Message, message);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, title);
    QFETCH(MessageStyle, style);
    QCOMPARE(QByteArray::fromStdString(message.text), text);
    QCOMPARE(QByteArray::fromStdString(message.title), title);
    QVERIFY(message.style == style);
}

void TestCommandDecisions::failuresGetNumbers_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("code");
    QTest::newRow("no such file") << int(ENOENT) << 53;
    QTest::newRow("permission denied") << int(EACCES) << 70;
    QTest::newRow("read-only file system") << int(EROFS) << 70;
    QTest::newRow("disk full") << int(ENOSPC) << 61;
    QTest::newRow("input/output error") << int(EIO) << 75;
}

void TestCommandDecisions::failuresGetNumbers() {
    QFETCH(int, error);
    QFETCH(int, code);
    const std::error_code reason(error, std::generic_category());
    QCOMPARE(failureCodeFor(reason), code);
    QCOMPARE(unexpectedFailureCode(ListFileError("list.dat: failed", reason)), code);
    QCOMPARE(unexpectedFailureCode(std::bad_alloc()), 7);
    QCOMPARE(unexpectedFailureCode(std::runtime_error("other")), 51);
}

QTEST_GUILESS_MAIN(TestCommandDecisions)
#include "test_command_decisions.moc"
