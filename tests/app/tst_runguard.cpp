#include "common/identity/runguard.h"
#include "common/identity/showrequestbell.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemSemaphore>
#include <QTemporaryDir>
#include <QtTest>

class RunGuardTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void namesForTheToolsKey();
    void secondCopyIsRefusedWhileFirstRuns();
    void startsAfterFirstCopyCrashed();
    void deadCopysSegmentDoesNotCount();
    void refusedCopySaysSoAndAsksForTheWindow();
    void refusedCopyRingsTheBell();
    void bellRemovedIsHungAgain();
    void withoutABellTheGuardIsPolled();
    void linkInPlaceOfTheBellIsNotFollowed();

private:
    // Unique per test and per run, so parallel runs never share a segment.
    QString uniqueKey();
    // Starts a holder and returns the first line it prints.
    QByteArray startHolder(QProcess &holder, const QString &key);

    int keyCounter_ = 0;
    QStringList usedKeys_;
};

void RunGuardTest::cleanup()
{
    // A killed holder leaves its semaphores behind; creating them afresh here
    // makes this process their owner, which removes them on destruction.
    for (const QString &key : qAsConst(usedKeys_)) {
        QSystemSemaphore lock(runGuardLockName(key), 1, QSystemSemaphore::Create);
        QSystemSemaphore memoryLock(runGuardMemoryName(key), 1, QSystemSemaphore::Create);
    }
    usedKeys_.clear();
}

QString RunGuardTest::uniqueKey()
{
    usedKeys_ << QStringLiteral("vt2-runguard-test-%1-%2-%3")
                     .arg(QCoreApplication::applicationPid())
                     .arg(QDateTime::currentMSecsSinceEpoch())
                     .arg(++keyCounter_);
    return usedKeys_.last();
}

QByteArray RunGuardTest::startHolder(QProcess &holder, const QString &key)
{
    holder.start(QStringLiteral(RUNGUARD_HOLDER), {key});
    if (!holder.waitForStarted(10000))
        return "not started";
    while (!holder.canReadLine()) {
        if (!holder.waitForReadyRead(10000))
            return "silent";
    }
    return holder.readLine().trimmed();
}

void RunGuardTest::namesForTheToolsKey()
{
    // Expected values from: printf '%s' 'HLVeltRANE_Configuration_Tool_memLockKey' | sha1sum
    const QString key = QStringLiteral("HLVeltRANE_Configuration_Tool");
    QCOMPARE(runGuardLockName(key), QStringLiteral("fc6e9c0f0e7953447e634da35a160b087ef98beb"));
    QCOMPARE(runGuardMemoryName(key), QStringLiteral("57af087a3c99c08a4fcb41391b6bc0fccebbb579"));
}

void RunGuardTest::secondCopyIsRefusedWhileFirstRuns()
{
    const QString key = uniqueKey();
    QProcess first;
    QCOMPARE(startHolder(first, key), QByteArray("running"));

    RunGuard second(key);
    QVERIFY(second.isAnotherRunning());
    QVERIFY(!second.tryToRun());

    // The first copy ends normally and gives the segment up.
    first.closeWriteChannel();
    QVERIFY(first.waitForFinished(10000));
    QCOMPARE(first.exitCode(), 0);

    QVERIFY(!second.isAnotherRunning());
    QVERIFY(second.tryToRun());
    QVERIFY(!second.isAnotherRunning()); // its own segment does not count

    QProcess third;
    QCOMPARE(startHolder(third, key), QByteArray("busy"));
    QVERIFY(third.waitForFinished(10000));
    QCOMPARE(third.exitCode(), 2);

    second.release();
    QProcess fourth;
    QCOMPARE(startHolder(fourth, key), QByteArray("running"));
    fourth.closeWriteChannel();
    QVERIFY(fourth.waitForFinished(10000));
}

void RunGuardTest::startsAfterFirstCopyCrashed()
{
    const QString key = uniqueKey();
    QProcess first;
    QCOMPARE(startHolder(first, key), QByteArray("running"));
    first.kill(); // no destructor runs: the segment stays behind
    QVERIFY(first.waitForFinished(10000));

    // The very first attempt must succeed: the constructor clears the stale segment.
    RunGuard next(key);
    QVERIFY(next.tryToRun());
}

void RunGuardTest::deadCopysSegmentDoesNotCount()
{
    // The guard exists before the segment appears, so its own clean-up step cannot have
    // removed it: the same as a key file landing on the inode of a removed one whose
    // segment a killed copy left behind.
    const QString key = uniqueKey();
    RunGuard next(key);
    QProcess first;
    QCOMPARE(startHolder(first, key), QByteArray("running"));
    QVERIFY(next.isAnotherRunning()); // alive, it counts
    first.kill();
    QVERIFY(first.waitForFinished(10000));

    QVERIFY(!next.isAnotherRunning());
    QVERIFY(next.tryToRun());
    QProcess third;
    QCOMPARE(startHolder(third, key), QByteArray("busy"));
    QVERIFY(third.waitForFinished(10000));
}

