// The base's telemetry over the link, against the virtual base's store and its faults.

#include "basesim/basetelemetry.h"
#include "device/wire/telemetryframes.h"
#include "telemetry/telemetrydownload.h"
#include "tests/support/linkfixture.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include <functional>

using BaseFault = std::function<void(basesim::VirtualBase &)>;
Q_DECLARE_METATYPE(BaseFault)

namespace {
QJsonObject part(const QString &name, const std::vector<std::uint8_t> &bytes)
{
    const QByteArray data(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
    return QJsonObject{{"name", name}, {"data", bytes.empty() ? QJsonValue() : QJsonValue(QString::fromLatin1(data.toBase64()))}};
}

// Offsets of the read-data requests the base received.
QList<int> readOffsets(const basesim::VirtualBase &base)
{
    QList<int> offsets;
    for (const wire::CommandFrame &frame : base.receivedFrames())
        if (frame[1] == wire::telemetry::kCommand && frame[2] == 0x02)
            offsets << (frame[3] << 8 | frame[4]);
    return offsets;
}

struct Bench {
    ManualClock clock;
    LinkFixture fixture;
    basesim::TelemetryStore &store() { return fixture.base->state().telemetry; }
    Bench() { fixture.connect(); }
};
} // namespace

class TestTelemetryDownload : public QObject {
    Q_OBJECT

private slots:
    void downloadsEveryPartInChunks();
    void refusedSets_data();
    void refusedSets();
    void firstSetWithTagZeroIsAccepted();
    void misbehavingStoreFailsTheDownload_data();
    void misbehavingStoreFailsTheDownload();
    void lockLostMidReadIsLogged();
    void eraseNeedsALiveLease();
};

void TestTelemetryDownload::downloadsEveryPartInChunks()
{
    Bench bench;
    bench.store().parts = {{"empty", {}}, {"short", {1, 2, 3, 4, 5}}, {"long", std::vector<std::uint8_t>(70, 0xA5)}};
    bench.store().parts[2].data[69] = 0x17;
    LogCapture log;
    const telemetry::DownloadResult result = telemetry::downloadTelemetry(bench.fixture.link, nullptr);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.dataTag, bench.store().tag);
    const QJsonArray expected{part("empty", {}), part("short", bench.store().parts[1].data),
                              part("long", bench.store().parts[2].data)};
    QCOMPARE(result.device.toArray(), expected);
    // Each request asks for consumed + buffered: 0, then 55 (5 consumed + 50 buffered).
    QCOMPARE(readOffsets(*bench.fixture.base), QList<int>({0, 55}));
    QVERIFY(log.contains("Consumed 70 bytes for part \"long\" at index 2"));
    QVERIFY(basesim::telemetryLeaseLive(bench.fixture.base->state(), linkclock::nowMs()));
}

void TestTelemetryDownload::refusedSets_data()
{
    QTest::addColumn<bool>("emptyStore");
    QTest::addColumn<bool>("sameTagAsBefore");
    QTest::newRow("no telemetry") << true << false;
    QTest::newRow("downloaded before") << false << true;
}

void TestTelemetryDownload::refusedSets()
{
    QFETCH(bool, emptyStore);
    QFETCH(bool, sameTagAsBefore);
    Bench bench;
    if (emptyStore)
        bench.store().parts.clear();
    const std::uint8_t lastTag = bench.store().tag;
    const telemetry::DownloadResult result =
        telemetry::downloadTelemetry(bench.fixture.link, sameTagAsBefore ? &lastTag : nullptr);
    QVERIFY(!result.ok);
    QVERIFY(readOffsets(*bench.fixture.base).isEmpty());
    // A new set under a new tag is taken again.
    basesim::collectTelemetrySet(bench.store());
    QVERIFY(telemetry::downloadTelemetry(bench.fixture.link, &lastTag).ok);
}

