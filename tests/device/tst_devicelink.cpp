// Opening the base, the reply reader's time-outs and the close paths.

#include "device/devicelink.h"
#include "tests/support/linkfixture.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "device/wire/profilerecord.h"

#include <QElapsedTimer>
#include <QtTest>

#include <functional>

using Operation = std::function<bool(DeviceLink &)>;
Q_DECLARE_METATYPE(Operation)

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
    void failureKinds_data();
    void failureKinds();
    void sendCommandWhileDisconnected();

    void failureReasonCarriesContext_data();
    void failureReasonCarriesContext();
};

void TestDeviceLink::connectProbesModelsInOrderWithNoBase()
{
    basesim::BaseConfig config;
    config.plugged = false;
    LinkFixture fixture(config);
    LogCapture log(&fixture.link);

    QVERIFY(!fixture.link.connectDevice());
    QCOMPARE(log.messages(), QStringList({"unable to open device, pid:  3423",
                                          "unable to open device, pid:  3424",
                                          "unable to open device, pid:  3425",
                                          "Could not connect to VT2"}));
    QVERIFY(!fixture.link.connected());
    QVERIFY(!fixture.link.modelKnown());
    QCOMPARE(fixture.link.status().operatingMode, 20u);
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
    LogCapture log(&fixture.link);

    QVERIFY(fixture.link.connectDevice());
    QVERIFY(fixture.link.connected());
    QVERIFY(fixture.link.modelKnown());
    QCOMPARE(int(fixture.link.modelIndex()), model);
    QCOMPARE(int(fixture.link.productId()), productId);
    QCOMPARE(log.messages().size(), failedProbes + 1);
    QCOMPARE(log.messages().last(), message);
    QCOMPARE(log.standardOutput(), QStringList({"opened veltrane successfully\n"}));
}

void TestDeviceLink::modelIsFixedAfterFirstProbe()
{
    basesim::BaseConfig config;
    config.model = ModelBrivo;
    LinkFixture fixture(config);
    QVERIFY(fixture.link.connectDevice());
    fixture.link.disconnectDevice();

    fixture.base->unplug();
    fixture.base->plugAs(ModelCendra);
    LogCapture log(&fixture.link);
    QVERIFY(!fixture.link.connectDevice());
    QCOMPARE(log.messages(), QStringList({"pid 3424"}));
    QCOMPARE(log.standardOutput(), QStringList({"unable to open device\n"}));
    QCOMPARE(fixture.link.status().operatingMode, 20u);
    QCOMPARE(int(fixture.link.modelIndex()), int(ModelBrivo));

    // The Brivo comes back: the known product id opens again.
    fixture.base->unplug();
    fixture.base->plugAs(ModelBrivo);
    QVERIFY(fixture.link.connectDevice());
}

void TestDeviceLink::reconnectDoesNotLeakHandles()
{
    LinkFixture fixture;
    QVERIFY(fixture.link.connectDevice());
    // A caller that distrusts an answer clears `connected` only; the handle is still open.
    fixture.link.markDisconnected();
    QVERIFY(!fixture.link.openUpdateMode());
    QVERIFY(fixture.link.connectDevice());
    QVERIFY(fixture.link.connectDevice());
    QCOMPARE(fixture.base->openHandleCount(), 1);
}

void TestDeviceLink::openUpdateModeFindsBootloader()
{
    LinkFixture fixture;
    LogCapture log(&fixture.link);
    QVERIFY(!fixture.link.openUpdateMode());
    QVERIFY(!fixture.link.deviceHandle());

    fixture.base->enterBootloader();
    QVERIFY(fixture.link.openUpdateMode());
    QVERIFY(fixture.link.deviceHandle());
    QVERIFY(!fixture.link.connected());
    QCOMPARE(log.standardOutput(),
             QStringList({"unable to open device\n",
                          "opened veltrane successfully in firmware update mode\n"}));
}

