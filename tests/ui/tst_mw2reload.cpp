// The reload sequence reads everything the base holds into the process-wide records.

#include "linkfixture.h"
#include "logcapture.h"
#include "manualclock.h"
#include "mw2.h"
#include "profilelist.h"
#include "settingstransfer.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

class TestMw2Reload : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void reloadReadsProfilesHardwareAndAnalog();
    void reloadStopsAtEachFailingStep_data();
    void reloadStopsAtEachFailingStep();
    void disconnectionEmptiesProfileList();
};

void TestMw2Reload::init()
{
    QSettings("Halvern Labs", "Veltrane2").setValue("Version", "1.0.15");
    clearProfileList();
    hardwareSettings() = wire::HardwareSettings{};
    analogSettings() = AnalogSettingsTable{};
}

void TestMw2Reload::cleanup() { clearProfileList(); }

static QString nameOf(const std::array<char, 32> &text) { return QString::fromUtf8(text.data()); }

void TestMw2Reload::reloadReadsProfilesHardwareAndAnalog()
{
    ManualClock clock;
    basesim::BaseConfig config = LinkFixture::operationalCendra();
    config.profileCount = 4;
    config.activeProfile = 3;
    LinkFixture fixture(config);
    basesim::SettingsStore &ram = fixture.base->state().ram;
    std::strcpy(ram.profiles[3].name.data(), "Rally night");
    ram.profiles[3].param[18] = 1080;
    ram.profiles[3].param[40] = 77; // a word without a name still travels
    ram.hardware.word[10] = 12500;
    ram.analog[20].field(wire::AxisHat, 10) = 4242;
    std::strcpy(ram.analog[20].name.data(), "Pedals B");

    MW2 window("1.0.15", "2020.1", 0);
    QSignalSpy profileSpy(&window, &MW2::activeProfileChanged);
    window.statusUpdate();

    QVERIFY(deviceLink().connected);
    QCOMPARE(int(profileList().size()), 4);
    const profDataNew &active = *profileList()[3];
    QCOMPARE(nameOf(active.name), QString("Rally night"));
    QCOMPARE(active.param[18], 1080u);
    QCOMPARE(active.param[40], 77u);
    QCOMPARE(hardwareSettings().word[10], 12500u);
    QCOMPARE(analogSettings()[20].field(wire::AxisHat, 10), 4242u);
    QCOMPARE(nameOf(analogSettings()[20].name), QString("Pedals B"));

    QCOMPARE(profileSpy.size(), 2);
    QCOMPARE(profileSpy[1][0].toInt(), 3);
    QCOMPARE(profileSpy[1][1].value<profDataNew *>(), profileList()[3].get());
}

void TestMw2Reload::reloadStopsAtEachFailingStep_data()
{
    QTest::addColumn<int>("failingCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("hardwareSignal");
    QTest::newRow("profiles") << 0x71 << "disconnection due to profiledata read failure." << false;
    QTest::newRow("hardware") << 0x6E << "disconnection due to hardware settings read failure." << false;
    QTest::newRow("analog") << 0x6F << "disconnection due to analog axis settings read failure." << true;
}

void TestMw2Reload::reloadStopsAtEachFailingStep()
{
    QFETCH(int, failingCode);
    QFETCH(QString, message);
    QFETCH(bool, hardwareSignal);

    ManualClock clock;
    LinkFixture fixture;
    // Every reply to the chosen request arrives with the wrong packet type.
    int lastCode = -1;
    fixture.base->faults().tamperReply = [&](wire::ReplyBuffer &reply) {
        const auto &frames = fixture.base->receivedFrames();
        lastCode = frames.empty() ? -1 : frames.back()[1];
        if (lastCode == failingCode)
            reply[1] = 0x79;
    };
    MW2 window("1.0.15", "2020.1", 0);
    QSignalSpy hardwareSpy(&window, &MW2::hardwareSettingsMayHaveChanged);
    LogCapture log;
    window.statusUpdate();

    QVERIFY(log.contains(message));
    QVERIFY(!log.contains("got analog data and settings"));
    QVERIFY(!deviceLink().connected);
    QCOMPARE(hardwareSpy.size(), hardwareSignal ? 1 : 0);
    if (failingCode == 0x71)
        QVERIFY(profileList().empty());

    // The next tick starts over from the connect step and succeeds.
    fixture.base->faults().tamperReply = nullptr;
    clearProfileList();
    window.statusUpdate();
    QVERIFY(deviceLink().connected);
    QCOMPARE(int(profileList().size()), 5);
}

void TestMw2Reload::disconnectionEmptiesProfileList()
{
    ManualClock clock;
    LinkFixture fixture;
    MW2 window("1.0.15", "2020.1", 0);
    window.statusUpdate();
    QCOMPARE(int(profileList().size()), 5);
    fixture.base->unplug();
    window.statusUpdate();
    window.statusUpdate();
    QVERIFY(profileList().empty());
}

QTEST_MAIN(TestMw2Reload)
#include "tst_mw2reload.moc"
