// The main window's polling state machine, driven tick by tick against the virtual base.

#include "devicecommands.h"
#include "linkfixture.h"
#include "logcapture.h"
#include "manualclock.h"
#include "mw2.h"
#include "scriptedprompts.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class TestMw2Polling : public QObject {
    Q_OBJECT

private slots:
    void init();
    void firstTickConnectsAndReloads();
    void connectedTickRefreshesStatus();
    void unplugGoesDisconnectedAndReplugReloads();
    void untrustedFirstStatusRetriesNextTick();
    void reloadStepFailureStopsSequence();
    void noBaseLogsProbesEveryTick();
    void savingPausesTicks();
    void updatesPausedStopsWheelTimer();
    void wheelTick();
    void wheelTickFailureClosesLink();
    void bootloaderAtStartEndsProgram();
    void storesToolVersionOnFirstTick();

private:
};

void TestMw2Polling::init()
{
    flashDelayTimer().stop();
    forceFullRefresh = true;
    // This version has run before: no changelog on the first tick.
    QSettings("Halvern Labs", "Veltrane2").setValue("Version", "1.0.15");
}

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
    basesim::BaseConfig config = LinkFixture::operationalCendra();
    config.activeProfile = 2;
    LinkFixture fixture(config);
    MW2 window("1.0.15", "2020.1", 0);
    QSignalSpy profileSpy(&window, &MW2::activeProfileChanged);
    QSignalSpy hardwareSpy(&window, &MW2::hardwareSettingsMayHaveChanged);
    LogCapture log;

    window.statusUpdate();

    QVERIFY(deviceLink().connected);
    QVERIFY(window.firstConnectionDone());
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
    LinkFixture fixture;
    MW2 window("1.0.15", "2020.1", 0);
    window.statusUpdate();
    fixture.base->clearReceivedFrames();

    LogCapture log;
    window.statusUpdate();
    QVERIFY(log.messages().isEmpty());
    QCOMPARE(countFrames(*fixture.base, 0x00), 1);
    QCOMPARE(window.findChild<QLabel *>("operationalLabel")->text(), QString("Operational"));
    QCOMPARE(window.findChild<QLabel *>("veltrane2versionlabel")->text(), QString("Veltrane 2 Cendra"));
    QCOMPARE(window.findChild<QLabel *>("fwversionLabel")->text(), QString("1.0.15"));
    QVERIFY(window.findChild<QPushButton *>("SaveToFlashButton")->isEnabled());
    QVERIFY(!forceFullRefresh);
    QVERIFY(window.findChild<QTimer *>("wheelTimer")->isActive());
}

void TestMw2Polling::unplugGoesDisconnectedAndReplugReloads()
{
    ManualClock clock;
    LinkFixture fixture;
    MW2 window("1.0.15", "2020.1", 0);
    window.statusUpdate();
    window.statusUpdate();
    auto *dialog = new QDialog;
    QPointer<QDialog> guard(dialog);
    window.trackDialog(dialog);
    dialog->show();

    fixture.base->unplug();
    QSignalSpy profileSpy(&window, &MW2::activeProfileChanged);
    LogCapture log;
    window.statusUpdate(); // the status request fails
    QVERIFY(!deviceLink().connected);
    QVERIFY(log.contains("disconnection due to status update read failure."));
    QVERIFY(guard); // dialogs go on the disconnected path, one tick later

    window.statusUpdate();
    window.statusUpdate();
    QCOMPARE(profileSpy.size(), 2); // once per disconnected tick
    QCOMPARE(profileSpy[0][0].toInt(), -1);
    QVERIFY(!guard);
    QCOMPARE(window.findChild<QLabel *>("operationalLabel")->text(), QString("Disconnected"));
    QVERIFY(!window.findChild<QPushButton *>("SaveToFlashButton")->isEnabled());
    QVERIFY(!window.findChild<QTimer *>("wheelTimer")->isActive());
    QVERIFY(!window.firstConnectionDone());
    QCOMPARE(log.count("pid 3423"), 2); // the known model only
    QCOMPARE(log.standardOutput().count("unable to open device\n"), 4); // bootloader probe + reopen, twice

    fixture.base->plug();
    log.clear();
    window.statusUpdate();
    QVERIFY(deviceLink().connected);
    QVERIFY(log.contains("got analog data and settings"));
    QVERIFY(forceFullRefresh);
    window.statusUpdate();
    QVERIFY(!forceFullRefresh);
    QCOMPARE(fixture.base->openHandleCount(), 1);
}

void TestMw2Polling::untrustedFirstStatusRetriesNextTick()
{
    ManualClock clock;
    LinkFixture fixture;
    fixture.base->faults().wrongPacketTypeReplies = 1;
    MW2 window("1.0.15", "2020.1", 0);
    LogCapture log;

    window.statusUpdate();
    QVERIFY(log.contains("wrong response format on first status update -cannot trust packet."));
    QVERIFY(!log.contains("got profiles"));
    QVERIFY(!deviceLink().connected);
    QCOMPARE(countFrames(*fixture.base, 0x14), 0);

    log.clear();
    window.statusUpdate();
    QVERIFY(log.contains("got analog data and settings"));
    QVERIFY(deviceLink().connected);
    QCOMPARE(fixture.base->openHandleCount(), 1);
}

