// Opening the base, the reply reader's time-outs and the close paths.

#include "devicecommands.h"
#include "devicelink.h"
#include "linkfixture.h"
#include "logcapture.h"
#include "manualclock.h"

#include <QElapsedTimer>
#include <QtTest>

class TestDeviceLink : public QObject {
    Q_OBJECT

private slots:
    void connectProbesModelsInOrderWithNoBase();
    void connectFindsEachModel_data();
    void connectFindsEachModel();
    void modelIsFixedAfterFirstProbe();
    void reconnectDoesNotLeakHandles();
    void openUpdateModeFindsBootloader();
    void disconnectWithoutHandleIsHarmless();
    void slewRateMaximumPerModel_data();
    void slewRateMaximumPerModel();

    void replyTimeouts_data();
    void replyTimeouts();
    void lateReplyAcceptedInRealTime();
    void readErrorFailsSilently();

    void requestClosePaths_data();
    void requestClosePaths();
    void sendCommandWhileDisconnected();
};

void TestDeviceLink::connectProbesModelsInOrderWithNoBase()
{
    basesim::BaseConfig config;
    config.plugged = false;
    LinkFixture fixture(config);
    LogCapture log;

    QVERIFY(!connectDevice());
    QCOMPARE(log.messages(), QStringList({"unable to open device, pid:  3423",
                                          "unable to open device, pid:  3424",
                                          "unable to open device, pid:  3425",
                                          "Could not connect to VT2"}));
    QVERIFY(!deviceLink().connected);
    QVERIFY(!deviceLink().modelKnown);
    QCOMPARE(deviceStatus().operatingMode, 20u);
}

void TestDeviceLink::connectFindsEachModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("productId");
    QTest::addColumn<int>("failedProbes");
    QTest::newRow("Cendra") << int(ModelCendra) << "Connected to VT2 Cendra" << 0x0D5F << 0;
    QTest::newRow("Brivo") << int(ModelBrivo) << "Connected to VT2 Brivo" << 0x0D60 << 1;
    QTest::newRow("Ardex") << int(ModelArdex) << "Connected to VT2 Ardex" << 0x0D61 << 2;
}

void TestDeviceLink::connectFindsEachModel()
{
    QFETCH(int, model);
    QFETCH(QString, message);
    QFETCH(int, productId);
    QFETCH(int, failedProbes);

    basesim::BaseConfig config;
    config.model = DeviceModel(model);
    LinkFixture fixture(config);
    LogCapture log;

    QVERIFY(connectDevice());
    QVERIFY(deviceLink().connected);
    QVERIFY(deviceLink().modelKnown);
    QCOMPARE(int(deviceLink().modelIndex), model);
    QCOMPARE(int(deviceLink().productId), productId);
    QCOMPARE(log.messages().size(), failedProbes + 1);
    QCOMPARE(log.messages().last(), message);
    QCOMPARE(log.standardOutput(), QStringList({"opened veltrane successfully\n"}));
}

void TestDeviceLink::modelIsFixedAfterFirstProbe()
{
    basesim::BaseConfig config;
    config.model = ModelBrivo;
    LinkFixture fixture(config);
    QVERIFY(connectDevice());
    disconnectDevice();

    fixture.base->unplug();
    fixture.base->plugAs(ModelCendra);
    LogCapture log;
    QVERIFY(!connectDevice());
    QCOMPARE(log.messages(), QStringList({"pid 3424"}));
    QCOMPARE(log.standardOutput(), QStringList({"unable to open device\n"}));
    QCOMPARE(deviceStatus().operatingMode, 20u);
    QCOMPARE(int(deviceLink().modelIndex), int(ModelBrivo));

    // The Brivo comes back: the known product id opens again.
    fixture.base->unplug();
    fixture.base->plugAs(ModelBrivo);
    QVERIFY(connectDevice());
}

void TestDeviceLink::reconnectDoesNotLeakHandles()
{
    LinkFixture fixture;
    QVERIFY(connectDevice());
    // A caller that distrusts an answer clears `connected` only; the handle is still open.
    deviceLink().connected = false;
    QVERIFY(!openUpdateMode());
    QVERIFY(connectDevice());
    QVERIFY(connectDevice());
    QCOMPARE(fixture.base->openHandleCount(), 1);
}

void TestDeviceLink::openUpdateModeFindsBootloader()
{
    LinkFixture fixture;
    LogCapture log;
    QVERIFY(!openUpdateMode());
    QVERIFY(!deviceLink().deviceHandle);

    fixture.base->enterBootloader();
    QVERIFY(openUpdateMode());
    QVERIFY(deviceLink().deviceHandle);
    QVERIFY(!deviceLink().connected);
    QCOMPARE(log.standardOutput(),
             QStringList({"unable to open device\n",
                          "opened veltrane successfully in firmware update mode\n"}));
}

void TestDeviceLink::disconnectWithoutHandleIsHarmless()
{
    LinkFixture fixture;
    const int exitsBefore = fixture.base->exitCount();
    disconnectDevice();
    QCOMPARE(fixture.base->exitCount(), exitsBefore);

    QVERIFY(connectDevice());
    disconnectDevice();
    QVERIFY(!deviceLink().connected);
    QVERIFY(!deviceLink().deviceHandle);
    QCOMPARE(fixture.base->openHandleCount(), 0);
}

