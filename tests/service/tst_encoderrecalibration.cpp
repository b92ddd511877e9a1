// The encoder recalibration against the virtual base's drive, on the manual clock: the
// lines it reports, what it leaves in the drive, its waits, and the dialog around it.

#include "basesim/basedrive.h"
#include "service/encoderrecalibration.h"
#include "service/encoderrecalibrationdialog.h"
#include "session/basesession.h"
#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QPushButton>
#include <QShortcut>
#include <QtTest>

using service::EncoderRecalibration;

class TestEncoderRecalibration : public QObject {
    Q_OBJECT

private slots:
    void fullRunOnTheVirtualDrive();
    void refusesBeforeSendingAnything_data();
    void refusesBeforeSendingAnything();
    void estopReleasedAfterThreeSeconds();
    void estopHeld();
    void driveAtFault();
    void failedStepEndsTheRun_data();
    void failedStepEndsTheRun();
    void dialogHoldsTheLinkAndCannotBeClosedWhileRunning();
    void shortcutRunsTheProcedureFromTheWindow();
};

namespace {

QStringList progress(int seconds)
{
    QStringList lines;
    for (int n = 1; n < seconds; ++n)
        lines << QString("Waited %1 seconds").arg(n);
    return lines;
}

// A connected, reloaded session on the manual clock; the procedure's lines and waits go
// to one log so their order can be checked.
struct Bench {
    ManualClock clock;
    SessionFixture fixture;
    QStringList lines;
    QStringList log;   // lines and "wait N" in the order they happened
    std::function<void(const QString &)> onLine;
    std::function<void()> onWait;

    Bench()
    {
        fixture.session.statusTick();
        fixture.session.statusTick();
        fixture.base->clearReceivedFrames();
    }
    basesim::BaseState &base() { return fixture.base->state(); }
    DeviceLink &link() { return fixture.link(); }
    std::int32_t drive(std::uint16_t address) { return base().drive.parameters[address]; }

    bool run()
    {
        EncoderRecalibration procedure(
            link(),
            [this](const QString &line) {
                lines << line;
                log << line;
                if (onLine)
                    onLine(line);
            },
            [this](int ms) {
                linkclock::sleepMs(ms);
                log << QString("wait %1").arg(ms);
                if (onWait)
                    onWait();
            });
        return procedure.run();
    }
    int framesOf(std::uint8_t code) const
    {
        int count = 0;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            count += frame[1] == code ? 1 : 0;
        return count;
    }
};

} // namespace

void TestEncoderRecalibration::fullRunOnTheVirtualDrive()
{
    Bench bench;
    const std::int32_t peakCurrent = std::int32_t(bench.link().hardwareSettings().word[service::kPeakCurrentWord]);
    QVERIFY(peakCurrent > 0);
    bench.base().drive.parameters[basesim::drive::MaximumPower] = 1234;   // to be restored
    const std::int32_t before = bench.drive(basesim::drive::CommutationOffset);

    QVERIFY(bench.run());

    const std::int32_t after = bench.drive(basesim::drive::CommutationOffset);
    const QStringList expected = QStringList{QString("Previous offset value: %1 Serial NR: 2104417 UID NR: 3838404").arg(before),
                                             "Setting commutation init source",
                                             "Resetting default maximum power and saving settings",
                                             "Restarting drive and waiting for 15 seconds"}
        + progress(15)
        + QStringList{"requesting new offset", QString("New offset calibration value: %1").arg(after),
                      "Setting init source = absolute encoder and saving", "Waiting for final restart"}
        + progress(10) + QStringList{"Process finished."};
    QCOMPARE(bench.lines, expected);

    // The drive keeps the measured offset as the absolute encoder's, at full power.
    QCOMPARE(bench.drive(basesim::drive::CommutationInitSource), basesim::drive::kInitSourceAbsoluteEncoder);
    QCOMPARE(bench.drive(basesim::drive::MaximumPower), peakCurrent);
    // Read with the same settle as every other read.
    const int asked = bench.log.indexOf("requesting new offset");
    QCOMPARE(bench.log.mid(asked, 3),
             (QStringList{"requesting new offset", "wait 10", QString("New offset calibration value: %1").arg(after)}));
    int waited = 0;
    for (const QString &entry : qAsConst(bench.log))
        waited += entry.startsWith("wait ") ? entry.mid(5).toInt() : 0;
    QCOMPARE(waited, 10 + 10 + 10 + 15000 + 10 + 10000);
}

