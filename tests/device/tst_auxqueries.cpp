// Event-log chunks, wireless wheel queries, drive parameter access and the high-torque
// interlock against the virtual base: exact frames, stored replies, failure paths.

#include "device/devicelink.h"
#include "device/wire/hightorquechallenge.h"
#include "tests/support/linkfixture.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"

#include <QtTest>

#include <functional>

using Operation = std::function<bool(DeviceLink &)>;
Q_DECLARE_METATYPE(Operation)

namespace {

QByteArray frameBytes(const wire::CommandFrame &f)
{
    return QByteArray(reinterpret_cast<const char *>(f.data()), int(f.size()));
}

// A 60-byte command frame with the given bytes set, the rest zero.
QByteArray frameWith(std::initializer_list<std::pair<int, int>> setBytes)
{
    QByteArray f(60, '\0');
    for (auto [offset, value] : setBytes)
        f[offset] = char(value);
    return f;
}

QByteArray interlockFrame(int code, std::uint32_t value)
{
    QByteArray f = frameWith({{0, 0x6B}, {1, code}, {3, 0x6B}, {4, 0xB7}, {5, 0x17}});   // 6071 = 0x17B7
    for (int b = 0; b < 4; ++b)
        f[22 + b] = char((value >> (8 * b)) & 0xFF);
    return f;
}

bool highTorqueOn(DeviceLink &link)
{
    bool valid = false;
    return link.askVeltraneStatusNew(valid) && valid && link.status().hasFlag(wire::highTorque);
}

// The clock must run before the base is built: the base reads the time when it starts.
struct ClockFirst {
    ManualClock clock;
};

// An operational base with its receiver fitted.
struct AuxFixture : ClockFirst, LinkFixture {
    AuxFixture() { base->state().wirelessReceiverPresent = true; }
};

} // namespace

class TestAuxQueries : public QObject {
    Q_OBJECT

private slots:
    void eventLogChunks();
    void wirelessRecords();
    void wirelessCountIsSixteenBits();
    void wirelessFailures_data();
    void wirelessFailures();
    void driveParameterReadWithTwoAddresses();
    void driveParameterWrite();
    void highTorqueOnAndOff();
    void highTorqueWrongResponse();
    void highTorqueStopsAtFailedStep_data();
    void highTorqueStopsAtFailedStep();
    void wrongPacketTypeClosesLink_data();
    void wrongPacketTypeClosesLink();
};

void TestAuxQueries::eventLogChunks()
{
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    QVERIFY(fixture.link.setProfileCount(7));   // one more entry in the ring
    fixture.base->clearReceivedFrames();

    const basesim::EventLog &ring = fixture.base->state().eventLog;
    for (std::uint16_t start : {0, 9, 995}) {
        QVERIFY(fixture.link.getLogData(start));
        QCOMPARE(frameBytes(fixture.base->receivedFrames().back()).toHex(' '),
                 frameWith({{0, 0x6B}, {1, 0x4F}, {2, start & 0xFF}, {3, start >> 8}}).toHex(' '));
        const EventLogChunk &chunk = fixture.link.eventLogChunk();
        QCOMPARE(int(chunk.bytes[0]), 0x6C);
        QCOMPARE(int(chunk.bytes[1]), 0x50);
        QCOMPARE(int(chunk.head()), int(ring.head));
        for (std::size_t k = 0; k < 9; ++k) {
            QCOMPARE(int(chunk.code(k)), int(ring.codeAt(start + k)));
            QCOMPARE(chunk.value(k), ring.valueAt(start + k));
        }
    }
    // The command we sent, then the download request itself, are the newest entries.
    QVERIFY(ring.head >= 1);
    QCOMPARE(int(ring.codes[ring.head - 1u]), 231);
    QCOMPARE(ring.values[ring.head - 1u], 7);
    QCOMPARE(int(ring.codes[ring.head]), 200);
}

void TestAuxQueries::wirelessRecords()
{
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    const auto &wheels = fixture.base->state().receiver.wheels;

    std::uint16_t count = 0;
    QVERIFY(fixture.link.getNumWirelessDevices(count));
    QCOMPARE(int(count), int(wheels.size()));

    WirelessDeviceData record;
    QVERIFY(fixture.link.getWirelessDeviceData(1, record));
    QCOMPARE(record.name(), wheels[1].name);
    QVERIFY(record.mac() == wheels[1].mac);
    QCOMPARE(record.signalStrength(), wheels[1].signalStrength);
    QCOMPARE(record.batteryRaw(), wheels[1].batteryRaw);
    QCOMPARE(record.connectionQuality(), wheels[1].connectionQuality);

    QVERIFY(fixture.link.getCurrentWirelessDeviceData());
    QCOMPARE(fixture.link.currentWirelessDevice().name(), std::string());   // none connected yet
    QVERIFY(fixture.link.connectWirelessDevice(2));
    QVERIFY(fixture.link.getCurrentWirelessDeviceData());
    QCOMPARE(fixture.link.currentWirelessDevice().name(), wheels[2].name);

    const auto &frames = fixture.base->receivedFrames();
    QCOMPARE(frameBytes(frames[0]), frameWith({{0, 0x6B}, {1, 0x83}}));
    QCOMPARE(frameBytes(frames[1]), frameWith({{0, 0x6B}, {1, 0x85}, {2, 1}}));
    QCOMPARE(frameBytes(frames[2]), frameWith({{0, 0x6B}, {1, 0x89}}));
}

