// The virtual base's receiver as a user trying the tool meets it: wheels whose battery and
// link wander across the warning levels, and a radio link that can break.

#include "basesim/basemodel.h"
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
