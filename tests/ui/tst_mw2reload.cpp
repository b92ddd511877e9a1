// The reload sequence reads everything the base holds into the session's records.

#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "settings/profilelist.h"
#include "tests/support/sessionfixture.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstring>

class TestMw2Reload : public QObject {
    Q_OBJECT

private slots:
    void reloadReadsProfilesHardwareAndAnalog();
    void reloadStopsAtEachFailingStep_data();
    void reloadStopsAtEachFailingStep();
    void disconnectionEmptiesProfileList();
};

static QString nameOf(const std::array<char, 32> &text) { return QString::fromUtf8(text.data()); }

void TestMw2Reload::reloadReadsProfilesHardwareAndAnalog()
{
    ManualClock clock;
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.profileCount = 4;
    config.activeProfile = 3;
    SessionFixture fixture(config);
    basesim::SettingsStore &ram = fixture.base->state().ram;
    std::strcpy(ram.profiles[3].name.data(), "Rally night");
    ram.profiles[3].param[18] = 1080;
    ram.profiles[3].param[40] = 77; // a word without a name still travels
    ram.hardware.word[10] = 12500;
    ram.analog[20].field(wire::AxisHat, 10) = 4242;
    std::strcpy(ram.analog[20].name.data(), "Pedals B");

    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    QSignalSpy profileSpy(&fixture.session, &BaseSession::activeProfileChanged);
    fixture.session.statusTick();

    QVERIFY(fixture.link().connected());
    QCOMPARE(int(fixture.session.profiles().size()), 4);
    const profDataNew &active = *fixture.session.profiles()[3];
    QCOMPARE(nameOf(active.name), QString("Rally night"));
    QCOMPARE(active.param[18], 1080u);
    QCOMPARE(active.param[40], 77u);
    QCOMPARE(fixture.link().hardwareSettings().word[10], 12500u);
    QCOMPARE(fixture.link().analogSettings()[20].field(wire::AxisHat, 10), 4242u);
    QCOMPARE(nameOf(fixture.link().analogSettings()[20].name), QString("Pedals B"));

    QCOMPARE(profileSpy.size(), 2);
    QCOMPARE(profileSpy[1][0].toInt(), 3);
    QCOMPARE(profileSpy[1][1].value<profDataNew *>(), fixture.session.profiles()[3].get());
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
    SessionFixture fixture;
    // Every reply to the chosen request arrives with the wrong packet type.
    int lastCode = -1;
    fixture.base->faults().tamperReply = [&](wire::ReplyBuffer &reply) {
        const auto &frames = fixture.base->receivedFrames();
        lastCode = frames.empty() ? -1 : frames.back()[1];
        if (lastCode == failingCode)
            reply[1] = 0x79;
    };
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    QSignalSpy hardwareSpy(&fixture.session, &BaseSession::hardwareSettingsMayHaveChanged);
    LogCapture log(&fixture.link());
    fixture.session.statusTick();

    QVERIFY(log.contains(message));
    QVERIFY(!log.contains("got analog data and settings"));
    QVERIFY(!fixture.link().connected());
    QCOMPARE(hardwareSpy.size(), hardwareSignal ? 1 : 0);
    if (failingCode == 0x71)
        QVERIFY(fixture.session.profiles().empty());

    // The next tick starts over from the connect step and succeeds.
    fixture.base->faults().tamperReply = nullptr;
    fixture.session.statusTick();
    QVERIFY(fixture.link().connected());
    QCOMPARE(int(fixture.session.profiles().size()), 5);
}

void TestMw2Reload::disconnectionEmptiesProfileList()
{
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    QCOMPARE(int(fixture.session.profiles().size()), 5);
    fixture.base->unplug();
    fixture.session.statusTick();
    fixture.session.statusTick();
    QVERIFY(fixture.session.profiles().empty());
}

QTEST_MAIN(TestMw2Reload)
#include "tst_mw2reload.moc"
