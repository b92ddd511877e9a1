// The virtual base panel drives the base: each control changes what the base reports
// through the HID seam, and the controls follow changes the base makes by itself.

#include "tests/basesim/basesimbench.h"
#include "basesim/panel/virtualbasepanel.h"
#include "device/wire/bootloaderframes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using basesim::VirtualBasePanel;

Q_DECLARE_METATYPE(DeviceModel)

namespace {

// A panel on an operational Cendra on a manual clock, and ways to reach its controls.
struct PanelBench {
    Bench bench;
    VirtualBasePanel panel{bench.base};

    template <typename T>
    T *find(const char *name)
    {
        T *widget = panel.findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void click(const char *buttonName) { find<QPushButton>(buttonName)->click(); }

    // As a user picks an entry: the box changes and says it was activated.
    void choose(const char *comboName, const QVariant &data)
    {
        QComboBox *box = find<QComboBox>(comboName);
        const int index = box->findData(data);
        QVERIFY2(index >= 0, qPrintable(data.toString()));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    QListWidgetItem *fault(const QString &text)
    {
        const auto items = find<QListWidget>("faultlistWidget")->findItems(text, Qt::MatchExactly);
        return items.size() == 1 ? items.first() : nullptr;
    }

    QTableWidgetItem *effect(const QString &name, int column)
    {
        QTableWidget *table = find<QTableWidget>("effecttableWidget");
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->verticalHeaderItem(row)->text() == name)
                return table->item(row, column);
        }
        return nullptr;
    }

    QCheckBox *statusBit(const QString &name)
    {
        for (QCheckBox *box : find<QWidget>("statusbitsgroupBox")->findChildren<QCheckBox *>()) {
            if (box->text() == name)
                return box;
        }
        return nullptr;
    }

    // The newest game report the base streams.
    std::optional<wire::WheelSample> wheelSample()
    {
        wire::ReplyBuffer buffer{};
        std::optional<wire::WheelSample> newest;
        for (int attempt = 0; attempt < 20 && !newest; ++attempt) {
            // Reports queue up oldest first: read them all.
            for (int n = bench.readInto(buffer); n > 0; n = bench.readInto(buffer))
                if (buffer[0] == wire::kGameReportId)
                    newest = wire::decodeWheelReport(buffer.data(), std::size_t(n));
            if (!newest)
                bench.clock.advance(2);
        }
        return newest;
    }
};

constexpr int kLoaded = 0;
constexpr int kPlaying = 1;

} // namespace

class TestBaseSimPanel : public QObject {
    Q_OBJECT

private slots:
    void estopRaisesSafetyFlag();
    void driveFaults_data();
    void driveFaults();
    void effects_data();
    void effects();
    void statusBits_data();
    void statusBits();
    void wheelSliderHoldsPosition();
    void modelSwitch_data();
    void modelSwitch();
    void firmwareAppliesOnRestart_data();
    void firmwareAppliesOnRestart();
    void operatingModeOverride();
    void unplugAndBootloader();
    void controlsFollowTheBase();
    void hiddenPanelLogsModesWithoutPolling();
};

void TestBaseSimPanel::estopRaisesSafetyFlag()
{
    PanelBench p;
    p.click("estoppushButton");
    auto status = p.bench.status();
    QVERIFY(status);
    QVERIFY(status->estopPressed());
    QCOMPARE(status->safetyFlags, std::uint8_t(wire::SafetyEstopPressed));

    p.click("estoppushButton");
    status = p.bench.status();
    QVERIFY(status);
    QVERIFY(!status->estopPressed());
}

void TestBaseSimPanel::driveFaults_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("mask");

    QTest::newRow("first") << "Tracking Error!" << quint32(0x0002);
    QTest::newRow("undervoltage is bit 6") << "Undervoltage" << quint32(0x0040);
    QTest::newRow("overvoltage is bit 7") << "Overvoltage" << quint32(0x0080);
    QTest::newRow("power stage") << "Power Stage Forced Off" << quint32(0x4000);
    QTest::newRow("last") << "Error with Host Communication" << quint32(0x8000);
}

