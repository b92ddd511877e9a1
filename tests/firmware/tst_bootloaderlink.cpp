// The bootloader's frames and CRC, and the link operations that speak to it.

#include "device/devicelink.h"
#include "device/wire/bootloaderframes.h"
#include "device/wire/bytes.h"
#include "tests/support/linkfixture.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"

#include <QtTest>

namespace {

basesim::BaseConfig bootloaderConfig()
{
    basesim::BaseConfig config;
    config.inBootloader = true;
    return config;
}

} // namespace

class TestBootloaderLink : public QObject {
    Q_OBJECT

private slots:
    void crc32CheckValues();
    void chunkFrameLayout_data();
    void chunkFrameLayout();
    void verifyFrameIsLittleEndian();

    void statusRequestReadsCrc();
    void statusRequestFailures_data();
    void statusRequestFailures();
    void foreignReportsBeforeTheLimitAreSkipped();
    void writeFailureClosesHandle();
    void waitWithEventsRunsOnTheLinkClock();
};

void TestBootloaderLink::crc32CheckValues()
{
    const QByteArray check("123456789");
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(check.constData());
    QCOMPARE(wire::crc32(bytes, 9), 0xCBF43926u);
    QCOMPARE(wire::crc32(bytes, 0), 0u);
    // Continuing over a split input gives the CRC of the whole.
    QCOMPARE(wire::crc32(bytes + 4, 5, wire::crc32(bytes, 4)), 0xCBF43926u);
}

void TestBootloaderLink::chunkFrameLayout_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("sent");
    QTest::newRow("first, full") << true << 55 << 55;
    QTest::newRow("later, one byte") << false << 1 << 1;
    QTest::newRow("too long is cut to a chunk") << false << 60 << 55;
}

void TestBootloaderLink::chunkFrameLayout()
{
    QFETCH(bool, first);
    QFETCH(int, length);
    QFETCH(int, sent);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = std::uint8_t(i + 1);
    const wire::BootloaderFrame frame = wire::firmwareChunk(first, data.data(), data.size());
    QCOMPARE(frame[0], std::uint8_t(0x7B));
    QCOMPARE(frame[1], std::uint8_t(9));
    QCOMPARE(frame[2], std::uint8_t(first ? 1 : 0));
    QCOMPARE(int(frame[3]), sent);
    for (int i = 0; i < sent; ++i)
        QCOMPARE(int(frame[std::size_t(4 + i)]), i + 1);
    for (std::size_t i = std::size_t(4 + sent); i < frame.size(); ++i)
        QCOMPARE(int(frame[i]), 0);
}

void TestBootloaderLink::verifyFrameIsLittleEndian()
{
    const wire::BootloaderFrame frame = wire::verifyRequest(0xCBF43926u, 281560);
    const std::array<std::uint8_t, 10> head{0x7B, 10, 0x26, 0x39, 0xF4, 0xCB, 0xD8, 0x4B, 0x04, 0x00};
    QVERIFY(std::equal(head.begin(), head.end(), frame.begin()));
    QVERIFY(std::all_of(frame.begin() + 10, frame.end(), [](std::uint8_t b) { return b == 0; }));
}

void TestBootloaderLink::statusRequestReadsCrc()
{
    ManualClock clock;
    LinkFixture fixture(bootloaderConfig());
    QVERIFY(fixture.link.openUpdateMode());
    // An earlier status left another CRC behind.
    fixture.base->faults().tamperReply = [](wire::ReplyBuffer &reply) { wire::putU32(reply.data(), reply.size(), 10, 7u); };
    QVERIFY(fixture.link.askVeltraneBootloaderStatusNew());
    QCOMPARE(fixture.link.bootloaderCrc(), 7u);
    fixture.base->faults().tamperReply = [](wire::ReplyBuffer &reply) {
        wire::putU32(reply.data(), reply.size(), 10, 0x11223344u);
        reply[27] = 0xAB; // kept
        reply[28] = 0xCD; // beyond the kept status
    };
    QVERIFY(fixture.link.askVeltraneBootloaderStatusNew());
    QCOMPARE(fixture.link.bootloaderCrc(), 0x11223344u);
    QCOMPARE(fixture.link.bootloaderStatus()[0], std::uint8_t(0x7C));
    QCOMPARE(fixture.link.bootloaderStatus()[27], std::uint8_t(0xAB));
    QVERIFY(fixture.link.deviceHandle());
    QCOMPARE(fixture.base->receivedFrames().back()[0], std::uint8_t(0x7B));
    QCOMPARE(fixture.base->receivedFrames().back()[1], std::uint8_t(0));
}

