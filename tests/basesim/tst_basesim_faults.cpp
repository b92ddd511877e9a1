// Injected faults: when a reply becomes readable, what stands in front of it, and
// what each failure does to writes, reads and the stream of game reports.

#include "tests/basesim/basesimbench.h"

#include <QtTest>

class TestBaseSimFaults : public QObject {
    Q_OBJECT

private slots:
    void replyArrival_data();
    void replyArrival();
    void wrongPacketType_data();
    void wrongPacketType();
    void droppedRepliesStillAct();
    void failingWrites();
    void failingReads();
    void stoppedGameReports();
    void usbTransitTime();
};

void TestBaseSimFaults::replyArrival_data()
{
    QTest::addColumn<int>("latencyMs");
    QTest::addColumn<bool>("drop");
    QTest::addColumn<int>("floodMs");
    QTest::addColumn<bool>("floodForever");
    QTest::addColumn<int>("foreignId");
    QTest::addColumn<bool>("streaming");
    QTest::addColumn<int>("arrivalMs");   // -1: never within a second
    QTest::addColumn<QByteArray>("seenBefore");

    QTest::newRow("at once") << 0 << false << 0 << false << 0x05 << true << 1 << QByteArray();
    // A base that takes long to answer goes on streaming game reports meanwhile.
    QTest::newRow("late reply") << 120 << false << 0 << false << 0x05 << true << 122 << QByteArray("\x04");
    QTest::newRow("dropped") << 0 << true << 0 << false << 0x05 << true << -1 << QByteArray();
    QTest::newRow("flood of 0x05 first") << 0 << false << 80 << false << 0x05 << false << 81 << QByteArray("\x05");
    QTest::newRow("flood of game reports") << 30 << false << 80 << false << 0x04 << false << 81
                                           << QByteArray("\x04");
    QTest::newRow("latency outlasts flood") << 100 << false << 40 << false << 0x05 << false << 102
                                            << QByteArray("\x05");
    QTest::newRow("endless flood") << 0 << false << 0 << true << 0x05 << true << -1 << QByteArray("\x05");
}

void TestBaseSimFaults::replyArrival()
{
    QFETCH(int, latencyMs);
    QFETCH(bool, drop);
    QFETCH(int, floodMs);
    QFETCH(bool, floodForever);
    QFETCH(int, foreignId);
    QFETCH(bool, streaming);
    QFETCH(int, arrivalMs);
    QFETCH(QByteArray, seenBefore);

    Bench bench;
    basesim::Faults &faults = bench.base.faults();
    faults.replyLatencyMs = latencyMs;
    faults.dropReplies = drop;
    faults.foreignFloodMs = floodMs;
    faults.foreignFloodForever = floodForever;
    faults.foreignReportId = std::uint8_t(foreignId);
    faults.stopGameReports = !streaming;

    const auto sentAt = bench.clock.peek();
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    const auto reply = bench.awaitReply(1000);
    QCOMPARE(bool(reply), arrivalMs >= 0);
    if (reply) {
        const auto elapsed = bench.clock.peek() - sentAt;
        QVERIFY2(elapsed >= arrivalMs && elapsed <= arrivalMs + 2, qPrintable(QString::number(elapsed)));
        QCOMPARE(int((*reply)[1]), 0x01);
    }
    QByteArray seen;
    for (std::uint8_t id : bench.skippedIds) {
        if (!seen.contains(char(id)))
            seen.append(char(id));
    }
    QCOMPARE(seen, seenBefore);
}

void TestBaseSimFaults::wrongPacketType_data()
{
    QTest::addColumn<int>("replies");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("next two") << 2 << 0x02 << QByteArray("\x02\x02\x01\x01");
    QTest::newRow("all") << -1 << 0x02 << QByteArray("\x02\x02\x02\x02");
    QTest::newRow("one of another type") << 1 << 0x78 << QByteArray("\x78\x01\x01\x01");
}

void TestBaseSimFaults::wrongPacketType()
{
    QFETCH(int, replies);
    QFETCH(int, type);
    QFETCH(QByteArray, expected);

    Bench bench;
    bench.base.faults().wrongPacketTypeReplies = replies;
    bench.base.faults().wrongPacketType = std::uint8_t(type);
    QByteArray types;
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
        const auto reply = bench.awaitReply();
        QVERIFY(reply);
        types.append(char((*reply)[1]));
        QCOMPARE(int((*reply)[0]), 0x6C);
        QCOMPARE(int((*reply)[8]), 11); // the record itself is intact
    }
    QCOMPARE(types, expected);
}

void TestBaseSimFaults::droppedRepliesStillAct()
{
    Bench bench;
    bench.base.faults().dropReplies = true;
    QCOMPARE(bench.send(DeviceCommand::activateProfile, 2), 60);
    QVERIFY(!bench.status());
    bench.base.faults().dropReplies = false;
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(int(status->activeProfile), 2);
}

void TestBaseSimFaults::failingWrites()
{
    Bench bench;
    bench.base.faults().failWrites = true;
    QCOMPARE(bench.send(DeviceCommand::activateProfile, 3), -1);
    QVERIFY(bench.base.receivedFrames().empty());

    bench.base.faults().failWrites = false;
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(int(status->activeProfile), 0); // the failed frame never reached the base
    QCOMPARE(int(bench.base.receivedFrames().size()), 1);
}

void TestBaseSimFaults::failingReads()
{
    Bench bench;
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    bench.base.faults().failReads = true;
    wire::ReplyBuffer buffer{};
    QCOMPARE(bench.readInto(buffer), -1);
    QCOMPARE(bench.readInto(buffer), -1);

    // The reply waited behind the errors.
    bench.base.faults().failReads = false;
    QCOMPARE(bench.readInto(buffer), 61);
    QCOMPARE(int(buffer[0]), 0x6C);
}

void TestBaseSimFaults::stoppedGameReports()
{
    Bench bench;
    bench.base.faults().stopGameReports = true;
    wire::ReplyBuffer buffer{};
    for (int i = 0; i < 50; ++i)
        QCOMPARE(bench.readInto(buffer), 0);
    bench.base.faults().stopGameReports = false;
    QCOMPARE(bench.readInto(buffer), 33);
    QCOMPARE(int(buffer[0]), 0x04);
}

// Transit is spent inside the write: the request's share always, the reply's only when the
// base answers; the reply is then readable at once.
void TestBaseSimFaults::usbTransitTime()
{
    Bench bench;
    bench.base.faults().requestTransitMs = 1;
    bench.base.faults().replyTransitMs = 1;
    bench.base.faults().stopGameReports = true;

    auto before = bench.clock.slept();
    QCOMPARE(bench.send(DeviceCommand::WriteNOP), 60);
    QCOMPARE(int(bench.clock.slept() - before), 1);

    before = bench.clock.slept();
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    QCOMPARE(int(bench.clock.slept() - before), 2);
    wire::ReplyBuffer reply{};
    QCOMPARE(bench.readInto(reply), 61);
    QCOMPARE(int(reply[1]), 0x01);
}

QTEST_GUILESS_MAIN(TestBaseSimFaults)
#include "tst_basesim_faults.moc"