void TestDeviceLink::slewRateMaximumPerModel_data()
{
    QTest::addColumn<quint32>("model");
    QTest::addColumn<int>("maximum");
    QTest::newRow("Ardex") << quint32(ModelArdex) << 4800;
    QTest::newRow("Brivo") << quint32(ModelBrivo) << 8000;
    QTest::newRow("Cendra") << quint32(ModelCendra) << 9500;
    QTest::newRow("unknown") << quint32(7) << 4800;
}

void TestDeviceLink::slewRateMaximumPerModel()
{
    QFETCH(quint32, model);
    QFETCH(int, maximum);
    deviceLink().modelIndex = model;
    QCOMPARE(modelSlewRateMaximum(), maximum);
    deviceLink() = DeviceLink{};
}

void TestDeviceLink::replyTimeouts_data()
{
    QTest::addColumn<int>("latencyMs");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("flood");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("minElapsed");
    QTest::addColumn<int>("maxElapsed");

    QTest::newRow("reply after 400 ms") << 400 << false << false << true << QString() << 400 << 450;
    QTest::newRow("no reply")
        << 0 << true << false << false
        << "read timeout failure 1 (500 ms elapsed, no response at all) at  ctx" << 500 << 520;
    QTest::newRow("only foreign reports")
        << 0 << false << true << false
        << "read timeout failure 2 (150 ms elapsed with no correct packet type received) at ctx"
        << 150 << 170;
}

void TestDeviceLink::replyTimeouts()
{
    QFETCH(int, latencyMs);
    QFETCH(bool, silent);
    QFETCH(bool, flood);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    QFETCH(int, minElapsed);
    QFETCH(int, maxElapsed);

    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().replyLatencyMs = latencyMs;
    fixture.base->faults().dropReplies = silent;
    fixture.base->faults().foreignFloodForever = flood;

    LogCapture log;
    QVERIFY(writeReport(wire::bareCommand(DeviceCommand::askVeltraneStatusNew)));
    const auto start = clock.peek();
    wire::ReplyBuffer reply{};
    QCOMPARE(readReply(reply, "ctx"), accepted);
    const auto elapsed = clock.peek() - start;
    QVERIFY2(elapsed >= minElapsed && elapsed <= maxElapsed, qPrintable(QString::number(elapsed)));
    if (accepted) {
        QCOMPARE(int(reply[0]), 0x6C);
        QCOMPARE(int(reply[1]), 0x01);
        QVERIFY(log.messages().isEmpty());
    } else {
        QCOMPARE(log.messages(), QStringList({message}));
    }
    // The reader never closes the link itself.
    QVERIFY(deviceLink().deviceHandle);
}

void TestDeviceLink::lateReplyAcceptedInRealTime()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().replyLatencyMs = 400;
    QElapsedTimer timer;
    timer.start();
    bool valid = false;
    QVERIFY(askVeltraneStatusNew(valid));
    QVERIFY(valid);
    QVERIFY(timer.elapsed() >= 400);
}

void TestDeviceLink::readErrorFailsSilently()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().failReads = true;
    LogCapture log;
    wire::ReplyBuffer reply{};
    QVERIFY(!readReply(reply, "ctx"));
    QVERIFY(log.messages().isEmpty());
}

void TestDeviceLink::requestClosePaths_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("write fails") << "write";
    QTest::newRow("no reply") << "silence";
    QTest::newRow("wrong packet type") << "type";
    QTest::newRow("read error") << "read";
}

void TestDeviceLink::requestClosePaths()
{
    QFETCH(QString, fault);
    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    basesim::Faults &faults = fixture.base->faults();
    faults.failWrites = fault == "write";
    faults.dropReplies = fault == "silence";
    faults.failReads = fault == "read";
    if (fault == "type")
        faults.wrongPacketTypeReplies = 1;
    const int exitsBefore = fixture.base->exitCount();

    wire::ReplyBuffer reply{};
    QVERIFY(!request(wire::bareCommand(DeviceCommand::askVeltraneStatusNew), reply, PacketType::Status,
                     "ctx"));
    QVERIFY(!deviceLink().connected);
    QVERIFY(!deviceLink().deviceHandle);
    QCOMPARE(fixture.base->openHandleCount(), 0);
    QCOMPARE(fixture.base->exitCount(), exitsBefore); // closed, but the HID layer stays up

    // Nothing more is sent until the link is reopened.
    fixture.base->clearReceivedFrames();
    QVERIFY(!request(wire::bareCommand(DeviceCommand::askVeltraneStatusNew), reply, PacketType::Status,
                     "ctx"));
    QVERIFY(fixture.base->receivedFrames().empty());
    fixture.base->faults() = basesim::Faults{};
    QVERIFY(connectDevice());
}

void TestDeviceLink::sendCommandWhileDisconnected()
{
    LinkFixture fixture;
    LogCapture log;
    QVERIFY(!sendCommand(DeviceCommand::resetFfb));
    QVERIFY(!WriteNOP());
    QCOMPARE(log.messages(), QStringList({"Failed to send command 41", "Failed to send command 200",
                                          "WriteNOP Fail"}));
    QVERIFY(fixture.base->receivedFrames().empty());
}

QTEST_GUILESS_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
