// The gate alone: who holds the link, one holder at a time, letting go at scope exit,
// and the flash delay as a holder of its own.

#include "device/linkgate.h"

#include <QSignalSpy>
#include <QtTest>

#include <optional>

class TestLinkGate : public QObject {
    Q_OBJECT

private slots:
    void aHoldNamesItsHolderAndEndsWithItsScope();
    void nestingIsRefusedAndNamesTheFirstHolder();
    void aMovedHoldLetsGoOnce();
    void flashDelayHolds_data();
    void flashDelayHolds();
    void flashDelayRunsOutByItself();
};

void TestLinkGate::aHoldNamesItsHolderAndEndsWithItsScope()
{
    LinkGate gate;
    QVERIFY(!gate.busy());
    QCOMPARE(gate.holder(), QString());
    QVERIFY(gate.check().ok());
    {
        const LinkGate::Hold hold = gate.acquire(QStringLiteral("reading the event log"));
        QVERIFY(hold.granted());
        QCOMPARE(hold.busyWith(), QString());
        QVERIFY(gate.busy());
        QCOMPARE(gate.holder(), QStringLiteral("reading the event log"));
        const OperationResult answer = gate.check();
        QCOMPARE(answer.kind(), FailureKind::LinkBusy);
        QCOMPARE(answer.text(), QStringLiteral("the link is busy: reading the event log"));
    }
    QVERIFY(!gate.busy());
    QCOMPARE(gate.holder(), QString());
}

void TestLinkGate::nestingIsRefusedAndNamesTheFirstHolder()
{
    LinkGate gate;
    const LinkGate::Hold first = gate.acquire(QStringLiteral("recalibrating the encoder"));
    QVERIFY(first.granted());
    {
        // The same operation again is refused too: a hold is never shared.
        for (const char *name : {"recalibrating the encoder", "reading the event log"}) {
            const LinkGate::Hold second = gate.acquire(QString::fromLatin1(name));
            QVERIFY(!second.granted());
            QCOMPARE(second.busyWith(), QStringLiteral("recalibrating the encoder"));
        }
    }
    // A refused hold going out of scope leaves the first one in place.
    QVERIFY(gate.busy());
    QCOMPARE(gate.holder(), QStringLiteral("recalibrating the encoder"));
}

void TestLinkGate::aMovedHoldLetsGoOnce()
{
    LinkGate gate;
    std::optional<LinkGate::Hold> kept;
    {
        LinkGate::Hold hold = gate.acquire(QStringLiteral("updating the firmware"));
        kept.emplace(std::move(hold));
    }
    // The moved-from hold went out of scope without letting go.
    QCOMPARE(gate.holder(), QStringLiteral("updating the firmware"));
    kept.reset();
    QVERIFY(!gate.busy());
    QVERIFY(gate.acquire(QStringLiteral("reading the event log")).granted());
}

void TestLinkGate::flashDelayHolds_data()
{
    QTest::addColumn<int>("work");
    QTest::addColumn<QString>("holder");
    QTest::newRow("save") << int(LinkGate::FlashWork::Saving) << "saving to flash";
    QTest::newRow("reload") << int(LinkGate::FlashWork::Reloading) << "reloading from flash";
}

void TestLinkGate::flashDelayHolds()
{
    QFETCH(int, work);
    QFETCH(QString, holder);
    LinkGate gate;
    gate.startFlashDelay(LinkGate::FlashWork(work), 5000);
    QVERIFY(gate.busy());
    QVERIFY(gate.flashDelayRunning());
    QCOMPARE(int(gate.flashWork()), work);
    QCOMPARE(gate.flashDelayMs(), 5000);
    QCOMPARE(gate.holder(), holder);
    const LinkGate::Hold refused = gate.acquire(QStringLiteral("reading the event log"));
    QVERIFY(!refused.granted());
    QCOMPARE(refused.busyWith(), holder);
    QCOMPARE(gate.check().text(), QStringLiteral("the link is busy: ") + holder);

    gate.endFlashDelay();
    QVERIFY(!gate.busy());
    QCOMPARE(int(gate.flashWork()), int(LinkGate::FlashWork::None));
    QVERIFY(gate.acquire(QStringLiteral("reading the event log")).granted());
}

void TestLinkGate::flashDelayRunsOutByItself()
{
    LinkGate gate;
    QSignalSpy elapsed(&gate, &LinkGate::flashDelayElapsed);
    {
        // A hold that outlives the delay keeps the link after it.
        const LinkGate::Hold hold = gate.acquire(QStringLiteral("recalibrating the encoder"));
        gate.startFlashDelay(LinkGate::FlashWork::Saving, 1);
        QCOMPARE(gate.holder(), QStringLiteral("saving to flash"));
        QVERIFY(elapsed.wait(1000));
        QVERIFY(!gate.flashDelayRunning());
        QCOMPARE(gate.holder(), QStringLiteral("recalibrating the encoder"));
    }
    QVERIFY(!gate.busy());
    // Ended early, the delay tells nothing.
    gate.startFlashDelay(LinkGate::FlashWork::Reloading, 20);
    gate.endFlashDelay();
    QTest::qWait(60);
    QCOMPARE(elapsed.count(), 1);
}

QTEST_GUILESS_MAIN(TestLinkGate)
#include "tst_linkgate.moc"