void TestDeviceLink::disconnectWithoutHandleIsHarmless()
{
    LinkFixture fixture;
    const int exitsBefore = fixture.base->exitCount();
    fixture.link.disconnectDevice();
    QCOMPARE(fixture.base->exitCount(), exitsBefore);

    QVERIFY(fixture.link.connectDevice());
    fixture.link.disconnectDevice();
    QVERIFY(!fixture.link.connected());
    QVERIFY(!fixture.link.deviceHandle());
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
    QCOMPARE(slewRateMaximumOf(model), maximum);
    // The link answers for the model it found; one that found none (no base of an unknown
    // model exists) answers the lowest maximum.
    basesim::BaseConfig config = LinkFixture::operationalCendra();
    if (model <= ModelCendra)
        config.model = DeviceModel(model);
    LinkFixture fixture(config);
    if (model <= ModelCendra) {
        QVERIFY(fixture.connect());
        QCOMPARE(fixture.link.modelIndex(), model);
    }
    QCOMPARE(fixture.link.modelSlewRateMaximum(), maximum);
}

void TestDeviceLink::replyTimeouts_data()
{
    QTest::addColumn<int>("latencyMs");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("flood");
    QTest::addColumn<bool>("streaming"); // game-controller reports (id 0x04) while waiting
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("minElapsed");
    QTest::addColumn<int>("maxElapsed");

    const QString silence = "read timeout failure 1 (500 ms elapsed, no response at all) at  ctx";
    const QString others = "read timeout failure 2 (150 ms elapsed with no correct packet type received) at ctx";
    QTest::newRow("reply after 400 ms, nothing else sent")
        << 400 << false << false << false << true << QString() << 400 << 450;
    QTest::newRow("reply after 120 ms among game reports")
        << 120 << false << false << true << true << QString() << 120 << 150;
    QTest::newRow("reply after 400 ms among game reports")
        << 400 << false << false << true << false << others << 150 << 170;
    QTest::newRow("no reply") << 0 << true << false << true << false << silence << 500 << 520;
    QTest::newRow("only foreign reports") << 0 << false << true << false << false << others << 150 << 170;
    QTest::newRow("foreign reports and game reports") << 0 << false << true << true << false << others << 150 << 170;
}

void TestDeviceLink::replyTimeouts()
{
    QFETCH(int, latencyMs);
    QFETCH(bool, silent);
    QFETCH(bool, flood);
    QFETCH(bool, streaming);
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
    fixture.base->faults().stopGameReports = !streaming;

    LogCapture log(&fixture.link);
    QVERIFY(fixture.link.writeReport(wire::bareCommand(DeviceCommand::askVeltraneStatusNew)));
    const auto start = clock.peek();
    wire::ReplyBuffer reply{};
    QCOMPARE(fixture.link.readReply(reply, "ctx"), accepted);
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
    QVERIFY(fixture.link.deviceHandle());
}

void TestDeviceLink::lateReplyAcceptedInRealTime()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().replyLatencyMs = 400;
    // Game reports meanwhile would end the wait after 150 ms (time-out 2).
    fixture.base->faults().stopGameReports = true;
    QElapsedTimer timer;
    timer.start();
    bool valid = false;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    QVERIFY(valid);
    QVERIFY(timer.elapsed() >= 400);
}

void TestDeviceLink::readErrorFailsSilently()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().failReads = true;
    LogCapture log(&fixture.link);
    wire::ReplyBuffer reply{};
    QVERIFY(!fixture.link.readReply(reply, "ctx"));
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
    QVERIFY(!fixture.link.request(wire::bareCommand(DeviceCommand::askVeltraneStatusNew), reply,
                                  PacketType::Status, "ctx"));
    QVERIFY(!fixture.link.connected());
    QVERIFY(!fixture.link.deviceHandle());
    QCOMPARE(fixture.base->openHandleCount(), 0);
    QCOMPARE(fixture.base->exitCount(), exitsBefore); // closed, but the HID layer stays up

    // Nothing more is sent until the link is reopened.
    fixture.base->clearReceivedFrames();
    QVERIFY(!fixture.link.request(wire::bareCommand(DeviceCommand::askVeltraneStatusNew), reply,
                                  PacketType::Status, "ctx"));
    QVERIFY(fixture.base->receivedFrames().empty());
    fixture.base->faults() = basesim::Faults{};
    QVERIFY(fixture.link.connectDevice());
}

void TestDeviceLink::sendCommandWhileDisconnected()
{
    LinkFixture fixture;
    LogCapture log(&fixture.link);
    QVERIFY(!fixture.link.sendCommand(DeviceCommand::resetFfb));
    QVERIFY(!fixture.link.WriteNOP());
    QCOMPARE(log.messages(), QStringList({"Failed to send command 41", "Failed to send command 200",
                                          "WriteNOP Fail"}));
    QVERIFY(fixture.base->receivedFrames().empty());
}