void RunGuardTest::refusedCopySaysSoAndAsksForTheWindow()
{
    const QString key = uniqueKey();
    RunGuard first(key);
    QVERIFY(first.tryToRun());
    QVERIFY(!first.takeShowRequest());

    QProcess second;
    QCOMPARE(startHolder(second, key), QByteArray("busy"));
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.readAllStandardError(),
             QByteArray("Veltrane 2 Tunemark is already running; its window is brought to the front.\n"));
    // One request, taken once.
    QVERIFY(first.takeShowRequest());
    QVERIFY(!first.takeShowRequest());

    // With nobody left to ask, the refusal still says why.
    first.release();
    RunGuard orphan(key);
    QCOMPARE(refuseSecondCopy(orphan), QStringLiteral("Veltrane 2 Tunemark is already running.\n"));
}

// The running copy hears of a request when it is made, not on a timer; a bell rung without
// a request, or a second ring for one request, shows nothing.
void RunGuardTest::refusedCopyRingsTheBell()
{
    const QString key = uniqueKey();
    RunGuard first(key);
    QVERIFY(first.tryToRun());
    ShowRequestBell bell(first);
    QVERIFY(bell.isWatching());
    QVERIFY(QFile::exists(showRequestBellPath(key)));
    QSignalSpy shown(&bell, &ShowRequestBell::showRequested);

    for (int request = 1; request <= 2; ++request) {
        QProcess second;
        QCOMPARE(startHolder(second, key), QByteArray("busy"));
        QVERIFY(second.waitForFinished(10000));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), request, 5000);
    }
    QVERIFY(ringShowRequestBell(key));
    QVERIFY(ringShowRequestBell(key));
    QTest::qWait(300);
    QCOMPARE(shown.count(), 2);
    QVERIFY(bell.isWatching());
}

void RunGuardTest::bellRemovedIsHungAgain()
{
    const QString key = uniqueKey();
    RunGuard first(key);
    QVERIFY(first.tryToRun());
    {
        ShowRequestBell bell(first);
        QSignalSpy shown(&bell, &ShowRequestBell::showRequested);
        // A temporary folder tidied under the running copy.
        QVERIFY(QFile::remove(showRequestBellPath(key)));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(showRequestBellPath(key)), 5000);
        QVERIFY(bell.isWatching());

        RunGuard second(key);
        QCOMPARE(refuseSecondCopy(second),
                 QStringLiteral("Veltrane 2 Tunemark is already running; its window is brought to the front.\n"));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);
    }
    // The bell goes with the copy; nobody rings a bell that is not there.
    QVERIFY(!QFile::exists(showRequestBellPath(key)));
    QVERIFY(!ringShowRequestBell(key));
}

void RunGuardTest::withoutABellTheGuardIsPolled()
{
    const QString key = uniqueKey();
    RunGuard first(key);
    QVERIFY(first.tryToRun());
    // No temporary folder to hang the bell in (the guard's own key files were made before).
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/vt2-no-temporary-folder");
    ShowRequestBell bell(first);
    if (temporary.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", temporary);
    QVERIFY(!bell.isWatching());
    QSignalSpy shown(&bell, &ShowRequestBell::showRequested);

    RunGuard second(key);
    QCOMPARE(refuseSecondCopy(second),
             QStringLiteral("Veltrane 2 Tunemark is already running; its window is brought to the front.\n"));
    QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);
}

// Someone else's link under the bell's name: neither the running copy nor a refused one
// opens, touches or narrows what it points to, and requests still arrive by polling.
void RunGuardTest::linkInPlaceOfTheBellIsNotFollowed()
{
    const QString key = uniqueKey();
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QString target = elsewhere.filePath(QStringLiteral("someone's file"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("kept");
    file.close();
    const QFileDevice::Permissions permissions = file.permissions();
    const QDateTime modified = QFileInfo(target).lastModified();
    QVERIFY(QFile::link(target, showRequestBellPath(key)));

    RunGuard first(key);
    QVERIFY(first.tryToRun());
    {
        ShowRequestBell bell(first);
        QVERIFY(!bell.isWatching());
        QSignalSpy shown(&bell, &ShowRequestBell::showRequested);
        QTest::qWait(20); // a touched file would show a later time
        RunGuard second(key);
        QCOMPARE(refuseSecondCopy(second),
                 QStringLiteral("Veltrane 2 Tunemark is already running; its window is brought to the front.\n"));
        QVERIFY(!ringShowRequestBell(key));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);
    }
    QVERIFY(QFileInfo(showRequestBellPath(key)).isSymLink());
    QVERIFY(QFile::remove(showRequestBellPath(key)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("kept"));
    QCOMPARE(file.permissions(), permissions);
    QCOMPARE(QFileInfo(target).lastModified(), modified);
}

QTEST_GUILESS_MAIN(RunGuardTest)
#include "tst_runguard.moc"
