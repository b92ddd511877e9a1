// The session's polling state machine, driven tick by tick against the virtual base, with
// the window listening.

#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class TestMw2Polling : public QObject {
    Q_OBJECT

private slots:
    void firstTickConnectsAndReloads();
    void connectedTickRefreshesStatus();
    void unplugGoesDisconnectedAndReplugReloads();
    void untrustedFirstStatusRetriesNextTick();
    void reloadStepFailureStopsSequence();
    void noBaseLogsProbesEveryTick();
    void savingPausesTicks();
    void heldLinkStopsWheelTimer();
    void wheelTick();
    void wheelTickFailureClosesLink();
    void bootloaderAtStartEndsProgram();
    void storesToolVersionOnFirstTick();
};

static int countFrames(const basesim::VirtualBase &base, int code)
{
    int n = 0;
    for (const auto &f : base.receivedFrames())
        n += f[1] == code;
    return n;
}

void TestMw2Polling::firstTickConnectsAndReloads()
{
    ManualClock clock;
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.activeProfile = 2;
    SessionFixture fixture(config);
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    QSignalSpy profileSpy(&fixture.session, &BaseSession::activeProfileChanged);
    QSignalSpy hardwareSpy(&fixture.session, &BaseSession::hardwareSettingsMayHaveChanged);
    LogCapture log(&fixture.link());

    fixture.session.statusTick();

    QVERIFY(fixture.link().connected());
    QVERIFY(fixture.session.firstConnectionDone());
    const QStringList expected{"Disconnected state",
                               "Connected to VT2 Cendra",
                               "reconnected",
                               "got a response",
                               "loadIncludedFirmwareVersion : included  1 . 0 . 15",
                               "shouldShowFirmwareUpdatePrompt : device reported  1 . 0 . 15",
                               "first connection done",
                               "no need to update",
                               "checked fw update need",
                               "got profiles",
                               "got hardware settings",
                               "got analog data and settings"};
    QCOMPARE(log.messages(), expected);
    // The sequence's own waits, and nothing else: 500 + 200 + 20 + 100 + 100 + 21 x 5.
    QCOMPARE(clock.slept(), 1025);

    QCOMPARE(profileSpy.size(), 2);
    QCOMPARE(profileSpy[0][0].toInt(), -1);
    QCOMPARE(profileSpy[1][0].toInt(), 2);
    QCOMPARE(hardwareSpy.size(), 1);
    QCOMPARE(countFrames(*fixture.base, 0x00), 1);
    QCOMPARE(countFrames(*fixture.base, 0x14), 1); // calibrated analog mode last
    QCOMPARE(int(fixture.base->receivedFrames().back()[1]), 0x14);
}

void TestMw2Polling::connectedTickRefreshesStatus()
{
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    fixture.base->clearReceivedFrames();

    LogCapture log(&fixture.link());
    QSignalSpy refreshSpy(&fixture.session, &BaseSession::controlsRefreshDue);
    fixture.session.statusTick();
    QVERIFY(log.messages().isEmpty());
    QCOMPARE(countFrames(*fixture.base, 0x00), 1);
    QCOMPARE(window.findChild<QLabel *>("operationalLabel")->text(), QString("Operational"));
    QCOMPARE(window.findChild<QLabel *>("veltrane2versionlabel")->text(), QString("Veltrane 2 Cendra"));
    QCOMPARE(window.findChild<QLabel *>("fwversionLabel")->text(), QString("1.0.15"));
    QVERIFY(window.findChild<QPushButton *>("SaveToFlashButton")->isEnabled());
    QVERIFY(fixture.session.wheelTimer().isActive());
    // The first connected tick refilled everything and used up the request: the next is partial.
    QCOMPARE(refreshSpy.size(), 1);
    QCOMPARE(refreshSpy.takeFirst()[0].toBool(), true);
    fixture.session.statusTick();
    QCOMPARE(refreshSpy.size(), 1);
    QCOMPARE(refreshSpy.takeFirst()[0].toBool(), false);
}

