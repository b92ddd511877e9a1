// The pedal calibration dialog against the virtual base: opened from the hardware page,
// driven through its own controls, and what each step sends to the base.

#include "analog/analogconfigdialog.h"
#include "session/basesession.h"
#include "device/devicelink.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

class TestAnalogConfigDialog : public QObject {
    Q_OBJECT

private slots:
    void openingSwitchesToRawMode();
    void openingFailsUnseen();
    void liveValuesFromRawReports();
    void okWithoutRecordChange_data();
    void okWithoutRecordChange();
    void okWritesEditedRecordFirst();
    void cancelRestoresOpeningCopy_data();
    void cancelRestoresOpeningCopy();
    void deadZonesOfInvertedAxis_data();
    void deadZonesOfInvertedAxis();
    void resetAxisIsSentAtOnce();
    void exportImportRoundTrip();
    void importWithoutYpinFails();
    void closedByDisconnection();
    void closedOutsideOperationalMode();
};

namespace {

// The commands the dialog sends, by name; the 21 frames of one record write are one entry.
QStringList sentCommands(const std::vector<wire::CommandFrame> &frames)
{
    QStringList names;
    for (const wire::CommandFrame &frame : frames) {
        switch (frame[1]) {
        case 0x13: names << "setRawAnalogMode"; break;
        case 0x14: names << "setCalibratedAnalogMode"; break;
        case 0x1B: names << "setSettingsNotChanged"; break;
        case 0xC8: names << "WriteNOP"; break;
        case 0x7B:
        case 0x80:
            if (names.isEmpty() || names.last() != "setAnalogData")
                names << "setAnalogData";
            break;
        default: names << QString::number(frame[1], 16); // 0 is the status request
        }
    }
    return names;
}

// Selectors of the record writes among the frames: which analog record they address.
QSet<int> writtenRecords(const std::vector<wire::CommandFrame> &frames)
{
    QSet<int> records;
    for (const wire::CommandFrame &frame : frames) {
        if (frame[1] == 0x7B)
            records << frame[2];
    }
    return records;
}

// The session's timers stay still: the ticks are driven by hand.
struct Session {
    ManualClock clock;
    SessionFixture fixture;
    ScriptedPrompts prompts;
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};

    // Connected, reloaded and shown operational, so the button is usable. `prepare` sets up
    // the base before the session reads it.
    explicit Session(const std::function<void(basesim::BaseState &)> &prepare = {})
    {
        if (prepare)
            prepare(base());
        statusTick();
        statusTick();
    }
    void statusTick() { fixture.session.statusTick(); }
    void wheelTick() { fixture.session.wheelTick(); }
    DeviceLink &link() { return fixture.link(); }
    basesim::BaseState &base() { return fixture.base->state(); }
    QPushButton *configureButton() { return window.findChild<QPushButton *>("configureanalogspushbutton"); }
    AnalogConfigDialog *dialog() { return window.findChild<AnalogConfigDialog *>(); }

    // Opens the dialog with the base's Unsaved flag as given; frames recorded so far are
    // forgotten, the opening's own too.
    AnalogConfigDialog *open(bool unsaved = false)
    {
        base().setFlag(wire::Unsaved, unsaved);
        statusTick();
        configureButton()->click();
        fixture.base->clearReceivedFrames();
        return dialog();
    }
    QStringList sent() { return sentCommands(fixture.base->receivedFrames()); }
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    const wire::AnalogSettings &baseRecord(int index = 0) { return base().ram.analog[std::size_t(index)]; }
};

template <typename Widget> Widget *child(QWidget *dialog, const QString &name)
{
    auto *widget = dialog->findChild<Widget *>(name);
    if (!widget)
        qFatal("no widget %s", qPrintable(name));
    return widget;
}

void press(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    child<QDialogButtonBox>(dialog, "buttonBox")->button(which)->click();
}

QString labelText(QWidget *dialog, const QString &name) { return child<QLabel>(dialog, name)->text(); }

} // namespace

