// The virtual base's receiver as a user trying the tool meets it: wheels whose battery and
// link wander across the warning levels, and a radio link that can break.

#include "basesim/basedefaults.h"
#include "basesim/basemodel.h"
#include "device/wire/frames.h"
#include "basesim/panel/virtualbasepanel.h"
#include "basesim/virtualbase.h"

#include <QCheckBox>
#include <QPushButton>

#include <QtTest>

class TestBaseWireless : public QObject {
    Q_OBJECT

private slots:
    void driftCrossesTheWarningLevels();
    void radioLossTurnsTorqueOff();
    void scanListGrowsWithAnnouncingWheels();
    void panelDrivesTheReceiver();
};

void TestBaseWireless::driftCrossesTheWarningLevels()
{
    basesim::BaseConfig config;
    config.startOperational = true;
    config.wirelessReceiver = true;
    config.wirelessWheelsDrift = true;
    basesim::BaseModel model(config, 0);
    for (std::size_t wheel = 0; wheel < model.state().receiver.wheels.size(); ++wheel) {
        bool lowBattery = false, goodBattery = false, poorLink = false, goodLink = false;
        for (std::int64_t now = 0; now < 240000; now += 1000) {
            model.advance(now);
            const basesim::WirelessWheel &w = model.state().receiver.wheels[wheel];
            (w.batteryRaw < 70 ? lowBattery : goodBattery) = true;
            (w.connectionQuality < 15 ? poorLink : goodLink) = true;
        }
        QVERIFY(lowBattery && goodBattery && poorLink && goodLink);
    }

    // Without the option the values stay as set.
    config.wirelessWheelsDrift = false;
    basesim::BaseModel still(config, 0);
    const auto before = still.state().receiver.wheels[1].batteryRaw;
    still.advance(60000);
    QCOMPARE(still.state().receiver.wheels[1].batteryRaw, before);
}

void TestBaseWireless::radioLossTurnsTorqueOff()
{
    basesim::BaseConfig config;
    config.startOperational = true;
    config.wirelessReceiver = true;
    basesim::BaseModel model(config, 0);
    basesim::BaseState &state = model.state();
    state.connectedWheel = 0;
    state.setFlag(wire::wirelessConn, true);
    basesim::loseWirelessWheel(state);
    QVERIFY(!state.connectedWheel);
    QVERIFY(!state.hasFlag(wire::wirelessConn));
    QVERIFY(state.hasFlag(wire::wirelessTorqueOffEvent));
    QVERIFY(model.status().hasFlag(wire::wirelessFound));
    QVERIFY(!model.status().hasFlag(wire::wirelessConn));
}

namespace {

std::size_t wheelCount(basesim::BaseModel &model, std::int64_t now)
{
    wire::ReplyBuffer reply{};
    model.advance(now);
    model.handleCommand(wire::bareCommand(DeviceCommand::getNumWirelessDevices), now, reply);
    return wire::getU16(reply.data(), reply.size(), 2);
}

} // namespace

// The receiver lists what it knows at once; wheels switched on nearby join its list one
// per discovery interval while it scans, and only while they announce.
void TestBaseWireless::scanListGrowsWithAnnouncingWheels()
{
    basesim::BaseConfig config;
    config.startOperational = true;
    config.wirelessReceiver = true;
    basesim::BaseModel model(config, 0);
    const std::size_t known = model.state().receiver.wheels.size();
    const std::size_t nearby = model.state().receiver.inRange.size();
    QVERIFY(nearby >= 2);
    // Unheard wheels are not listed without a scan, however long.
    QCOMPARE(wheelCount(model, 5000), known);

    wire::ReplyBuffer reply{};
    model.handleCommand(wire::bareCommand(DeviceCommand::startWirelessScan), 5000, reply);
    QCOMPARE(wheelCount(model, 5000 + basesim::kWheelDiscoveryMs - 1), known);
    QCOMPARE(wheelCount(model, 5000 + basesim::kWheelDiscoveryMs), known + 1);
    QCOMPARE(model.state().receiver.wheels.back().mac, basesim::defaultWheelsInRange().front().mac);

    // Stopped, the list holds still; a wheel that stopped announcing is not heard until
    // its paddles are held.
    model.handleCommand(wire::bareCommand(DeviceCommand::stopWirelessScan), 7000, reply);
    QCOMPARE(wheelCount(model, 20000), known + 1);
    const std::int64_t late = basesim::kWheelAnnouncingMs + 1000;
    model.handleCommand(wire::bareCommand(DeviceCommand::startWirelessScan), late, reply);
    QCOMPARE(wheelCount(model, late + 3 * basesim::kWheelDiscoveryMs), known + 1);
    basesim::holdAllPaddles(model.state(), late + 3 * basesim::kWheelDiscoveryMs);
    QCOMPARE(wheelCount(model, late + 4 * basesim::kWheelDiscoveryMs), known + nearby);
    QVERIFY(model.state().receiver.inRange.empty());
}

void TestBaseWireless::panelDrivesTheReceiver()
{
    basesim::BaseConfig config;
    config.startOperational = true;
    basesim::VirtualBase base(config);
    basesim::VirtualBasePanel panel(base);
    auto *fitted = panel.findChild<QCheckBox *>("receivercheckBox");
    QVERIFY(!fitted->isChecked());
    fitted->click();
    QVERIFY(base.state().wirelessReceiverPresent);

    base.state().connectedWheel = 1;
    base.state().setFlag(wire::wirelessConn, true);
    for (QPushButton *button : panel.findChildren<QPushButton *>())
        if (button->text() == "Connected wheel out of range")
            button->click();
    QVERIFY(!base.state().connectedWheel);
    QVERIFY(base.state().hasFlag(wire::wirelessTorqueOffEvent));
}

QTEST_MAIN(TestBaseWireless)
#include "tst_basewireless.moc"