void TestAuxQueries::wirelessCountIsSixteenBits()
{
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().tamperReply = [](wire::ReplyBuffer &reply) {
        reply[2] = 0x34;
        reply[3] = 0x12;
    };
    std::uint16_t count = 0;
    QVERIFY(fixture.link.getNumWirelessDevices(count));
    QCOMPARE(int(count), 0x1234);
}

void TestAuxQueries::wirelessFailures_data()
{
    QTest::addColumn<bool>("current");       // getCurrentWirelessDeviceData, else getWirelessDeviceData(0)
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");    // the operation's own message, empty for none
    QTest::addColumn<bool>("linkStaysUp");

    QTest::newRow("device: write fails") << false << "write" << "disconnection2wireless" << false;
    QTest::newRow("device: no reply") << false << "silence" << "disconnection3wireless" << false;
    QTest::newRow("device: other reply") << false << "type" << "disconnectiongetBleDeviceData3" << false;
    QTest::newRow("current: write fails") << true << "write" << "disconnection2wirelesscurrent" << false;
    QTest::newRow("current: no reply") << true << "silence" << QString() << true;
    QTest::newRow("current: other reply") << true << "type" << "disconnectiongetCurrentBleDeviceData3" << false;
}

void TestAuxQueries::wirelessFailures()
{
    QFETCH(bool, current);
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(bool, linkStaysUp);

    AuxFixture fixture;
    QVERIFY(fixture.connect());
    QVERIFY(fixture.link.connectWirelessDevice(0));
    QVERIFY(fixture.link.getCurrentWirelessDeviceData());
    const WirelessDeviceData before = fixture.link.currentWirelessDevice();
    basesim::Faults &faults = fixture.base->faults();
    faults.failWrites = fault == "write";
    faults.dropReplies = fault == "silence";
    faults.wrongPacketTypeReplies = fault == "type" ? 1 : 0;
    faults.wrongPacketType = 0x84;

    LogCapture log(&fixture.link);
    WirelessDeviceData record;
    record.bytes.fill(0xEE);
    DeviceLink &link = fixture.link;
    QVERIFY(!(current ? link.getCurrentWirelessDeviceData() : link.getWirelessDeviceData(0, record)));
    QCOMPARE(fixture.link.connected(), linkStaysUp);
    QCOMPARE(fixture.base->openHandleCount(), linkStaysUp ? 1 : 0);
    QVERIFY(fixture.link.currentWirelessDevice().bytes == before.bytes);
    QCOMPARE(int(record.bytes[20]), 0xEE);

    QStringList expected;
    if (fault == "silence")
        expected << QString("read timeout failure 1 (500 ms elapsed, no response at all) at  %1")
                        .arg(current ? "getCurrentWirelessDeviceData" : "getWirelessDeviceData");
    if (!message.isEmpty())
        expected << message;
    QCOMPARE(log.messages(), expected);
}

void TestAuxQueries::driveParameterReadWithTwoAddresses()
{
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->state().drive.parameters[485] = -77;

    DriveAddresses addresses{};
    addresses[0] = 484;
    addresses[1] = 485;
    DriveParameterFrame frame;
    frame.bytes.fill(0xEE);
    const auto sleptBefore = fixture.clock.slept();
    QVERIFY(fixture.link.readDriveParameters(addresses, frame));
    QCOMPARE(int(fixture.clock.slept() - sleptBefore), 10);

    const auto &frames = fixture.base->receivedFrames();
    QCOMPARE(int(frames.size()), 2);
    QCOMPARE(frameBytes(frames[0]).toHex(' '),
             frameWith({{0, 0x6B}, {1, 0x97}, {4, 0xE4}, {5, 0x01}, {6, 0xE5}, {7, 0x01}}).toHex(' '));
    QCOMPARE(frameBytes(frames[1]).toHex(' '), frameWith({{0, 0x6B}, {1, 0x98}}).toHex(' '));

    QCOMPARE(int(frame.bytes[0]), 0x6C);
    QCOMPARE(int(frame.bytes[1]), 0x99);
    QCOMPARE(int(frame.address(0)), 484);
    QCOMPARE(int(frame.address(1)), 485);
    QCOMPARE(frame.value(0), 3);
    QCOMPARE(frame.value(1), -77);
    for (std::size_t slot = 2; slot < 9; ++slot) {
        QCOMPARE(int(frame.address(slot)), 0);
        QCOMPARE(frame.value(slot), 0);
    }
}