void TestEncoderRecalibration::refusesBeforeSendingAnything_data()
{
    QTest::addColumn<std::uint32_t>("mode");
    QTest::addColumn<std::uint32_t>("peakCurrent");
    QTest::addColumn<QString>("line");
    QTest::newRow("not operational") << std::uint32_t(wire::ModeWaitingForFaults) << 8000u
                                     << "Error: System not operational";
    // Written into 411, a limit never read would leave the drive with no power at all.
    QTest::newRow("peak current unknown") << std::uint32_t(wire::ModeOperational) << 0u
                                          << "Error: The peak current limit of the hardware settings is not known, "
                                             "so the drive's maximum power cannot be restored. Nothing was changed; "
                                             "reconnect the base and try again.";
}

void TestEncoderRecalibration::refusesBeforeSendingAnything()
{
    QFETCH(std::uint32_t, mode);
    QFETCH(std::uint32_t, peakCurrent);
    QFETCH(QString, line);
    Bench bench;
    // The base reports the mode; the tool's hardware record holds the limit as it knows it.
    bench.base().operatingMode = mode;
    bench.fixture.session.statusTick();
    QCOMPARE(bench.link().status().operatingMode, mode);
    wire::HardwareSettings hardware = bench.link().hardwareSettings();
    hardware.word[service::kPeakCurrentWord] = peakCurrent;
    bench.fixture.session.editHardwareSettings(hardware);
    bench.fixture.base->clearReceivedFrames();
    QVERIFY(!bench.run());
    QCOMPARE(bench.lines, QStringList{line});
    QVERIFY(bench.fixture.base->receivedFrames().empty());
}

void TestEncoderRecalibration::estopReleasedAfterThreeSeconds()
{
    Bench bench;
    bench.base().estopPressed = true;   // after the last status: the tool still sees mode 11
    const linkclock::Milliseconds releaseAt = bench.clock.peek() + 3000;
    bool released = false;
    bench.onWait = [&] {
        if (!released && bench.clock.peek() >= releaseAt) {
            bench.base().estopPressed = false;
            released = true;
        }
    };
    QVERIFY(bench.run());
    QCOMPARE(bench.lines.mid(0, 2),
             (QStringList{"Error: E-stop is pressed.", "Waiting 10 seconds for E-stop to be released."}));
    QVERIFY(bench.lines.at(2).startsWith("Previous offset value: "));
    // The first read that sees it released is followed by 100 ms before the next read.
    const int settle = bench.log.indexOf("wait 100");
    QVERIFY(settle > 0);
    QCOMPARE(bench.log.at(settle - 1), QString("wait 10"));
    QCOMPARE(bench.lines.last(), QString("Process finished."));
}

void TestEncoderRecalibration::estopHeld()
{
    Bench bench;
    bench.base().estopPressed = true;
    QVERIFY(!bench.run());
    QCOMPARE(bench.lines, (QStringList{"Error: E-stop is pressed.", "Waiting 10 seconds for E-stop to be released.",
                                       "Error: E-stop not released in 10 seconds."}));
    QCOMPARE(bench.framesOf(0x97), 1 + 1000);
    QCOMPARE(bench.framesOf(0x96), 0);
}

void TestEncoderRecalibration::driveAtFault()
{
    Bench bench;
    bench.base().driveFaults = 0x4;
    bench.base().faultLocation = 77;
    QVERIFY(!bench.run());
    QCOMPARE(bench.lines, QStringList{"Error: Drive at fault: FAULTS:0 FAULT LOCATION ID: 77 Serial NR: 2104417"});
    QCOMPARE(bench.framesOf(0x96), 0);
}