void TestDeviceLink::failureReasonCarriesContext_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("answeredFirst"); // replies the base gives before the fault starts
    QTest::addColumn<QString>("reason");

    const Operation readProfile3 = [](DeviceLink &link) {
        profDataNew profile;
        return link.getProfileData(3, profile);
    };
    QTest::newRow("profile read, second value group unanswered")
        << readProfile3 << "silence" << 1 << "reading profile 3: value group 2: no reply within 500 ms";
    // Six value groups, then the name.
    QTest::newRow("profile read, name unanswered")
        << readProfile3 << "silence" << 6 << "reading profile 3: name: no reply within 500 ms";
    QTest::newRow("hardware value write fails")
        << Operation([](DeviceLink &link) { return link.setHardwareValue(14, 1); }) << "write" << 0
        << "writing hardware setting 14: writing command 0x7a failed";
    QTest::newRow("status write fails")
        << Operation([](DeviceLink &link) {
               bool valid = false;
               return link.askVeltraneStatusNew(valid);
           })
        << "write" << 0 << "asking for the status: writing command 0x00 failed";
    // Two value frames per axis: the fifth reply is the first of axis 3.
    QTest::newRow("analog read, third axis answered as text")
        << Operation([](DeviceLink &link) {
               AnalogSettings record;
               return link.getAnalogDataNew(4, record);
           })
        << "type" << 4 << "reading analog record 4: axis 3: unexpected reply of packet type 0x79";
    QTest::newRow("hardware read among other reports only")
        << Operation(&DeviceLink::getHardwareDataNew) << "flood" << 0
        << "reading the hardware settings: no reply among other reports within 150 ms";
    QTest::newRow("event log unanswered")
        << Operation([](DeviceLink &link) { return link.getLogData(9); }) << "silence" << 0
        << "reading event log position 9: no reply within 500 ms";
    QTest::newRow("save while disconnected")
        << Operation(&DeviceLink::saveToFlash) << "disconnected" << 0 << "saving to flash: not connected";
}

void TestDeviceLink::failureReasonCarriesContext()
{
    QFETCH(Operation, operation);
    QFETCH(QString, fault);
    QFETCH(int, answeredFirst);
    QFETCH(QString, reason);

    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    if (fault == "disconnected")
        fixture.link.disconnectDevice();
    basesim::Faults &faults = fixture.base->faults();
    faults.wrongPacketType = 0x79;
    const auto startFault = [&faults, fault] {
        faults.dropReplies = fault == "silence";
        faults.failWrites = fault == "write";
        faults.foreignFloodForever = fault == "flood";
        faults.wrongPacketTypeReplies = fault == "type" ? 1 : 0;
    };
    int answered = 0;
    if (answeredFirst == 0)
        startFault();
    else
        faults.tamperReply = [&](wire::ReplyBuffer &) {
            if (++answered == answeredFirst)
                startFault();
        };

    QVERIFY(!operation(fixture.link));
    QCOMPARE(fixture.link.lastError(), reason);
}

void TestDeviceLink::failureKinds_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("not connected") << "disconnected" << int(FailureKind::NotConnected) << "not connected";
    QTest::newRow("silent base") << "silent" << int(FailureKind::NoReply) << "no reply within 500 ms";
    QTest::newRow("wrong packet type") << "wrong type" << int(FailureKind::Refused) << "unexpected reply";
}

// The link's error says what kind of failure it was besides where, and a caller's context
// goes in front of it as it rises.
void TestDeviceLink::failureKinds()
{
    QFETCH(QString, fault);
    QFETCH(int, kind);
    QFETCH(QString, text);
    LinkFixture fixture;
    if (fault != "disconnected")
        QVERIFY(fixture.connect());
    fixture.base->faults().dropReplies = fault == "silent";
    fixture.base->faults().wrongPacketTypeReplies = fault == "wrong type" ? 1 : 0;

    QVERIFY(!fixture.link.getHwData(1));

    QCOMPARE(int(fixture.link.lastErrorKind()), kind);
    QVERIFY2(fixture.link.lastError().contains(text), qPrintable(fixture.link.lastError()));
    OperationResult result = fixture.link.lastFailure();
    QVERIFY(!result.ok());
    result.within(QStringLiteral("reading the hardware settings"));
    QCOMPARE(int(result.kind()), kind);
    QCOMPARE(result.text(), QStringLiteral("reading the hardware settings: ") + fixture.link.lastError());
}

QTEST_GUILESS_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