void TestAnalogConfigDialog::openingSwitchesToRawMode()
{
    // The hardware settings name record 5 as the one in use.
    Session s([](basesim::BaseState &base) {
        base.ram.hardware.word[17] = 5;
        base.ram.analog[5].field(wire::AxisClutch, wire::AnalogPin) = 2;
    });

    s.fixture.base->clearReceivedFrames();
    s.configureButton()->click();
    AnalogConfigDialog *dialog = s.dialog();
    QVERIFY(dialog);
    QCOMPARE(s.sent(), QStringList({"setRawAnalogMode", "WriteNOP"}));
    QVERIFY(s.base().inputs.rawAnalogMode);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(dialog->windowTitle(), QString("Analog axis configuration"));
    QCOMPARE(dialog->recordIndex(), 5);

    auto *clutch = child<QComboBox>(dialog, "clutchpincomboBox");
    QStringList pins;
    for (int i = 0; i < clutch->count(); ++i)
        pins << clutch->itemText(i);
    QCOMPARE(pins, QStringList({"Not Configured", "DB15 Clutch pin (Pin 7)", "DB15 Handbrake pin (Pin 14)",
                                "DB15 Gas pin (Pin 6)", "DB15 Brake pin (Pin 13)"}));
    QCOMPARE(clutch->currentIndex(), 2);

    // A second click brings the open dialog forward instead of opening another.
    s.fixture.base->clearReceivedFrames();
    s.configureButton()->click();
    QCOMPARE(s.window.findChildren<AnalogConfigDialog *>().size(), 1);
    QVERIFY(s.sent().isEmpty());

    // The pin goes to the record in use at once.
    clutch->setCurrentIndex(4);
    QCOMPARE(s.sent(), QStringList({"setAnalogData"}));
    QCOMPARE(writtenRecords(s.fixture.base->receivedFrames()), QSet<int>({5}));
    QCOMPARE(s.baseRecord(5).field(wire::AxisClutch, wire::AnalogPin), 4u);
}

void TestAnalogConfigDialog::openingFailsUnseen()
{
    Session s;
    s.fixture.base->faults().failWrites = true;
    s.configureButton()->click();
    s.settle();
    QVERIFY(!s.dialog());
    QVERIFY(!s.link().connected());
}

void TestAnalogConfigDialog::liveValuesFromRawReports()
{
    Session s([](basesim::BaseState &base) {
        wire::AnalogSettings &record = base.ram.analog[0];
        for (int axis : {wire::AxisBrake, wire::AxisThrottle}) {
            record.field(axis, wire::AnalogMin) = 100;
            record.field(axis, wire::AnalogMax) = 65435;
        }
        record.field(wire::AxisThrottle, wire::AnalogInvert) = 1;
        base.inputs.heldSensors = std::array<std::uint16_t, 7>{0x8000, 0x8000, 32767, 32767, 50, 0x8000, 0};
    });

    AnalogConfigDialog *dialog = s.open();
    s.clock.advance(40);
    s.wheelTick();
    dialog->updateUI();

    // The base reports raw readings while the dialog is open; the dialog calibrates them.
    QCOMPARE(labelText(dialog, "brakerawvaluelabel"), QString("32767"));
    QCOMPARE(labelText(dialog, "brakecalibratedvaluelabel"), QString("32766"));
    QCOMPARE(child<QProgressBar>(dialog, "brakepositionprogressBar")->value(), 32766);
    QCOMPARE(labelText(dialog, "throttlecalibratedvaluelabel"), QString("32769"));
    QCOMPARE(labelText(dialog, "clutchrawvaluelabel"), QString("50"));
    QCOMPARE(child<QProgressBar>(dialog, "clutchpositionprogressBar")->maximum(), 65535);

    // Back in calibrated mode the base itself scales the same way.
    press(dialog, QDialogButtonBox::Ok);
    s.clock.advance(40);
    s.wheelTick();
    QCOMPARE(int(s.link().wheelSample().axes[wire::AxisBrake]), 32766);
    QCOMPARE(int(s.link().wheelSample().axes[wire::AxisThrottle]), 32769);
}

void TestAnalogConfigDialog::okWithoutRecordChange_data()
{
    QTest::addColumn<bool>("unsavedAtOpening");
    QTest::addColumn<bool>("pinChangedAndBack");
    QTest::addColumn<QStringList>("sentOnOk");
    QTest::addColumn<bool>("unsavedAfter");

    QTest::newRow("base saved") << false << false
                                << QStringList{"setCalibratedAnalogMode", "setSettingsNotChanged"} << false;
    QTest::newRow("base had unsaved settings") << true << false << QStringList{"setCalibratedAnalogMode"} << true;
    // The pin went out twice, yet the record ends as it was: the base equals its flash again.
    QTest::newRow("pin changed and back") << false << true
                                          << QStringList{"setCalibratedAnalogMode", "setSettingsNotChanged"} << false;
}