void TestEncoderRecalibration::failedStepEndsTheRun_data()
{
    QTest::addColumn<QString>("failFrom");   // writes fail from this line on; empty: from the start
    QTest::addColumn<bool>("dropReplies");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("first request") << "" << false << "Error: Parameter request failed";
    QTest::newRow("first fetch") << "" << true << "Error: Parameter read failed";
    QTest::newRow("init source") << "Setting commutation init source" << false
                                 << "Error: Setting commutation init source failed.";
    QTest::newRow("save and restart") << "Restarting drive and waiting for 15 seconds" << false
                                      << "Error: Save settings command failed.";
    QTest::newRow("new offset") << "requesting new offset" << false << "Error: Parameter read failed";
    QTest::newRow("final parameters") << "Setting init source = absolute encoder and saving" << false
                                      << "Error: Set parameters command failed.";
}

void TestEncoderRecalibration::failedStepEndsTheRun()
{
    QFETCH(QString, failFrom);
    QFETCH(bool, dropReplies);
    QFETCH(QString, lastLine);
    Bench bench;
    const auto fail = [&] {
        bench.fixture.base->faults().failWrites = !dropReplies;
        bench.fixture.base->faults().dropReplies = dropReplies;
    };
    if (failFrom.isEmpty())
        fail();
    bench.onLine = [&](const QString &line) {
        if (line == failFrom)
            fail();
    };
    QVERIFY(!bench.run());
    QCOMPARE(bench.lines.last(), lastLine);
    QVERIFY(!bench.lines.contains("Process finished."));
}

void TestEncoderRecalibration::dialogHoldsTheLinkAndCannotBeClosedWhileRunning()
{
    Bench bench;
    ScriptedPrompts prompts;
    bool heldThroughout = true;
    bool stayedOpen = true;
    int probes = 0;
    EncoderRecalibrationDialog *open = nullptr;
    prompts.onDialog = [&](QDialog *dialog) {
        open = qobject_cast<EncoderRecalibrationDialog *>(dialog);
        dialog->show();
        dialog->findChild<QPushButton *>("startpushButton")->click();
        open = nullptr;
        dialog->reject();
        return int(QDialog::Rejected);
    };
    const auto probe = [&](int ms) {
        linkclock::sleepMs(ms);
        if (!open || ++probes % 500 != 1)
            return;
        heldThroughout = heldThroughout && bench.link().gate().holder() == "recalibrating the encoder";
        open->reject();
        open->close();
        stayedOpen = stayedOpen && open->isVisible() && open->running();
        // The polling stays silent meanwhile.
        bench.fixture.session.statusTick();
    };
    QVERIFY(EncoderRecalibrationDialog::run(bench.link(), prompts, nullptr, probe));
    QCOMPARE(prompts.dialogsRun, 1);
    QVERIFY(probes > 20);
    QVERIFY(heldThroughout);
    QVERIFY(stayedOpen);
    QVERIFY(!bench.link().gate().busy());
    QCOMPARE(bench.framesOf(0x00), 0);   // no status request during the run
    QCOMPARE(bench.drive(basesim::drive::CommutationInitSource), basesim::drive::kInitSourceAbsoluteEncoder);
}

void TestEncoderRecalibration::shortcutRunsTheProcedureFromTheWindow()
{
    Bench bench;
    ScriptedPrompts prompts;
    MW2 window(bench.fixture.session, prompts, "1.0.15", "2020.1");
    QStringList lines;
    QString title;
    prompts.onDialog = [&](QDialog *dialog) -> int {
        auto *recalibration = qobject_cast<EncoderRecalibrationDialog *>(dialog);
        if (!recalibration)
            return int(QDialog::Rejected);
        title = recalibration->windowTitle();
        dialog->findChild<QPushButton *>("startpushButton")->click();
        lines = recalibration->resultLines();
        return int(QDialog::Accepted);
    };
    auto *shortcut = window.findChild<QShortcut *>("recalibrateEncoderShortcut");
    QVERIFY(shortcut);
    QCOMPARE(shortcut->key(), QKeySequence("Ctrl+E"));
    emit shortcut->activated();
    QCOMPARE(prompts.dialogsRun, 1);
    QCOMPARE(title, QString("Encoder recalibration"));
    QCOMPARE(lines.last(), QString("Process finished."));
    QVERIFY(!bench.link().gate().busy());

    // While the flash is written nothing opens.
    bench.link().saveToFlash();
    emit shortcut->activated();
    QCOMPARE(prompts.dialogsRun, 1);
}

QTEST_MAIN(TestEncoderRecalibration)
#include "tst_encoderrecalibration.moc"