void TestBootloaderLink::statusRequestFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("elapsedAtMost");
    QTest::newRow("write fails") << "write" << QStringList{"disconnection2fwupdate"} << 5;
    QTest::newRow("no reply")
        << "silent" << QStringList{"timeout failure1 at  askVeltraneBootloaderStatusNew()", "disconnection3"} << 510;
    QTest::newRow("only foreign reports")
        << "foreign" << QStringList{"timemout failure2 at askVeltraneBootloaderStatusNew()", "disconnection3"} << 60;
    QTest::newRow("read error") << "read" << QStringList{"disconnection3"} << 5;
}

void TestBootloaderLink::statusRequestFailures()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, messages);
    QFETCH(int, elapsedAtMost);
    ManualClock clock;
    LinkFixture fixture(bootloaderConfig());
    QVERIFY(fixture.link.openUpdateMode());
    basesim::Faults &faults = fixture.base->faults();
    faults.failWrites = fault == "write";
    faults.dropReplies = fault == "silent";
    faults.foreignFloodForever = fault == "foreign";
    faults.failReads = fault == "read";
    LogCapture log(&fixture.link);
    const linkclock::Milliseconds start = clock.peek();

    QVERIFY(!fixture.link.askVeltraneBootloaderStatusNew());
    QCOMPARE(log.messages(), messages);
    QVERIFY(clock.peek() - start <= elapsedAtMost);
    QVERIFY(!fixture.link.deviceHandle());
    QVERIFY(!fixture.link.connected());
    QCOMPARE(fixture.base->openHandleCount(), 0);
}

// The bootloader's reply may sit behind a few other reports for up to 50 ms.
void TestBootloaderLink::foreignReportsBeforeTheLimitAreSkipped()
{
    ManualClock clock;
    LinkFixture fixture(bootloaderConfig());
    QVERIFY(fixture.link.openUpdateMode());
    fixture.base->faults().foreignFloodMs = 30;
    QVERIFY(fixture.link.askVeltraneBootloaderStatusNew());
    fixture.base->faults().foreignFloodMs = 80;
    QVERIFY(!fixture.link.askVeltraneBootloaderStatusNew());
}

void TestBootloaderLink::writeFailureClosesHandle()
{
    using Send = std::function<bool(DeviceLink &)>;
    const QList<QPair<const char *, Send>> sends = {
        {"erase", [](DeviceLink &l) { return l.sendUnlockErase(); }},
        {"chunk", [](DeviceLink &l) { const std::uint8_t b = 1; return l.sendFirmwareChunk(true, &b, 1); }},
        {"verify", [](DeviceLink &l) { return l.sendVerifyRequest(1, 2); }},
        {"start", [](DeviceLink &l) { return l.startApplication(); }},
    };
    for (const auto &send : sends) {
        ManualClock clock;
        LinkFixture fixture(bootloaderConfig());
        QVERIFY(fixture.link.openUpdateMode());
        QVERIFY2(send.second(fixture.link), send.first);
        QVERIFY(fixture.link.deviceHandle());
        fixture.base->faults().failWrites = true;
        QVERIFY2(!send.second(fixture.link), send.first);
        QVERIFY2(!fixture.link.deviceHandle(), send.first);
        QCOMPARE(fixture.base->openHandleCount(), 0);
    }
}

void TestBootloaderLink::waitWithEventsRunsOnTheLinkClock()
{
    ManualClock clock;
    int events = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&events] { ++events; });
    ticker.start(0);
    const linkclock::Milliseconds start = clock.peek();
    DeviceLink::waitWithEvents(4);
    const linkclock::Milliseconds waited = clock.peek() - start;
    QVERIFY2(waited >= 4 && waited <= 8, qPrintable(QString::number(waited)));
    QVERIFY(events > 0);

    const linkclock::Milliseconds before = clock.peek();
    DeviceLink::waitWithEvents(0);
    DeviceLink::waitWithEvents(-3);
    QVERIFY(clock.peek() - before <= 2);
}

QTEST_MAIN(TestBootloaderLink)
#include "tst_bootloaderlink.moc"