void TestAuxQueries::driveParameterWrite()
{
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    DriveAddresses addresses{};
    addresses[0] = 411;
    addresses[1] = 0;     // ends the list: slot 2 is never applied
    addresses[2] = 150;
    DriveParameterFrame frame = wire::driveParameterRequest(addresses);
    frame.setValue(0, 30000);
    frame.setValue(2, 1);
    QVERIFY(fixture.link.writeDriveParameters(frame));
    QCOMPARE(frameBytes(fixture.base->receivedFrames().back()).left(8).toHex(' '),
             QByteArray("6b 96 00 00 9b 01 00 00"));
    QCOMPARE(fixture.base->state().drive.parameters[411], 30000);
    QCOMPARE(fixture.base->state().drive.parameters[150], 2400);
}

void TestAuxQueries::highTorqueOnAndOff()
{
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    std::uint32_t challenge = 0;
    fixture.base->faults().tamperReply = [&challenge](wire::ReplyBuffer &reply) {
        if (reply[1] == 0x99)
            challenge = std::uint32_t(reply[22] | reply[23] << 8 | reply[24] << 16) | std::uint32_t(reply[25]) << 24;
    };

    const auto sleptBefore = fixture.clock.slept();
    QVERIFY(fixture.link.enterHighTorqueMode());
    QCOMPARE(int(fixture.clock.slept() - sleptBefore), 10);
    const auto &frames = fixture.base->receivedFrames();
    QCOMPARE(int(frames.size()), 3);
    QCOMPARE(frameBytes(frames[0]).toHex(' '), interlockFrame(0x97, 0).toHex(' '));
    QCOMPARE(frameBytes(frames[1]).toHex(' '), frameWith({{0, 0x6B}, {1, 0x98}}).toHex(' '));
    QCOMPARE(frameBytes(frames[2]).toHex(' '),
             interlockFrame(0x96, wire::highTorqueResponse(challenge)).toHex(' '));
    QVERIFY(highTorqueOn(fixture.link));

    fixture.base->clearReceivedFrames();
    QVERIFY(fixture.link.leaveHighTorqueMode());
    QCOMPARE(frameBytes(fixture.base->receivedFrames().front()).toHex(' '), interlockFrame(0x96, 0).toHex(' '));
    QVERIFY(!highTorqueOn(fixture.link));
}

// A reply altered on the way makes the tool answer another challenge than the base issued;
// the right answer sent afterwards does not count either, as each challenge allows one try.
void TestAuxQueries::highTorqueWrongResponse()
{
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    std::uint32_t issued = 0;
    fixture.base->faults().tamperReply = [&issued](wire::ReplyBuffer &reply) {
        if (reply[1] != 0x99)
            return;
        issued = std::uint32_t(reply[22] | reply[23] << 8 | reply[24] << 16) | std::uint32_t(reply[25]) << 24;
        reply[22] ^= 0x01;
    };
    QVERIFY(fixture.link.enterHighTorqueMode());
    QVERIFY(!highTorqueOn(fixture.link));

    DriveParameterFrame late;
    late.setAddress(0, wire::kHighTorqueAddress);
    late.setValue(0, std::int32_t(wire::highTorqueResponse(issued)));
    late.setHighTorqueMarker(true);
    QVERIFY(fixture.link.writeDriveParameters(late));
    QVERIFY(!highTorqueOn(fixture.link));
}

void TestAuxQueries::highTorqueStopsAtFailedStep_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("framesReceived");
    QTest::newRow("request cannot be written") << "write" << 0;
    QTest::newRow("no challenge comes") << "silence" << 2;
}

void TestAuxQueries::highTorqueStopsAtFailedStep()
{
    QFETCH(QString, fault);
    QFETCH(int, framesReceived);

    AuxFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().failWrites = fault == "write";
    fixture.base->faults().dropReplies = fault == "silence";
    QVERIFY(!fixture.link.enterHighTorqueMode());
    QVERIFY(!fixture.link.connected());
    QCOMPARE(int(fixture.base->receivedFrames().size()), framesReceived);
    QVERIFY(!fixture.base->state().hasFlag(wire::highTorque));
}

void TestAuxQueries::wrongPacketTypeClosesLink_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::newRow("getLogData") << Operation([](DeviceLink &link) { return link.getLogData(0); });
    QTest::newRow("getNumWirelessDevices") << Operation([](DeviceLink &link) {
        std::uint16_t count = 0;
        return link.getNumWirelessDevices(count);
    });
    QTest::newRow("requestReadDriveParameters") << Operation([](DeviceLink &link) {
        DriveParameterFrame frame;
        return link.requestReadDriveParameters(frame);
    });
    QTest::newRow("requestHighTorqueChallenge") << Operation(&DeviceLink::requestHighTorqueChallenge);
}

void TestAuxQueries::wrongPacketTypeClosesLink()
{
    QFETCH(Operation, operation);
    AuxFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().wrongPacketTypeReplies = 1;
    fixture.base->faults().wrongPacketType = 0x78;
    QVERIFY(!operation(fixture.link));
    QVERIFY(!fixture.link.connected());
    QCOMPARE(fixture.base->openHandleCount(), 0);
}

QTEST_GUILESS_MAIN(TestAuxQueries)
#include "tst_auxqueries.moc"