void TestAnalogConfigDialog::okWithoutRecordChange()
{
    QFETCH(bool, unsavedAtOpening);
    QFETCH(bool, pinChangedAndBack);
    QFETCH(QStringList, sentOnOk);
    QFETCH(bool, unsavedAfter);

    Session s;
    AnalogConfigDialog *dialog = s.open(unsavedAtOpening);
    if (pinChangedAndBack) {
        auto *brake = child<QComboBox>(dialog, "brakepincomboBox");
        const int pin = brake->currentIndex();
        brake->setCurrentIndex(1);
        brake->setCurrentIndex(pin);
        QVERIFY(s.base().hasFlag(wire::Unsaved));
    }
    s.fixture.base->clearReceivedFrames();
    QPointer<AnalogConfigDialog> guard(dialog);
    press(dialog, QDialogButtonBox::Ok);
    s.settle();

    QCOMPARE(s.sent(), sentOnOk);
    QVERIFY(!guard);
    QVERIFY(!s.base().inputs.rawAnalogMode);
    QCOMPARE(s.base().hasFlag(wire::Unsaved), unsavedAfter);
}

void TestAnalogConfigDialog::okWritesEditedRecordFirst()
{
    Session s;
    AnalogConfigDialog *dialog = s.open();
    child<QSpinBox>(dialog, "throttlelowdeadzonespinBox")->setValue(4000);
    child<QCheckBox>(dialog, "rudderinvertcheckBox")->click();
    // Dead zones and direction wait for OK.
    QVERIFY(s.sent().isEmpty());
    QCOMPARE(s.baseRecord().field(wire::AxisRudder, wire::AnalogInvert), 0u);

    press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(s.sent(), QStringList({"setAnalogData", "setCalibratedAnalogMode"}));
    QCOMPARE(s.baseRecord().field(wire::AxisThrottle, wire::AnalogMin), 4000u);
    QCOMPARE(s.baseRecord().field(wire::AxisRudder, wire::AnalogInvert), 1u);
    QVERIFY(s.base().hasFlag(wire::Unsaved));
    QVERIFY(!s.base().inputs.rawAnalogMode);
}

void TestAnalogConfigDialog::cancelRestoresOpeningCopy_data()
{
    QTest::addColumn<bool>("unsavedAtOpening");
    QTest::addColumn<bool>("closeWindow");
    QTest::addColumn<QStringList>("sentOnCancel");

    const QStringList full{"setAnalogData", "setSettingsNotChanged", "setCalibratedAnalogMode"};
    QTest::newRow("cancel, base saved") << false << false << full;
    QTest::newRow("cancel, base had unsaved settings")
        << true << false << QStringList{"setAnalogData", "setCalibratedAnalogMode"};
    // Closing the window must not leave games with raw values.
    QTest::newRow("window closed") << false << true << full;
}

void TestAnalogConfigDialog::cancelRestoresOpeningCopy()
{
    QFETCH(bool, unsavedAtOpening);
    QFETCH(bool, closeWindow);
    QFETCH(QStringList, sentOnCancel);

    Session s;
    const wire::AnalogSettings before = s.baseRecord();
    AnalogConfigDialog *dialog = s.open(unsavedAtOpening);
    child<QComboBox>(dialog, "hatpincomboBox")->setCurrentIndex(3);
    child<QSpinBox>(dialog, "brakehighdeadzonespinBox")->setValue(900);
    child<QPushButton>(dialog, "clutchresetpushButton")->click();
    QCOMPARE(s.baseRecord().field(wire::AxisHat, wire::AnalogPin), 3u);

    s.fixture.base->clearReceivedFrames();
    if (closeWindow)
        dialog->close();
    else
        press(dialog, QDialogButtonBox::Cancel);
    s.settle();

    QCOMPARE(s.sent(), sentOnCancel);
    QVERIFY(!s.dialog());
    QVERIFY(s.baseRecord().word == before.word);
    QVERIFY(s.link().analogSettings()[0].word == before.word);
    QCOMPARE(s.base().hasFlag(wire::Unsaved), unsavedAtOpening);
    QVERIFY(!s.base().inputs.rawAnalogMode);
}

