// Exact frames of the command table and the flash save and reload sequences.

#include "device/devicelink.h"
#include "tests/support/linkfixture.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"

#include <QTimer>
#include <QtTest>

#include <functional>

using Command = std::function<bool(DeviceLink &)>;
Q_DECLARE_METATYPE(Command)

class TestDeviceCommands : public QObject {
    Q_OBJECT

private slots:
    void commandFrames_data();
    void commandFrames();
    void commandsWhileDisconnectedSendNothing();
    void writeFailureClosesLink();
    void startBootloaderSendsTwoFrames();
    void startBootloaderStopsAfterFailedFirstWrite();
    void saveSequenceWithTimer();
    void saveWhileDisconnectedStillPauses();
    void reloadFromFlashPausesThreeSeconds();
    void calibratedModeFailureMessage();
};

static QByteArray frameBytes(const wire::CommandFrame &f)
{
    return QByteArray(reinterpret_cast<const char *>(f.data()), int(f.size()));
}

static QByteArray expectedFrame(int code, int lo = 0, int hi = 0)
{
    QByteArray f(60, '\0');
    f[0] = 0x6B;
    f[1] = char(code);
    f[2] = char(lo);
    f[3] = char(hi);
    return f;
}

void TestDeviceCommands::commandFrames_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("activateProfile(3)") << Command([](DeviceLink &link) { return link.activateProfile(3); })
                                        << expectedFrame(0x26, 3);
    QTest::newRow("setProfileCount(300)") << Command([](DeviceLink &link) { return link.setProfileCount(300); })
                                          << expectedFrame(0x27, 300 & 0xFF, 300 >> 8);
    QTest::newRow("setDefaultProfile(2)") << Command([](DeviceLink &link) { return link.setDefaultProfile(2); })
                                          << expectedFrame(0x28, 2);
    QTest::newRow("setEventLogVerbosity(2)")
        << Command([](DeviceLink &link) { return link.setEventLogVerbosity(2); }) << expectedFrame(0x53, 2);
    QTest::newRow("driveSystemCommand(107)")
        << Command([](DeviceLink &link) { return link.driveSystemCommand(107); }) << expectedFrame(0x1E, 107);
    QTest::newRow("connectWirelessDevice(1)")
        << Command([](DeviceLink &link) { return link.connectWirelessDevice(1); }) << expectedFrame(0x87, 1);
    QTest::newRow("unsetTemporarySteeringAngle")
        << Command(&DeviceLink::unsetTemporarySteeringAngle) << expectedFrame(0x02);
    QTest::newRow("setRawAnalogMode") << Command(&DeviceLink::setRawAnalogMode) << expectedFrame(0x13);
    QTest::newRow("setCalibratedAnalogMode")
        << Command(&DeviceLink::setCalibratedAnalogMode) << expectedFrame(0x14);
    QTest::newRow("finishCenterChange") << Command(&DeviceLink::finishCenterChange) << expectedFrame(0x15);
    QTest::newRow("setSettingsNotChanged")
        << Command(&DeviceLink::setSettingsNotChanged) << expectedFrame(0x1B);
    QTest::newRow("setWheelCenterTemporary")
        << Command(&DeviceLink::setWheelCenterTemporary) << expectedFrame(0x20);
    QTest::newRow("setWheelCenterPermanent")
        << Command(&DeviceLink::setWheelCenterPermanent) << expectedFrame(0x22);
    QTest::newRow("resetFfb") << Command(&DeviceLink::resetFfb) << expectedFrame(0x29);
    QTest::newRow("enableTorque") << Command(&DeviceLink::enableTorque) << expectedFrame(0x2C);
    QTest::newRow("endEventLogRead") << Command(&DeviceLink::endEventLogRead) << expectedFrame(0x52);
    QTest::newRow("startWirelessScan") << Command(&DeviceLink::startWirelessScan) << expectedFrame(0x81);
    QTest::newRow("stopWirelessScan") << Command(&DeviceLink::stopWirelessScan) << expectedFrame(0x82);
    QTest::newRow("disconnectWirelessDevice")
        << Command(&DeviceLink::disconnectWirelessDevice) << expectedFrame(0x88);
    QTest::newRow("forgetWirelessDevice") << Command(&DeviceLink::forgetWirelessDevice) << expectedFrame(0x8A);
    QTest::newRow("WriteNOP") << Command(&DeviceLink::WriteNOP) << expectedFrame(0xC8);
}

