// The status request and the fast wheel report against the virtual base.

#include "device/devicelink.h"
#include "tests/support/linkfixture.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"

#include <QtTest>

class TestStatusReport : public QObject {
    Q_OBJECT

private slots:
    void statusReplyFillsRecord();
    void wrongFormatKeepsLinkAndRecord();
    void statusFailurePaths_data();
    void statusFailurePaths();
    void wheelReportWhileStreaming();
    void wheelFromNewestQueuedReport();
    void wheelNothingPending_data();
    void wheelNothingPending();
    void wheelReadFailures_data();
    void wheelReadFailures();
};

void TestStatusReport::statusReplyFillsRecord()
{
    basesim::BaseConfig config = LinkFixture::operationalCendra();
    config.profileCount = 7;
    config.activeProfile = 3;
    config.defaultProfile = 2;
    LinkFixture fixture(config);
    fixture.base->state().estopPressed = true;
    fixture.base->state().setFlag(wire::Unsaved, true);
    fixture.base->state().setFlag(wire::highTorque, true);
    QVERIFY(fixture.connect());

    bool valid = false;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    QVERIFY(valid);
    const DeviceStatus &s = fixture.link.status();
    QCOMPARE(int(s.reportId), 0x6C);
    QCOMPARE(int(s.packetType), 0x01);
    QCOMPARE(QString("%1.%2.%3").arg(s.firmwareMajor).arg(s.firmwareMinor).arg(s.firmwarePatch),
             QString("1.0.15"));
    QCOMPARE(s.operatingMode, 6u); // the pressed E-stop stopped the drive
    QCOMPARE(int(s.profileCount), 7);
    QCOMPARE(int(s.activeProfile), 3);
    QCOMPARE(int(s.defaultProfile), 2);
    QVERIFY(s.estopPressed());
    QVERIFY(s.hasFlag(wire::Unsaved));
    QVERIFY(s.hasFlag(wire::highTorque));
    QCOMPARE(int(fixture.base->receivedFrames().size()), 1);
    QCOMPARE(int(fixture.base->receivedFrames()[0][1]), 0x00);
}

void TestStatusReport::wrongFormatKeepsLinkAndRecord()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    bool valid = false;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    const auto before = wire::encodeStatus(fixture.link.status());

    fixture.base->state().operatingMode = 12;
    fixture.base->faults().wrongPacketTypeReplies = 1;
    LogCapture log(&fixture.link);
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    QVERIFY(!valid);
    QVERIFY(fixture.link.connected());
    QVERIFY(wire::encodeStatus(fixture.link.status()) == before);
    QCOMPARE(log.messages(),
             QStringList({"askveltranestatus reply wrong format. reportid  108  packetid  2"}));

    // The next good reply is taken again.
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    QVERIFY(valid);
    QCOMPARE(fixture.link.status().operatingMode, 12u);
}

void TestStatusReport::statusFailurePaths_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("framesSent");
    QTest::newRow("disconnected") << "disconnected" << QStringList{"disconnection1"} << 0;
    QTest::newRow("write fails") << "write" << QStringList{"disconnection2askstatus"} << 0;
    QTest::newRow("no reply")
        << "silence"
        << QStringList{"read timeout failure 1 (500 ms elapsed, no response at all) at  askVeltraneStatusNew()",
                       "askVeltRaneStatusNew disconnection"}
        << 1;
    QTest::newRow("read error") << "read" << QStringList{"askVeltRaneStatusNew disconnection"} << 1;
}

void TestStatusReport::statusFailurePaths()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, messages);
    QFETCH(int, framesSent);

    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    if (fault == "disconnected")
        fixture.link.disconnectDevice();
    fixture.base->faults().failWrites = fault == "write";
    fixture.base->faults().dropReplies = fault == "silence";
    fixture.base->faults().failReads = fault == "read";

    LogCapture log(&fixture.link);
    bool valid = true;
    QVERIFY(!fixture.link.askVeltraneStatusNew(valid));
    QVERIFY(valid); // untouched on failure paths
    QCOMPARE(log.messages(), messages);
    QVERIFY(!fixture.link.connected());
    QVERIFY(!fixture.link.deviceHandle());
    QCOMPARE(fixture.base->openHandleCount(), 0);
    QCOMPARE(int(fixture.base->receivedFrames().size()), framesSent);
}