void TestAnalogConfigDialog::deadZonesOfInvertedAxis_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("field");
    QTest::addColumn<uint>("stored");

    QTest::newRow("normal low") << false << "low" << int(wire::AnalogMin) << 200u;
    QTest::newRow("normal high") << false << "high" << int(wire::AnalogMax) << 65335u;
    QTest::newRow("inverted low") << true << "low" << int(wire::AnalogMax) << 65335u;
    QTest::newRow("inverted high") << true << "high" << int(wire::AnalogMin) << 200u;
}

void TestAnalogConfigDialog::deadZonesOfInvertedAxis()
{
    QFETCH(bool, inverted);
    QFETCH(QString, box);
    QFETCH(int, field);
    QFETCH(uint, stored);

    Session s;
    AnalogConfigDialog *dialog = s.open();
    if (inverted)
        child<QCheckBox>(dialog, "clutchinvertcheckBox")->click();
    child<QSpinBox>(dialog, "clutch" + box + "deadzonespinBox")->setValue(200);
    QCOMPARE(s.link().analogSettings()[0].field(wire::AxisClutch, field), stored);
    QCOMPARE(s.link().analogSettings()[0].field(wire::AxisClutch, wire::AnalogInvert), inverted ? 1u : 0u);

    // Shown back as entered after the next refresh.
    dialog->updateUI();
    QCOMPARE(child<QSpinBox>(dialog, "clutch" + box + "deadzonespinBox")->value(), 200);
}

void TestAnalogConfigDialog::resetAxisIsSentAtOnce()
{
    Session s([](basesim::BaseState &base) {
        wire::AnalogSettings &record = base.ram.analog[0];
        record.field(wire::AxisThrottle, wire::AnalogInvert) = 1;
        record.field(wire::AxisThrottle, wire::AnalogMin) = 5000;
        record.field(wire::AxisThrottle, wire::AnalogMax) = 6000;
        record.field(wire::AxisThrottle, 2) = 77; // carried unchanged
    });

    AnalogConfigDialog *dialog = s.open();
    QVERIFY(child<QCheckBox>(dialog, "throttleinvertcheckBox")->isChecked());
    child<QPushButton>(dialog, "throttleresetpushButton")->click();

    QCOMPARE(s.sent(), QStringList({"setAnalogData"}));
    const wire::AnalogSettings &sent = s.baseRecord();
    QCOMPARE(sent.field(wire::AxisThrottle, wire::AnalogPin), 0u);
    QCOMPARE(sent.field(wire::AxisThrottle, wire::AnalogInvert), 0u);
    QCOMPARE(sent.field(wire::AxisThrottle, wire::AnalogMin), 100u);
    QCOMPARE(sent.field(wire::AxisThrottle, wire::AnalogMax), 65435u);
    QCOMPARE(sent.field(wire::AxisThrottle, 2), 77u);
    QCOMPARE(sent.field(wire::AxisBrake, wire::AnalogPin), 4u); // other axes untouched

    QCOMPARE(child<QComboBox>(dialog, "throttlepincomboBox")->currentText(), QString("Not Configured"));
    QCOMPARE(child<QSpinBox>(dialog, "throttlelowdeadzonespinBox")->value(), 100);
    QCOMPARE(child<QSpinBox>(dialog, "throttlehighdeadzonespinBox")->value(), 100);
    QVERIFY(!child<QCheckBox>(dialog, "throttleinvertcheckBox")->isChecked());
}