void TestTelemetryDownload::firstSetWithTagZeroIsAccepted()
{
    Bench bench;
    bench.fixture.base->faults().telemetry.tagZero = true;
    const telemetry::DownloadResult first = telemetry::downloadTelemetry(bench.fixture.link, nullptr);
    QVERIFY(first.ok);
    QCOMPARE(first.dataTag, std::uint8_t(0));
    QVERIFY(!telemetry::downloadTelemetry(bench.fixture.link, &first.dataTag).ok);
}

void TestTelemetryDownload::misbehavingStoreFailsTheDownload_data()
{
    QTest::addColumn<BaseFault>("fault");
    QTest::addColumn<int>("maximumReads");
    using F = std::function<void(basesim::VirtualBase &)>;
    QTest::newRow("zero-length chunks for ever")
        << F([](basesim::VirtualBase &b) { b.faults().telemetry.zeroLengthChunks = true; }) << 1;
    QTest::newRow("chunk longer than a reply")
        << F([](basesim::VirtualBase &b) { b.faults().telemetry.oversizeChunk = true; }) << 1;
    QTest::newRow("parts past the total")
        << F([](basesim::VirtualBase &b) { b.faults().telemetry.partsPastTotal = true; }) << 0;
    // The part table is fine but the data runs on past the total: the offset would wrap.
    QTest::newRow("chunks past the total") << F([](basesim::VirtualBase &b) {
        b.state().telemetry.parts = {{"a", std::vector<std::uint8_t>(10, 1)}};
        b.faults().tamperReply = [](wire::ReplyBuffer &reply) {
            if (reply[1] == wire::telemetry::kCommand && reply[2] == 0x02 && reply[3] == 0)
                wire::telemetry::putU16BE(reply.data(), reply.size(), 4, 40);
        };
    }) << 1;
    QTest::newRow("name longer than the reply") << F([](basesim::VirtualBase &b) {
        b.faults().tamperReply = [](wire::ReplyBuffer &reply) {
            if (reply[1] == wire::telemetry::kCommand && reply[2] == 0x01)
                reply[6] = 33;
        };
    }) << 0;
}

void TestTelemetryDownload::misbehavingStoreFailsTheDownload()
{
    QFETCH(BaseFault, fault);
    QFETCH(int, maximumReads);
    Bench bench;
    fault(*bench.fixture.base);
    const telemetry::DownloadResult result = telemetry::downloadTelemetry(bench.fixture.link, nullptr);
    QVERIFY(!result.ok);
    QVERIFY(result.device.isUndefined() || result.device.isNull());
    QVERIFY(readOffsets(*bench.fixture.base).size() <= maximumReads);
    QVERIFY(bench.fixture.link.connected());
}

void TestTelemetryDownload::lockLostMidReadIsLogged()
{
    Bench bench;
    bench.fixture.base->faults().telemetry.lockLostAfterReads = 1;
    LogCapture log;
    QVERIFY(!telemetry::downloadTelemetry(bench.fixture.link, nullptr).ok);
    QVERIFY(log.contains("Lost lock while read_next(55), unexpected after processing 0 out of 3"));
    QVERIFY(!basesim::telemetryLeaseLive(bench.fixture.base->state(), linkclock::nowMs()));
}

void TestTelemetryDownload::eraseNeedsALiveLease()
{
    Bench bench;
    QVERIFY(telemetry::downloadTelemetry(bench.fixture.link, nullptr).ok);
    bench.clock.advance(basesim::kTelemetryLeaseMs + 1);
    QVERIFY(bench.fixture.link.unlockAndEraseTelemetry());
    QCOMPARE(bench.store().parts.size(), std::size_t(3)); // lapsed: kept
    wire::telemetry::StoreStatus status;
    QVERIFY(bench.fixture.link.readTelemetryStatus(status));
    QVERIFY(bench.fixture.link.unlockAndEraseTelemetry());
    QVERIFY(bench.store().parts.empty());
    QVERIFY(!telemetry::downloadTelemetry(bench.fixture.link, nullptr).ok);
}

QTEST_GUILESS_MAIN(TestTelemetryDownload)
#include "tst_telemetrydownload.moc"