void TestBaseSimPanel::driveFaults()
{
    QFETCH(QString, text);
    QFETCH(quint32, mask);
    PanelBench p;
    QListWidgetItem *item = p.fault(text);
    QVERIFY(item);
    item->setCheckState(Qt::Checked);
    p.find<QSpinBox>("faultlocationspinBox")->setValue(417);

    auto status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->driveFaults, mask);
    QVERIFY(status->driveReportsFaults());
    QCOMPARE(status->faultLocation, 417u);

    p.click("clearfaultspushButton");
    status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->driveFaults, 0u);
    QVERIFY(!status->driveReportsFaults());
    QCOMPARE(status->faultLocation, 0u);
    QCOMPARE(item->checkState(), Qt::Unchecked);
}

void TestBaseSimPanel::effects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("mask");

    QTest::newRow("first") << "Constantforce" << quint32(1u << 0);
    QTest::newRow("spring") << "Spring" << quint32(1u << 11);
    QTest::newRow("last") << "CustomEffect" << quint32(1u << 12);
}

void TestBaseSimPanel::effects()
{
    QFETCH(QString, name);
    QFETCH(quint32, mask);
    PanelBench p;
    QTableWidgetItem *loaded = p.effect(name, kLoaded);
    QTableWidgetItem *playing = p.effect(name, kPlaying);
    QVERIFY(loaded && playing);

    loaded->setCheckState(Qt::Checked);
    auto status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->effectsAllocated, mask);
    QCOMPARE(status->effectsPlaying, 0u);

    // Playing an effect that is not loaded loads it; unloading it stops it.
    loaded->setCheckState(Qt::Unchecked);
    playing->setCheckState(Qt::Checked);
    status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->effectsAllocated, mask);
    QCOMPARE(status->effectsPlaying, mask);
    QCOMPARE(loaded->checkState(), Qt::Checked);

    loaded->setCheckState(Qt::Unchecked);
    status = p.bench.status();
    QVERIFY(status);
    QVERIFY(status->effectMemoryEmpty());
    QCOMPARE(status->effectsPlaying, 0u);
    QCOMPARE(playing->checkState(), Qt::Unchecked);
}

void TestBaseSimPanel::statusBits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("flag");

    QTest::newRow("temporary steering angle") << "tempSteeringAngle" << int(wire::tempSteeringAngle);
    QTest::newRow("wheel disconnection") << "wirelessTorqueOffEvent" << int(wire::wirelessTorqueOffEvent);
    QTest::newRow("torque-off button") << "wirelessTorqueOffButton" << int(wire::wirelessTorqueOffButton);
    QTest::newRow("standby") << "standbyMode" << int(wire::standbyMode);
}

void TestBaseSimPanel::statusBits()
{
    QFETCH(QString, name);
    QFETCH(int, flag);
    PanelBench p;
    const std::uint16_t before = p.bench.base.state().statusFlags;
    QCheckBox *box = p.statusBit(name);
    QVERIFY(box);

    box->click();
    auto status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(int(status->statusFlags), before | flag);

    box->click();
    status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(int(status->statusFlags), int(before));
}

void TestBaseSimPanel::wheelSliderHoldsPosition()
{
    PanelBench p;
    QCheckBox *automatic = p.find<QCheckBox>("automaticmotioncheckBox");
    QVERIFY(automatic->isChecked());

    p.find<QSlider>("wheelhorizontalSlider")->setValue(40000);
    QVERIFY(!automatic->isChecked());
    for (int second = 0; second < 3; ++second) {
        p.bench.wait(1000);
        const auto sample = p.wheelSample();
        QVERIFY(sample);
        QCOMPARE(sample->position, std::uint16_t(40000));
    }

    automatic->setChecked(true);
    QVERIFY(!p.bench.base.state().inputs.heldWheelPosition);
    const auto first = p.wheelSample();
    p.bench.wait(1000);
    const auto later = p.wheelSample();
    QVERIFY(first && later);
    QVERIFY(first->position != later->position);

    // Taking the wheel off automatic holds it where it is, without a jump.
    automatic->setChecked(false);
    const auto held = p.bench.base.state().inputs.heldWheelPosition;
    QVERIFY(held);
    QVERIFY(std::abs(int(*held) - int(later->position)) < 200);
}