void TestDeviceCommands::commandFrames()
{
    QFETCH(Command, command);
    QFETCH(QByteArray, expected);
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    QVERIFY(command(fixture.link));
    const auto &frames = fixture.base->receivedFrames();
    QCOMPARE(int(frames.size()), 1);
    QCOMPARE(frameBytes(frames[0]).toHex(' '), expected.toHex(' '));
    QVERIFY(fixture.link.connected());
}

void TestDeviceCommands::commandsWhileDisconnectedSendNothing()
{
    LinkFixture fixture;
    QVERIFY(!fixture.link.activateProfile(1));
    QVERIFY(!fixture.link.resetFfb());
    QVERIFY(!fixture.link.startBootloader());
    QVERIFY(fixture.base->receivedFrames().empty());
}

void TestDeviceCommands::writeFailureClosesLink()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().failWrites = true;
    QVERIFY(!fixture.link.activateProfile(1));
    QVERIFY(!fixture.link.connected());
    QCOMPARE(fixture.base->openHandleCount(), 0);

    QVERIFY(fixture.connect());
    LogCapture log(&fixture.link);
    QVERIFY(!fixture.link.resetFfb());
    QCOMPARE(log.messages(), QStringList({"Failed to send command 41"}));
    QVERIFY(!fixture.link.connected());
    QCOMPARE(fixture.base->openHandleCount(), 0);
}

void TestDeviceCommands::startBootloaderSendsTwoFrames()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    QVERIFY(fixture.link.startBootloader());
    const auto &frames = fixture.base->receivedFrames();
    QCOMPARE(int(frames.size()), 2);
    QCOMPARE(frameBytes(frames[0]), expectedFrame(0x63));
    QCOMPARE(frameBytes(frames[1]), expectedFrame(0xC8));
}

void TestDeviceCommands::startBootloaderStopsAfterFailedFirstWrite()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().failWrites = true;
    QVERIFY(!fixture.link.startBootloader());
    fixture.base->faults().failWrites = false;
    QVERIFY(fixture.base->receivedFrames().empty());
    QVERIFY(!fixture.link.connected());
}

void TestDeviceCommands::saveSequenceWithTimer()
{
    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    QVERIFY(fixture.link.saveToFlashSequence());
    QCOMPARE(fixture.link.gate().holder(), QStringLiteral("saving to flash"));
    QVERIFY(fixture.link.gate().flashDelayRunning());
    QCOMPARE(fixture.link.gate().flashDelayMs(), 5000);
    QCOMPARE(clock.slept(), 500);
    const auto &frames = fixture.base->receivedFrames();
    QCOMPARE(int(frames.size()), 3);
    QCOMPARE(frameBytes(frames[0]), expectedFrame(0x04));
    QCOMPARE(frameBytes(frames[1]), expectedFrame(0xC8));
    QCOMPARE(frameBytes(frames[2]), expectedFrame(0x1B));
}

void TestDeviceCommands::saveWhileDisconnectedStillPauses()
{
    ManualClock clock;
    LinkFixture fixture;
    QVERIFY(!fixture.link.saveToFlashSequence());
    QCOMPARE(fixture.link.gate().holder(), QStringLiteral("saving to flash"));
    QVERIFY(fixture.link.gate().flashDelayRunning());
    QCOMPARE(fixture.link.gate().flashDelayMs(), 5000);
    QVERIFY(fixture.base->receivedFrames().empty()); // and no "settings not changed" either
}

void TestDeviceCommands::reloadFromFlashPausesThreeSeconds()
{
    LinkFixture fixture;
    QVERIFY(fixture.connect());
    QVERIFY(fixture.link.reloadFromFlash());
    QCOMPARE(fixture.link.gate().holder(), QStringLiteral("reloading from flash"));
    QCOMPARE(fixture.link.gate().flashDelayMs(), 3000);
    const auto &frames = fixture.base->receivedFrames();
    QCOMPARE(int(frames.size()), 1);
    QCOMPARE(frameBytes(frames[0]), expectedFrame(0x05));
}

void TestDeviceCommands::calibratedModeFailureMessage()
{
    LinkFixture fixture;
    LogCapture log(&fixture.link);
    QVERIFY(!fixture.link.setCalibratedAnalogMode());
    QCOMPARE(log.standardOutput(), QStringList({"calibrated analog mode set failed.\n"}));
}

QTEST_GUILESS_MAIN(TestDeviceCommands)
#include "tst_devicecommands.moc"
