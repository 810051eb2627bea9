// The desktop back end's single-instance rule: the first copy holds a lock for as long as
// it lives, and only for as long as it lives.
#include "platform/desktop/desktop_platform.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace quivanto;

class TestDesktopInstance final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void onlyTheFirstCopyRuns();
    void aCopyThatEndedHoldsNothing_data();
    void aCopyThatEndedHoldsNothing();
    void startedProgramsDoNotInheritTheLock();

private:
    QString lockPath() const { return runtime_->filePath(QStringLiteral("quivanto.lock")); }

    std::unique_ptr<QTemporaryDir> runtime_;
};

void TestDesktopInstance::init() {
    runtime_ = std::make_unique<QTemporaryDir>();
    QVERIFY(runtime_->isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_->path()));
}

void TestDesktopInstance::onlyTheFirstCopyRuns() {
    DesktopPlatform first;
    DesktopPlatform second;
    QVERIFY(!first.previousInstanceRunning());
    QVERIFY(second.previousInstanceRunning());
    QVERIFY(!first.previousInstanceRunning()); // asking again does not make it its own rival
    QVERIFY(second.previousInstanceRunning());
}

void TestDesktopInstance::aCopyThatEndedHoldsNothing_data() {
    QTest::addColumn<QByteArray>("leftBehind");
    QTest::newRow("ended normally") << QByteArray();
    // The lock file an older version wrote, naming a process that is gone.
    QTest::newRow("older lock file") << QByteArray("999999\nquivanto\nsomehost\n");
}

void TestDesktopInstance::aCopyThatEndedHoldsNothing() {
    QFETCH(QByteArray, leftBehind);
    {
        DesktopPlatform ended;
        QVERIFY(!ended.previousInstanceRunning());
    }
    if (!leftBehind.isEmpty()) {
        QFile file(lockPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(leftBehind);
    }
    DesktopPlatform next;
    QVERIFY(!next.previousInstanceRunning());
}

void TestDesktopInstance::startedProgramsDoNotInheritTheLock() {
    DesktopPlatform running;
    QVERIFY(!running.previousInstanceRunning());
    // A launched program that kept the lock open would refuse every later start.
    int lockDescriptors = 0;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& name : descriptors.entryList(QDir::Files | QDir::System)) {
        if (QFile::symLinkTarget(descriptors.filePath(name)) != lockPath())
            continue;
        ++lockDescriptors;
        QVERIFY(::fcntl(name.toInt(), F_GETFD) & FD_CLOEXEC);
    }
    QCOMPARE(lockDescriptors, 1);
}

QTEST_GUILESS_MAIN(TestDesktopInstance)
#include "test_desktop_instance.moc"