void TestMw2Polling::reloadStepFailureStopsSequence()
{
    ManualClock clock;
    LinkFixture fixture;
    fixture.base->faults().dropReplies = true;
    MW2 window("1.0.15", "2020.1", 0);
    QSignalSpy hardwareSpy(&window, &MW2::hardwareSettingsMayHaveChanged);
    LogCapture log;
    window.statusUpdate();
    QVERIFY(log.contains("disconnection due to status update read failure."));
    QVERIFY(!log.contains("got a response"));
    QVERIFY(!deviceLink().connected);
    QCOMPARE(hardwareSpy.size(), 0);
}

void TestMw2Polling::noBaseLogsProbesEveryTick()
{
    basesim::BaseConfig config;
    config.plugged = false;
    LinkFixture fixture(config);
    MW2 window("1.0.15", "2020.1", 0);
    LogCapture log;
    window.statusUpdate();
    window.statusUpdate();
    QCOMPARE(log.count("Could not connect to VT2"), 2);
    QCOMPARE(log.count("unable to open device, pid:  3423"), 2);
    QCOMPARE(log.count("unable to open device, pid:  3425"), 2);
    QCOMPARE(window.findChild<QLabel *>("operationalLabel")->text(), QString("Disconnected"));
}

void TestMw2Polling::savingPausesTicks()
{
    ManualClock clock;
    LinkFixture fixture;
    MW2 window("1.0.15", "2020.1", 0);
    window.statusUpdate();
    window.statusUpdate(); // a connected refresh makes the device actions usable
    QVERIFY(saveToFlash());
    fixture.base->clearReceivedFrames();

    LogCapture log;
    window.statusUpdate();
    window.wheelUpdate();
    QCOMPARE(log.messages(), QStringList({"no statusupdate due to flash timer"}));
    QVERIFY(fixture.base->receivedFrames().empty());
    QVERIFY(!window.wheelSampleValid());

    window.findChild<QPushButton *>("ReloadFlashButton")->setEnabled(false);
    QSignalSpy expiry(&flashDelayTimer(), &QTimer::timeout);
    flashDelayTimer().start(1); // let the real expiry path run
    QVERIFY(expiry.wait(1000));
    QVERIFY(!flashDelayTimer().isActive());
    QVERIFY(!deviceLink().updatesPaused);
    QVERIFY(window.findChild<QPushButton *>("ReloadFlashButton")->isEnabled());

    window.statusUpdate();
    QCOMPARE(countFrames(*fixture.base, 0x00), 1);
}

void TestMw2Polling::updatesPausedStopsWheelTimer()
{
    LinkFixture fixture;
    MW2 window("1.0.15", "2020.1", 0);
    deviceLink().updatesPaused = true;
    LogCapture log;
    window.statusUpdate();
    QCOMPARE(log.messages(), QStringList({"updates paused"}));
    QVERIFY(!window.findChild<QTimer *>("wheelTimer")->isActive());
    QVERIFY(fixture.base->receivedFrames().empty());
}

void TestMw2Polling::wheelTick()
{
    LinkFixture fixture;
    MW2 window("1.0.15", "2020.1", 0);
    window.wheelUpdate();
    QVERIFY(!window.wheelSampleValid());

    {
        ManualClock clock;
        window.statusUpdate();
    }
    fixture.base->state().holdWheel(0x8100);
    QTest::qWait(10);
    window.wheelUpdate();
    QVERIFY(window.wheelSampleValid());
    QCOMPARE(int(wheelSample().position), 0x8100);

    fixture.base->state().holdWheel(0x8200);
    QTest::qWait(10);
    window.wheelUpdate();
    QCOMPARE(int(window.previousWheelSample()), 0x8100);
    QCOMPARE(int(wheelSample().position), 0x8200);
}

void TestMw2Polling::wheelTickFailureClosesLink()
{
    ManualClock clock;
    LinkFixture fixture;
    MW2 window("1.0.15", "2020.1", 0);
    window.statusUpdate();
    fixture.base->faults().failReads = true;
    window.wheelUpdate();
    QVERIFY(!deviceLink().connected);
    QVERIFY(!deviceLink().deviceHandle);
    QCOMPARE(fixture.base->openHandleCount(), 0);

    fixture.base->faults().failReads = false;
    window.statusUpdate();
    QVERIFY(deviceLink().connected);
}

void TestMw2Polling::bootloaderAtStartEndsProgram()
{
    basesim::BaseConfig config;
    config.inBootloader = true;
    LinkFixture fixture(config);
    MW2 window("1.0.15", "2020.1", 0);
    window.show();
    LogCapture log;
    window.statusUpdate();
    QVERIFY(log.contains("bootloader detected"));
    QVERIFY(log.contains("fw update dialog finished, shutting down"));
    QVERIFY(!log.contains("Disconnected state"));
    QVERIFY(!window.isVisible());
    QVERIFY(!window.findChild<QTimer *>("statusTimer")->isActive());
}

void TestMw2Polling::storesToolVersionOnFirstTick()
{
    QSettings settings("Halvern Labs", "Veltrane2");
    settings.remove("Version");
    basesim::BaseConfig config;
    config.plugged = false;
    LinkFixture fixture(config);
    MW2 window("1.0.15", "2020.1", 0);
    ScriptedPrompts prompts;
    window.statusUpdate();
    QCOMPARE(settings.value("Version").toString(), QString("1.0.15"));
}

QTEST_MAIN(TestMw2Polling)
#include "tst_mw2polling.moc"