void TestMw2Polling::unplugGoesDisconnectedAndReplugReloads()
{
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    fixture.session.statusTick();
    auto *dialog = new QDialog;
    QPointer<QDialog> guard(dialog);
    window.trackDialog(dialog);
    dialog->show();

    fixture.base->unplug();
    QSignalSpy profileSpy(&fixture.session, &BaseSession::activeProfileChanged);
    LogCapture log(&fixture.link());
    fixture.session.statusTick(); // the status request fails
    QVERIFY(!fixture.link().connected());
    QVERIFY(log.contains("disconnection due to status update read failure."));
    QVERIFY(guard); // dialogs go on the disconnected path, one tick later

    fixture.session.statusTick();
    fixture.session.statusTick();
    QCOMPARE(profileSpy.size(), 2); // once per disconnected tick
    QCOMPARE(profileSpy[0][0].toInt(), -1);
    QVERIFY(!guard);
    QCOMPARE(window.findChild<QLabel *>("operationalLabel")->text(), QString("Disconnected"));
    QVERIFY(!window.findChild<QPushButton *>("SaveToFlashButton")->isEnabled());
    QVERIFY(!fixture.session.wheelTimer().isActive());
    QVERIFY(!fixture.session.firstConnectionDone());
    QCOMPARE(log.count("pid 3423"), 2); // the known model only
    QCOMPARE(log.standardOutput().count("unable to open device\n"), 4); // bootloader probe + reopen, twice

    fixture.base->plug();
    log.clear();
    fixture.session.statusTick();
    QVERIFY(fixture.link().connected());
    QVERIFY(log.contains("got analog data and settings"));
    // The reconnection asks for a full refresh; the first connected tick uses it up.
    QSignalSpy refreshSpy(&fixture.session, &BaseSession::controlsRefreshDue);
    fixture.session.statusTick();
    QCOMPARE(refreshSpy.size(), 1);
    QCOMPARE(refreshSpy.takeFirst()[0].toBool(), true);
    fixture.session.statusTick();
    QCOMPARE(refreshSpy.size(), 1);
    QCOMPARE(refreshSpy.takeFirst()[0].toBool(), false);
    QCOMPARE(fixture.base->openHandleCount(), 1);
}

void TestMw2Polling::untrustedFirstStatusRetriesNextTick()
{
    ManualClock clock;
    SessionFixture fixture;
    fixture.base->faults().wrongPacketTypeReplies = 1;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    LogCapture log(&fixture.link());

    fixture.session.statusTick();
    QVERIFY(log.contains("wrong response format on first status update -cannot trust packet."));
    QVERIFY(!log.contains("got profiles"));
    QVERIFY(!fixture.link().connected());
    QCOMPARE(countFrames(*fixture.base, 0x14), 0);

    log.clear();
    fixture.session.statusTick();
    QVERIFY(log.contains("got analog data and settings"));
    QVERIFY(fixture.link().connected());
    QCOMPARE(fixture.base->openHandleCount(), 1);
}

void TestMw2Polling::reloadStepFailureStopsSequence()
{
    ManualClock clock;
    SessionFixture fixture;
    fixture.base->faults().dropReplies = true;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    QSignalSpy hardwareSpy(&fixture.session, &BaseSession::hardwareSettingsMayHaveChanged);
    LogCapture log(&fixture.link());
    fixture.session.statusTick();
    QVERIFY(log.contains("disconnection due to status update read failure."));
    QVERIFY(!log.contains("got a response"));
    QVERIFY(!fixture.link().connected());
    QCOMPARE(hardwareSpy.size(), 0);
}

void TestMw2Polling::noBaseLogsProbesEveryTick()
{
    basesim::BaseConfig config;
    config.plugged = false;
    SessionFixture fixture(config);
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    LogCapture log(&fixture.link());
    fixture.session.statusTick();
    fixture.session.statusTick();
    QCOMPARE(log.count("Could not connect to VT2"), 2);
    QCOMPARE(log.count("unable to open device, pid:  3423"), 2);
    QCOMPARE(log.count("unable to open device, pid:  3425"), 2);
    QCOMPARE(window.findChild<QLabel *>("operationalLabel")->text(), QString("Disconnected"));
}