void TestStatusReport::wheelReportWhileStreaming()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    bool valid = false;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    fixture.base->state().holdWheel(0x9000);
    fixture.base->state().inputs.heldButtons = std::array<std::uint32_t, 4>{0x5u, 0, 0, 0x80000000u};

    QTest::qWait(10); // the base streams a report every few milliseconds
    QVERIFY(fixture.link.readWheelReport());
    const WheelSample &sample = fixture.link.wheelSample();
    QCOMPARE(int(sample.position), 0x9000);
    QVERIFY(sample.button(0) && sample.button(2) && sample.button(127));
    QVERIFY(!sample.button(1));
}

// Reports queued since the last tick are read oldest first; the wheel is where the newest says.
void TestStatusReport::wheelFromNewestQueuedReport()
{
    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    bool valid = false;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    QVERIFY(fixture.link.readWheelReport());
    fixture.base->state().holdWheel(0x7000);
    clock.advance(20);
    fixture.base->update();
    fixture.base->state().holdWheel(0x9000);
    clock.advance(8);
    QVERIFY(fixture.link.readWheelReport());
    QCOMPARE(int(fixture.link.wheelSample().position), 0x9000);
    QVERIFY(fixture.link.measuredWheelPosition() == std::uint16_t(0x9000));
    QVERIFY(!fixture.link.wheelSampleStale());
}

void TestStatusReport::wheelNothingPending_data()
{
    QTest::addColumn<quint32>("mode");
    QTest::addColumn<int>("expected");
    QTest::newRow("operational keeps last") << 11u << 0x1234;
    QTest::newRow("hardware not configured centres") << 9u << 0x8000;
    QTest::newRow("no base centres") << 20u << 0x8000;
}

void TestStatusReport::wheelNothingPending()
{
    QFETCH(quint32, mode);
    QFETCH(int, expected);
    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    // The base last streamed the wheel at 0x1234, then reports `mode` and streams nothing.
    bool valid = false;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    QVERIFY(fixture.link.readWheelReport());
    fixture.base->state().holdWheel(0x1234);
    clock.advance(20);
    fixture.base->update();
    QVERIFY(fixture.link.readWheelReport());
    QCOMPARE(int(fixture.link.wheelSample().position), 0x1234);
    fixture.base->faults().stopGameReports = true;
    fixture.base->state().operatingMode = mode;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid) && valid);
    QCOMPARE(fixture.link.status().operatingMode, mode);
    QVERIFY(fixture.link.readWheelReport());
    QCOMPARE(int(fixture.link.wheelSample().position), expected);
    QVERIFY(fixture.link.connected());
}

void TestStatusReport::wheelReadFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("output");
    QTest::newRow("read error") << "read" << "Unable to read hidreport\n";
    QTest::newRow("only foreign reports") << "flood" << "hidreport timeout!\n";
}

void TestStatusReport::wheelReadFailures()
{
    QFETCH(QString, fault);
    QFETCH(QString, output);
    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().failReads = fault == "read";
    fixture.base->faults().foreignFloodForever = fault == "flood";

    LogCapture log(&fixture.link);
    const auto start = clock.peek();
    QVERIFY(!fixture.link.readWheelReport());
    if (fault == "flood")
        QVERIFY(clock.peek() - start > 50);
    QCOMPARE(log.standardOutput(), QStringList({output}));
    QVERIFY(!fixture.link.connected());
    QVERIFY(!fixture.link.deviceHandle());
    QCOMPARE(fixture.base->openHandleCount(), 0);

    // With no handle at all the wheel read only marks the link down.
    QVERIFY(!fixture.link.readWheelReport());
}

QTEST_GUILESS_MAIN(TestStatusReport)
#include "tst_statusreport.moc"