void TestBaseSimPanel::modelSwitch_data()
{
    QTest::addColumn<DeviceModel>("model");
    QTest::addColumn<bool>("replugged");

    QTest::newRow("ardex") << ModelArdex << true;
    QTest::newRow("brivo") << ModelBrivo << true;
    QTest::newRow("same model") << ModelCendra << false;
}

void TestBaseSimPanel::modelSwitch()
{
    QFETCH(DeviceModel, model);
    QFETCH(bool, replugged);
    PanelBench p;
    p.bench.base.state().firmwarePatch = 20; // as after an update: the new base runs it too
    p.bench.base.state().estopPressed = true;

    p.choose("modelcomboBox", int(model));
    // The handle of the old base is dead after a replug.
    QCOMPARE(p.bench.send(DeviceCommand::askVeltraneStatusNew) < 0, replugged);
    QCOMPARE(p.bench.base.currentProductId(), basesim::productIdOf(model));
    QCOMPARE(p.bench.base.state().model, model);

    p.bench.reopen();
    QVERIFY(p.bench.handle);
    const auto status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->firmwarePatch, std::uint8_t(20));
    QCOMPARE(status->estopPressed(), !replugged);
    QCOMPARE(p.find<QComboBox>("modelcomboBox")->currentData().toInt(), int(model));
}

void TestBaseSimPanel::firmwareAppliesOnRestart_data()
{
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("power cycle") << QStringList{"powercyclepushButton"};
    QTest::newRow("replug") << QStringList{"unplugpushButton", "plugpushButton"};
    QTest::newRow("other model") << QStringList{};
}

void TestBaseSimPanel::firmwareAppliesOnRestart()
{
    QFETCH(QStringList, buttons);
    PanelBench p;
    p.find<QSpinBox>("firmwaremajorspinBox")->setValue(2);
    p.find<QSpinBox>("firmwareminorspinBox")->setValue(1);
    p.find<QSpinBox>("firmwarepatchspinBox")->setValue(7);
    p.panel.refresh();
    QVERIFY(!p.find<QLabel>("firmwarenoteLabel")->isHidden());

    auto status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->firmwareMajor, std::uint8_t(1));
    QCOMPARE(status->firmwarePatch, std::uint8_t(15));

    if (buttons.isEmpty())
        p.choose("modelcomboBox", int(ModelBrivo));
    for (const QString &button : buttons)
        p.click(qPrintable(button));
    p.bench.reopen();
    status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->firmwareMajor, std::uint8_t(2));
    QCOMPARE(status->firmwareMinor, std::uint8_t(1));
    QCOMPARE(status->firmwarePatch, std::uint8_t(7));
    QVERIFY(p.find<QLabel>("firmwarenoteLabel")->isHidden());

    // With nothing waiting, the boxes show the base's version again.
    p.bench.base.state().firmwareMajor = 3;
    p.panel.refresh();
    QCOMPARE(p.find<QSpinBox>("firmwaremajorspinBox")->value(), 3);
}

void TestBaseSimPanel::operatingModeOverride()
{
    PanelBench p;
    p.choose("operatingmodecomboBox", uint(wire::ModeFlashFault));
    p.bench.wait(5000);
    auto status = p.bench.status();
    QVERIFY(status);
    QCOMPARE(status->operatingMode, std::uint32_t(wire::ModeFlashFault));
    QVERIFY(p.find<QLabel>("modereadoutLabel")->text().startsWith("14 Flash Memory Fault"));

    // A power cycle boots again; the box follows the base.
    p.click("powercyclepushButton");
    QCOMPARE(p.find<QComboBox>("operatingmodecomboBox")->currentData().toUInt(), uint(wire::ModeBooting));
}