void TestMw2Polling::savingPausesTicks()
{
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    fixture.session.statusTick(); // a connected refresh makes the device actions usable
    QVERIFY(fixture.link().saveToFlash());
    fixture.base->clearReceivedFrames();

    LogCapture log(&fixture.link());
    fixture.session.statusTick();
    fixture.session.wheelTick();
    QCOMPARE(log.messages(), QStringList({"no statusupdate due to flash timer"}));
    QVERIFY(fixture.base->receivedFrames().empty());
    QVERIFY(!fixture.session.wheelSampleValid());

    window.findChild<QPushButton *>("ReloadFlashButton")->setEnabled(false);
    QSignalSpy expiry(&fixture.link().gate(), &LinkGate::flashDelayElapsed);
    fixture.link().gate().startFlashDelay(LinkGate::FlashWork::Saving, 1); // let the real expiry path run
    QVERIFY(expiry.wait(1000));
    QVERIFY(!fixture.link().gate().flashDelayRunning());
    QVERIFY(!fixture.link().gate().busy());
    QVERIFY(window.findChild<QPushButton *>("ReloadFlashButton")->isEnabled());

    fixture.session.statusTick();
    QCOMPARE(countFrames(*fixture.base, 0x00), 1);
}

void TestMw2Polling::heldLinkStopsWheelTimer()
{
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.start();
    QVERIFY(fixture.session.wheelTimer().isActive());
    const LinkGate::Hold hold = fixture.link().gate().acquire(QStringLiteral("recalibrating the encoder"));
    QVERIFY(hold.granted());
    LogCapture log(&fixture.link());
    fixture.session.statusTick();
    QCOMPARE(log.messages(), QStringList({"updates paused"}));
    QVERIFY(!fixture.session.wheelTimer().isActive());
    QVERIFY(fixture.base->receivedFrames().empty());
}

void TestMw2Polling::wheelTick()
{
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.wheelTick();
    QVERIFY(!fixture.session.wheelSampleValid());

    {
        ManualClock clock;
        fixture.session.statusTick();
    }
    fixture.base->state().holdWheel(0x8100);
    QTest::qWait(10);
    fixture.session.wheelTick();
    QVERIFY(fixture.session.wheelSampleValid());
    QCOMPARE(int(fixture.link().wheelSample().position), 0x8100);

    fixture.base->state().holdWheel(0x8200);
    QTest::qWait(10);
    fixture.session.wheelTick();
    QCOMPARE(int(fixture.session.previousWheelSample()), 0x8100);
    QCOMPARE(int(fixture.link().wheelSample().position), 0x8200);
}

void TestMw2Polling::wheelTickFailureClosesLink()
{
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    fixture.base->faults().failReads = true;
    fixture.session.wheelTick();
    QVERIFY(!fixture.link().connected());
    QVERIFY(!fixture.link().deviceHandle());
    QCOMPARE(fixture.base->openHandleCount(), 0);

    fixture.base->faults().failReads = false;
    fixture.session.statusTick();
    QVERIFY(fixture.link().connected());
}

void TestMw2Polling::bootloaderAtStartEndsProgram()
{
    basesim::BaseConfig config;
    config.inBootloader = true;
    SessionFixture fixture(config);
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    window.show();
    fixture.session.start();
    LogCapture log(&fixture.link());
    fixture.session.statusTick();
    QVERIFY(log.contains("bootloader detected"));
    QVERIFY(log.contains("fw update dialog finished, shutting down"));
    QVERIFY(!log.contains("Disconnected state"));
    QVERIFY(!window.isVisible());
    QVERIFY(!fixture.session.statusTimer().isActive());
}

void TestMw2Polling::storesToolVersionOnFirstTick()
{
    basesim::BaseConfig config;
    config.plugged = false;
    SessionFixture fixture(config);
    QSettings settings("Halvern Labs", "Veltrane2");
    settings.remove("Version"); // after the fixture, which seeds it
    ScriptedPrompts prompts;
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    QCOMPARE(settings.value("Version").toString(), QString("1.0.15"));
}

QTEST_MAIN(TestMw2Polling)
#include "tst_mw2polling.moc"