void TestAnalogConfigDialog::exportImportRoundTrip()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("pedals.ini");

    Session s;
    AnalogConfigDialog *dialog = s.open();
    child<QComboBox>(dialog, "ypincomboBox")->setCurrentIndex(2);
    child<QSpinBox>(dialog, "hatlowdeadzonespinBox")->setValue(321);
    child<QCheckBox>(dialog, "zinvertcheckBox")->click();
    const wire::AnalogSettings exported = s.link().analogSettings()[0];

    // A cancelled chooser does nothing.
    s.fixture.base->clearReceivedFrames();
    child<QPushButton>(dialog, "savetofilepushButton")->click();
    QVERIFY(!QFile::exists(path));
    QVERIFY(labelText(dialog, "exportimportstatuslabel").isEmpty());

    s.prompts.fileNames << path;
    child<QPushButton>(dialog, "savetofilepushButton")->click();
    QVERIFY(QFile::exists(path));
    QCOMPARE(labelText(dialog, "exportimportstatuslabel"), QString("Exported to .ini"));
    QVERIFY(child<QLabel>(dialog, "exportimportstatuslabel")->styleSheet().contains("#e84e0f"));
    auto *noticeTimer = dialog->findChild<QTimer *>("noticeTimer");
    QVERIFY(noticeTimer->isActive());
    QCOMPARE(noticeTimer->interval(), 5000);
    QMetaObject::invokeMethod(dialog, "exportimportnotification");
    QVERIFY(labelText(dialog, "exportimportstatuslabel").isEmpty());

    // Other values, then the file brings the exported ones back and sends them.
    child<QPushButton>(dialog, "yresetpushButton")->click();
    child<QPushButton>(dialog, "hatresetpushButton")->click();
    child<QCheckBox>(dialog, "zinvertcheckBox")->click();
    s.fixture.base->clearReceivedFrames();
    s.prompts.fileNames << path;
    child<QPushButton>(dialog, "loadfromfilepushButton")->click();

    QCOMPARE(s.sent(), QStringList({"setAnalogData"}));
    QVERIFY(s.link().analogSettings()[0].word == exported.word);
    QVERIFY(s.baseRecord().word == exported.word);
    QCOMPARE(labelText(dialog, "exportimportstatuslabel"), QString("Loaded from .ini"));
    QCOMPARE(child<QComboBox>(dialog, "ypincomboBox")->currentIndex(), 2);
    QCOMPARE(child<QSpinBox>(dialog, "hatlowdeadzonespinBox")->value(), 321);

    QCOMPARE(s.prompts.askedTitles,
             QStringList({"Save Analog configuration to INI file", "Save Analog configuration to INI file",
                          "Load analog configuration INI file"}));
    for (const QString &suggestion : s.prompts.suggestions)
        QCOMPARE(suggestion, QString("veltrane_analogsettings.ini | Ini file (*.ini)"));
}

void TestAnalogConfigDialog::importWithoutYpinFails()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath("other.ini");
    {
        QSettings file(path, QSettings::IniFormat);
        file.setValue("VeltRANE_Analog_Axis_Settings_V1/zpin", 3);
    }

    Session s;
    AnalogConfigDialog *dialog = s.open();
    const wire::AnalogSettings before = s.link().analogSettings()[0];
    s.prompts.fileNames << path;
    child<QPushButton>(dialog, "loadfromfilepushButton")->click();

    QCOMPARE(labelText(dialog, "exportimportstatuslabel"), QString("Failed to load %1").arg(path));
    QVERIFY(dialog->findChild<QTimer *>("noticeTimer")->isActive());
    QVERIFY(s.link().analogSettings()[0].word == before.word);
    QVERIFY(s.sent().isEmpty());
}

void TestAnalogConfigDialog::closedByDisconnection()
{
    Session s;
    QPointer<AnalogConfigDialog> dialog = s.open();
    QVERIFY(dialog);
    s.fixture.base->unplug();
    s.statusTick();
    s.statusTick();
    s.settle();
    QVERIFY(!dialog);
}

void TestAnalogConfigDialog::closedOutsideOperationalMode()
{
    Session s;
    QPointer<AnalogConfigDialog> dialog = s.open();
    child<QCheckBox>(dialog, "brakeinvertcheckBox")->click();
    s.statusTick();
    QVERIFY(dialog);

    s.base().operatingMode = 4;
    s.fixture.base->clearReceivedFrames();
    s.statusTick();
    s.settle();
    QVERIFY(!dialog);
    QVERIFY(!s.configureButton()->isEnabled());
    // Closed unaccepted: the edit is dropped and games get calibrated values again.
    QCOMPARE(s.sent(), QStringList({"0", "setAnalogData", "setSettingsNotChanged", "setCalibratedAnalogMode"}));
    QVERIFY(!s.base().inputs.rawAnalogMode);
    QCOMPARE(s.link().analogSettings()[0].field(wire::AxisBrake, wire::AnalogInvert), 0u);
}

QTEST_MAIN(TestAnalogConfigDialog)
#include "tst_analogconfigdialog.moc"