void TestBaseSimPanel::unplugAndBootloader()
{
    PanelBench p;
    QPushButton *unplug = p.find<QPushButton>("unplugpushButton");
    QPushButton *plug = p.find<QPushButton>("plugpushButton");
    QVERIFY(unplug->isEnabled() && !plug->isEnabled());

    p.click("unplugpushButton");
    QVERIFY(!p.bench.base.plugged());
    QVERIFY(!unplug->isEnabled() && plug->isEnabled());
    QVERIFY(p.find<QLabel>("usbreadoutLabel")->text().contains("unplugged"));

    p.click("plugpushButton");
    QVERIFY(p.bench.base.plugged());

    p.click("bootloaderpushButton");
    QCOMPARE(p.bench.base.currentProductId(), kProductIdUpdateMode);
    QVERIFY(!p.find<QPushButton>("bootloaderpushButton")->isEnabled());
    QVERIFY(p.find<QLabel>("usbreadoutLabel")->text().contains("bootloader"));

    // A firmware transfer shows as it goes.
    QLabel *usb = p.find<QLabel>("usbreadoutLabel");
    p.bench.reopen();
    p.bench.send(wire::bootloaderCommand(wire::BootloaderCommand::UnlockErase));
    p.panel.refresh();
    QVERIFY2(usb->text().endsWith(": erasing the program"), qPrintable(usb->text()));
    p.bench.wait(basesim::kBootloaderEraseMs);
    const std::vector<std::uint8_t> chunk(55, 0x11);
    p.bench.send(wire::firmwareChunk(true, chunk.data(), 55));
    p.bench.send(wire::firmwareChunk(false, chunk.data(), 20));
    p.panel.refresh();
    QVERIFY2(usb->text().endsWith(": 75 bytes received"), qPrintable(usb->text()));
    p.bench.send(wire::verifyRequest(0, 75));
    p.panel.refresh();
    QVERIFY2(usb->text().endsWith(": 75 bytes received, verifying"), qPrintable(usb->text()));
}

void TestBaseSimPanel::controlsFollowTheBase()
{
    PanelBench p;
    basesim::BaseState &state = p.bench.base.state();
    state.estopPressed = true;
    state.driveFaults = 0x0006;
    state.effectsAllocated = 1u << 11;
    state.effectsPlaying = 1u << 11;
    state.setFlag(wire::standbyMode, true);
    state.holdWheel(30000);
    p.panel.refresh();

    QVERIFY(p.find<QPushButton>("estoppushButton")->isChecked());
    QCOMPARE(p.fault("Tracking Error!")->checkState(), Qt::Checked);
    QCOMPARE(p.fault("Over Current!")->checkState(), Qt::Checked);
    QCOMPARE(p.fault("Communication Fault")->checkState(), Qt::Unchecked);
    QCOMPARE(p.effect("Spring", kPlaying)->checkState(), Qt::Checked);
    QCOMPARE(p.effect("Damping", kLoaded)->checkState(), Qt::Unchecked);
    QVERIFY(p.statusBit("standbyMode")->isChecked());
    QVERIFY(!p.find<QCheckBox>("automaticmotioncheckBox")->isChecked());
    QCOMPARE(p.find<QSlider>("wheelhorizontalSlider")->value(), 30000);
    QVERIFY(p.find<QLabel>("safetyreadoutLabel")->text().startsWith("0xA0 E-stop pressed, drive faults"));

    // A power cycle empties the effect memory and clears the status bits; E-stop and faults stay.
    p.click("powercyclepushButton");
    QCOMPARE(p.effect("Spring", kPlaying)->checkState(), Qt::Unchecked);
    QCOMPARE(p.effect("Spring", kLoaded)->checkState(), Qt::Unchecked);
    QVERIFY(!p.statusBit("standbyMode")->isChecked());
    QVERIFY(p.find<QPushButton>("estoppushButton")->isChecked());
    QCOMPARE(p.fault("Tracking Error!")->checkState(), Qt::Checked);
}

QTEST_MAIN(TestBaseSimPanel)
#include "tst_basesim_panel.moc"

void TestBaseSimPanel::hiddenPanelLogsModesWithoutPolling()
{
    PanelBench p;
    const auto timers = p.panel.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(timers.size(), 1);
    QTimer *refresh = timers.first();
    QVERIFY(!refresh->isActive()); // never shown: nothing wakes up for it

    // The tool's own reads bring the base up to time, and the log follows its mode.
    p.click("powercyclepushButton");
    static QStringList logged;
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { logged << text; });
    p.bench.clock.advance(60000);
    wire::ReplyBuffer buffer{};
    p.bench.readInto(buffer);
    qInstallMessageHandler(previous);
    QCOMPARE(logged, QStringList{QStringLiteral("virtual base: mode 11 Operational")});

    p.panel.show();
    QVERIFY(refresh->isActive());
    p.panel.hide();
    QVERIFY(!refresh->isActive());
}
