// Editing settings in the window against the virtual base: the controls write the records,
// the auto-apply sends them only when the wheel stands safely away from its end stops,
// saving first applies what is pending, and the controls follow the profiles read back.

#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "settings/profilelist.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>
#include <cstring>

namespace {

constexpr int kWriteProfileValues = 0x7D;
constexpr int kWriteHardware = 0x7A;
constexpr int kSaveToFlash = 0x04;
constexpr int kReloadFromFlash = 0x05;

basesim::BaseConfig baseWithActiveProfile(std::uint16_t active)
{
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.activeProfile = active;
    return config;
}

// A window on a session connected to a virtual base, driven tick by tick; no timer runs.
struct Session {
    ManualClock clock;
    SessionFixture fixture;
    ScriptedPrompts prompts;
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};

    explicit Session(std::uint16_t activeProfile = 1) : fixture(baseWithActiveProfile(activeProfile))
    {
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        tick(); // connects and reloads
        tick(); // fills the controls
        fixture.session.wheelTick(); // where the wheel stands, as the wheel timer would read it
    }

    basesim::BaseState &base() { return fixture.base->state(); }
    SettingsApplier &applier() { return fixture.session.applier(); }
    DeviceLink &link() { return fixture.link(); }
    void tick() { fixture.session.statusTick(); }
    void reconnect()
    {
        fixture.base->unplug();
        tick();
        fixture.base->plug();
        tick();
        tick();
        fixture.session.wheelTick();
    }

    template <typename T = QWidget>
    T *find(const QString &name)
    {
        T *widget = window.findChild<T *>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QString text(const QString &label) { return find<QLabel>(label)->text(); }
    profDataNew &profile(std::size_t index) { return *fixture.session.profiles().at(index); }

    // Moves a slider or spin box to `value` as a user would, so its handler runs.
    void set(const QString &name, int value)
    {
        auto *slider = window.findChild<QAbstractSlider *>(name);
        if (slider) {
            if (slider->value() == value) // a value it already has would not be an edit
                slider->setValue(value == slider->minimum() ? slider->maximum() : slider->minimum());
            slider->setValue(value);
            return;
        }
        find<QSpinBox>(name)->setValue(value);
    }
    // The steering range box applies on Enter.
    void enterSteeringRange(int degrees)
    {
        auto *box = find<QSpinBox>("SteeringAngleSpinBox");
        box->setValue(degrees);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // The wheel held at `degrees` of the active profile's range, as the wheel tick reads it.
    void holdWheelAt(double degrees)
    {
        const double range = profile(link().status().activeProfile).param[18];
        base().holdWheel(std::uint16_t(std::lround((degrees + range / 2) * 65535 / range)));
        // Offscreen the window is not active: the picture and angle refresh every 14th tick.
        for (int i = 0; i < 14; ++i) {
            clock.advance(40);
            fixture.session.wheelTick();
        }
    }

    int framesWithCode(int code, int selector = -1) const
    {
        int count = 0;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames()) {
            if (frame[1] == code && (selector < 0 || frame[2] == selector))
                ++count;
        }
        return count;
    }

    // Lets the base finish a flash write the session started.
    void waitForFlashWrite()
    {
        clock.advance(basesim::kFlashSaveMs + 100);
        fixture.base->update();
    }
};

const QStringList kProfileEditors{
    "OverallGainSlider",       "sinehorizontalSlider",       "endstopanglehorizontalSlider",
    "torque_lpf_comboBox",     "oskaFilterComboBox",         "oskadampinghorizontalslider",
    "slewratehorizontalSlider", "centerfreqDoubleSpinBox",   "SteeringAngleSpinBox",
    "profilenamelineEdit",     "simpleprofilenamelineEdit",  "simpleoverallgainSlider",
    "simplesmoothnesshorizontalSlider", "advancedpushButton", "simplemodepushButton"};

} // namespace

class TestMw2Editing : public QObject {
    Q_OBJECT

private slots:
    void profileControlStoresValue_data();
    void profileControlStoresValue();
    void hardwareControlStoresValue_data();
    void hardwareControlStoresValue();
    void centreFrequencyRulesTheNotchShape();
    void simpleLevelsDeriveAdvancedValues();
    void endStopStaysInsideRange_data();
    void endStopStaysInsideRange();
    void steeringRangeNeedsCentredWheel();
    void everyRangeChangeFacesTheRealWheel_data();
    void everyRangeChangeFacesTheRealWheel();
    void estopKeepsTheLastRealWheelAngle();
    void safeProfileIsReadOnly();
    void autoApplyWaitsForSafeWheel_data();
    void autoApplyWaitsForSafeWheel();
    void autoApplySendsChangedRecords();
    void saveAppliesPendingEditFirst_data();
    void saveAppliesPendingEditFirst();
    void reloadFromFlashDropsPendingEdits();
    void saveLineFollowsAWholeSave();
    void saveWaitsForAFreshStatusAfterTheFlashDelay();
    void reloadFromFlashShowsWhatTheBaseRuns_data();
    void reloadFromFlashShowsWhatTheBaseRuns();
    void saveButtonTellsUnsavedState();
    void viewSwitchesReachBaseAtOnce();
    void flashDelayHoldsReloadAndViewSwitch();
    void renamingActiveProfile_data();
    void renamingActiveProfile();
    void controlsFollowReloadedProfile();
    void mouseWheelNeedsFocusWhileGuarded();
};

void TestMw2Editing::profileControlStoresValue_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("slew rate at its maximum is off")
        << "slewratehorizontalSlider" << 9500 << 24 << 0u << "slewratelabel" << "Off";
    QTest::newRow("slew rate") << "slewratehorizontalSlider" << 4800 << 24 << 4800u << "slewratelabel" << "4.80";
    QTest::newRow("static force reduction capped at 70 %")
        << "oskastaticforcereductionhorizontalslider" << 71 << 19 << 7000u << "oskastaticforcesaturationlabel"
        << "70%";
    QTest::newRow("static force reduction") << "oskastaticforcereductionhorizontalslider" << 35 << 19 << 3500u
                                            << "oskastaticforcesaturationlabel" << "35%";
    QTest::newRow("drive damping in tenths") << "oskadampinghorizontalslider" << 25 << 11 << 250u
                                             << "oskadampinglabel" << "25%";
    QTest::newRow("drive inertia off") << "oskainertiahorizontalslider" << 0 << 13 << 0u << "oskainertialabel"
                                       << "Off";
    QTest::newRow("centre damping") << "centerdampingslider" << 7 << 22 << 70u << "centerdampinglabel" << "7%";
    QTest::newRow("reduction speed in seconds") << "staticforcereductionspeedhorizontalSlider" << 2000 << 20
                                                << 2000u << "staticforcereductionspeedlabel" << "0.50 s";
    QTest::newRow("gamma") << "gammahorizontalslider" << 1500 << 21 << 1500u << "gammalabel" << "1.50";
    QTest::newRow("centre damping span") << "centerdampinganglespanhorizontalslider" << 12 << 23 << 12u
                                         << "centerdampinganglespanlabel" << "12°";
    QTest::newRow("ultra-low latency") << "ultralowlatencyhorizontalSlider" << 5 << 25 << 5u
                                       << "ultralowlatencylabel" << "5%";
    QTest::newRow("sine gain") << "sinehorizontalSlider" << 150 << 1 << 150u << "sinestrengthlabel" << "150%";
    QTest::newRow("spring gain") << "springhorizontalSlider" << 0 << 4 << 0u << "springlabel" << "0%";
    QTest::newRow("overall strength") << "OverallGainSlider" << 75 << 3 << 75u << "overallgainvaluelabel" << "75%";
}

void TestMw2Editing::profileControlStoresValue()
{
    QFETCH(QString, control);
    QFETCH(int, value);
    QFETCH(int, parameter);
    QFETCH(quint32, stored);
    QFETCH(QString, label);
    QFETCH(QString, text);
    Session s;
    s.fixture.base->clearReceivedFrames();

    s.set(control, value);
    QCOMPARE(s.profile(1).param[std::size_t(parameter)], stored);
    QCOMPARE(s.text(label), text);
    QCOMPARE(int(s.profile(1).changed), 1);
    QVERIFY(s.applier().settingsChanged());
    // Nothing goes to the base from the handler itself.
    QVERIFY(s.fixture.base->receivedFrames().empty());
}

void TestMw2Editing::hardwareControlStoresValue_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("value"); // a check box: 1 checked, 0 not
    QTest::addColumn<int>("word");
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<quint32>("stored"); // word & mask
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("bump stop off") << "bumbstopstrengthhorizontalSlider" << 0 << 14 << 0x2u << 0u
                                   << "bumbstopstrengthlabel" << "Off";
    QTest::newRow("bump stop strength") << "bumbstopstrengthhorizontalSlider" << 80 << 8 << ~0u << 80u
                                        << "bumbstopstrengthlabel" << "80%";
    QTest::newRow("bump stop ramp") << "bumbstopramprangehorizontalSlider" << 30 << 7 << ~0u << 30u
                                    << "bumbstopramprangelabel" << "30°";
    QTest::newRow("bump stop damping") << "bumbstopdampinghorizonalSlider" << 20 << 6 << ~0u << 20u
                                       << "bumbstopdampinglabel" << "20%";
    QTest::newRow("desktop centering") << "desktopcenteringhorizontalSlider" << 30 << 3 << ~0u << 30u
                                       << "desktopcenteringstrengthlabel" << "30%";
    QTest::newRow("hands-off high") << "handsoffhorizontalSlider" << 3 << 20 << 0x3u << 3u << "handsofflabel"
                                    << "High";
    QTest::newRow("torque clipping") << "torqueclippingcheckBox" << 1 << 20 << 0x4u << 0x4u << "" << "";
    QTest::newRow("resonance reduction") << "resonancereductioncheckBox" << 1 << 20 << 0x8u << 0x8u << "" << "";
    QTest::newRow("beeps off") << "audibleBeebsCheckBox" << 0 << 14 << 0x10u << 0u << "" << "";
    QTest::newRow("usb recovery off") << "usbrecoverycheckbox" << 0 << 14 << 0x20u << 0u << "" << "";
    QTest::newRow("usb suspend") << "usbsuspendcheckBox" << 1 << 14 << 0x40u << 0x40u << "" << "";
}

void TestMw2Editing::hardwareControlStoresValue()
{
    QFETCH(QString, control);
    QFETCH(int, value);
    QFETCH(int, word);
    QFETCH(quint32, mask);
    QFETCH(quint32, stored);
    QFETCH(QString, label);
    QFETCH(QString, text);
    Session s;
    const wire::HardwareSettings before = s.link().hardwareSettings();

    if (auto *box = s.window.findChild<QCheckBox *>(control)) {
        box->setChecked(!value); // from the other state, whatever the base had
        box->setChecked(value);
    } else {
        s.set(control, value);
    }
    QCOMPARE(s.link().hardwareSettings().word[std::size_t(word)] & mask, stored);
    for (std::size_t other = 0; other < before.word.size(); ++other) {
        if (other != std::size_t(word) && other != 8 && other != 14) // strength and its on bit go together
            QCOMPARE(s.link().hardwareSettings().word[other], before.word[other]);
    }
    if (!label.isEmpty())
        QCOMPARE(s.text(label), text);
    QVERIFY(s.applier().settingsChanged());
    // The bump stop's other sliders mean nothing while it is off.
    const bool bumpStopOn = s.link().hardwareSettings().word[8] >= 1;
    QCOMPARE(bool(s.link().hardwareSettings().word[14] & 0x2), bumpStopOn);
    QCOMPARE(s.find("bumbstopdampinghorizonalSlider")->isEnabled(), bumpStopOn);
    QCOMPARE(s.find("bumbstopramprangehorizontalSlider")->isEnabled(), bumpStopOn);
}

void TestMw2Editing::centreFrequencyRulesTheNotchShape()
{
    Session s;
    auto *centre = s.find<QDoubleSpinBox>("centerfreqDoubleSpinBox");
    auto *q = s.find<QDoubleSpinBox>("qFactorDoubleSpinBox");
    auto *attenuation = s.find<QDoubleSpinBox>("attenuationDoubleSpinBox");
    QVERIFY(!q->isEnabled()); // the default profile has no notch filter

    centre->setValue(50.0);
    QVERIFY(q->isEnabled());
    QVERIFY(attenuation->isEnabled());
    q->setValue(2.5);
    attenuation->setValue(-3.0);
    QCOMPARE(s.profile(1).param[10], quint32((500 << 16) | (25 << 8) | 225));

    // Below 1.1 Hz there is no shape to tune; the other parts keep their values.
    centre->setValue(1.0);
    QVERIFY(!q->isEnabled());
    QVERIFY(!attenuation->isEnabled());
    QCOMPARE(s.profile(1).param[10], quint32((10 << 16) | (25 << 8) | 225));
    centre->setValue(1.1);
    QVERIFY(q->isEnabled());
}

void TestMw2Editing::simpleLevelsDeriveAdvancedValues()
{
    Session s;
    s.base().ram.profiles[1].param[50] = 1;        // simple mode
    s.base().ram.profiles[1].param[26] = 33686312; // 40 %, 900°, neutral, neutral
    s.reconnect();
    QVERIFY(!s.find("simplegroupBox")->isHidden());
    QVERIFY(s.find("advancedgroupBox")->isHidden());

    s.set("simpleoverallgainSlider", 37);
    const profDataNew &p = s.profile(1);
    QCOMPARE(p.param[26], 33686309u);
    QCOMPARE(p.param[3], 37u);
    QCOMPARE(p.param[11], 81u);
    QCOMPARE(p.param[12], 59u);
    QCOMPARE(p.param[13], 99u);

    s.set("simplesmoothnesshorizontalSlider", 4);
    QCOMPARE(s.text("simplesmoothnesslabel"), QString("Very smooth"));
    QCOMPARE(p.param[14], 8u);
    QCOMPARE(p.param[24], 500u);

    s.set("simpledampinghorizontalSlider", 0);
    QCOMPARE(s.text("simpledampinglabel"), QString("Raw"));
    QCOMPARE(p.param[11], 40u * 37 / 100);

    s.set("simplesteeringrangehorizontalSlider", 0);
    QCOMPARE(s.text("simplesteeringrangelabel"), QString("360°"));
    QCOMPARE(p.param[18], 360u);
    QCOMPARE(s.find<QSpinBox>("SteeringAngleSpinBox")->value(), 360);
    QCOMPARE(p.param[26], quint32(37 | 0 << 8 | 4 << 16 | 0 << 24));
    QVERIFY(s.applier().settingsChanged());
}

void TestMw2Editing::endStopStaysInsideRange_data()
{
    QTest::addColumn<int>("steeringRange");
    QTest::addColumn<int>("ramp");
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("lockToLock");

    QTest::newRow("inside") << 900 << 10 << 100 << 100 << "700° (lock-to-lock)";
    QTest::newRow("beyond snaps to the limit") << 900 << 10 << 500 << 440 << "20° (lock-to-lock)";
    // Half the range is narrower than the ramp: no end stop at all, not a huge one.
    QTest::newRow("ramp wider than half the range") << 40 << 30 << 15 << 0 << "40° (lock-to-lock)";
}

void TestMw2Editing::endStopStaysInsideRange()
{
    QFETCH(int, steeringRange);
    QFETCH(int, ramp);
    QFETCH(int, requested);
    QFETCH(int, stored);
    QFETCH(QString, lockToLock);
    Session s;
    s.holdWheelAt(0);
    s.set("bumbstopramprangehorizontalSlider", ramp);
    s.enterSteeringRange(steeringRange);
    QCOMPARE(s.profile(1).param[18], quint32(steeringRange));

    s.set("endstopanglehorizontalSlider", requested);
    QCOMPARE(s.profile(1).param[8], quint32(stored));
    QCOMPARE(s.find<QSlider>("endstopanglehorizontalSlider")->value(), stored);
    QCOMPARE(s.text("endstoplocktolocklabel"), lockToLock);
}

void TestMw2Editing::steeringRangeNeedsCentredWheel()
{
    Session s;
    auto *box = s.find<QSpinBox>("SteeringAngleSpinBox");
    s.holdWheelAt(0);
    s.set("endstopanglehorizontalSlider", 400);
    s.applier().autoApplySettings(); // from a clean start
    QVERIFY(!s.applier().settingsChanged());

    s.holdWheelAt(45);
    s.enterSteeringRange(1080);
    QCOMPARE(box->value(), 900);
    QCOMPARE(s.profile(1).param[18], 900u);
    QVERIFY(!s.applier().settingsChanged());
    auto *warning = s.window.findChild<QDialog *>("steeringangle_changewarning_dialog");
    QVERIFY(warning);
    QVERIFY(warning->isVisible());
    QVERIFY(warning->isModal()); // locks the window, yet the wheel tick keeps running
    QCOMPARE(warning->windowModality(), Qt::WindowModal); // and no other window
    QCOMPARE(warning->windowTitle(), QString("Steering is not centered"));
    s.enterSteeringRange(720);
    QCOMPARE(s.window.findChildren<QDialog *>("steeringangle_changewarning_dialog").size(), 1);

    // The wheel tick closes it once the wheel is near centre.
    s.holdWheelAt(15);
    QVERIFY(s.window.findChild<QDialog *>("steeringangle_changewarning_dialog"));
    s.holdWheelAt(5);
    QVERIFY(!s.window.findChild<QDialog *>("steeringangle_changewarning_dialog"));

    // Centred: the range changes and the end stop follows into it (720 / 2 − 10).
    s.enterSteeringRange(720);
    QCOMPARE(s.profile(1).param[18], 720u);
    QCOMPARE(s.profile(1).param[8], 350u);
    QCOMPARE(s.text("endstoplocktolocklabel"), QString("20° (lock-to-lock)"));
    QVERIFY(s.applier().settingsChanged());
}

namespace {
// Profile 1 of the base at 1440 degrees, in the simple or the advanced view.
void runProfileAt1440(Session &s, bool simple)
{
    basesim::ProfileRecord &held = s.base().ram.profiles[1];
    held.param[18] = 1440;
    held.param[50] = simple ? 1u : 0u;
    held.param[26] = simple ? (40u | 5u << 8 | 2u << 16 | 2u << 24) : 0u;
    s.reconnect();
}
} // namespace

void TestMw2Editing::everyRangeChangeFacesTheRealWheel_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("simple");
    QTest::addColumn<double>("angle");   // under the 1440 degrees the base runs
    QTest::addColumn<int>("runningAfter"); // the base's range once the auto-apply had its turn
    QTest::addColumn<bool>("warned");    // refused at once: off centre

    // Near centre the box takes 40, but +29 of 1440 lies far beyond 40's end stop.
    QTest::newRow("box 40 at +29") << "box 40" << false << 29.0 << 1440 << false;
    QTest::newRow("box 40 at -29") << "box 40" << false << -29.0 << 1440 << false;
    QTest::newRow("box 360 at +25") << "box 360" << false << 25.0 << 360 << false;
    QTest::newRow("simple slider 360 at +440") << "slider 0" << true << 440.0 << 1440 << true;
    QTest::newRow("simple slider 360 at +25") << "slider 0" << true << 25.0 << 360 << false;
    // The default simple levels run 900 degrees.
    QTest::newRow("simple view at +440") << "simple view" << false << 440.0 << 1440 << true;
    QTest::newRow("simple view at +20") << "simple view" << false << 20.0 << 900 << false;
    // The first template runs 900 degrees from the moment it is added.
    QTest::newRow("template at +440") << "template" << false << 440.0 << 1440 << false;
    QTest::newRow("template at +20") << "template" << false << 20.0 << 900 << false;
}

void TestMw2Editing::everyRangeChangeFacesTheRealWheel()
{
    QFETCH(QString, change);
    QFETCH(bool, simple);
    QFETCH(double, angle);
    QFETCH(int, runningAfter);
    QFETCH(bool, warned);
    Session s;
    runProfileAt1440(s, simple);
    QCOMPARE(s.profile(1).param[18], 1440u);
    s.holdWheelAt(angle);
    const int countBefore = int(s.base().ram.profileCount);

    if (change.startsWith("box "))
        s.enterSteeringRange(change.mid(4).toInt());
    else if (change.startsWith("slider "))
        s.set("simplesteeringrangehorizontalSlider", change.mid(7).toInt());
    else if (change == "simple view")
        s.find<QPushButton>("simplemodepushButton")->click();
    else
        s.find<QPushButton>("addprofilespushButton")->click();
    s.applier().autoApplySettings();
    s.fixture.base->update();

    const basesim::BaseState &base = s.base();
    QCOMPARE(int(base.ram.profiles[base.activeProfile].param[18]), runningAfter);
    QCOMPARE(bool(s.window.findChild<QDialog *>("steeringangle_changewarning_dialog")), warned);
    if (warned && simple) // the slider shows the range that stays
        QCOMPARE(s.text("simplesteeringrangelabel"), QString("1440°"));
    if (change == "template")
        QCOMPARE(int(base.ram.profileCount), countBefore + (runningAfter == 1440 ? 0 : 1));
    if (change.startsWith("box ") && runningAfter == 1440) {
        // Held back, not lost: the edit waits for the wheel to come inward.
        QVERIFY(s.applier().unsafeToApply());
        QVERIFY(s.applier().settingsChanged());
        s.holdWheelAt(0);
        s.applier().autoApplySettings();
        s.fixture.base->update();
        QCOMPARE(int(base.ram.profiles[1].param[18]), change.mid(4).toInt());
    }
}

void TestMw2Editing::estopKeepsTheLastRealWheelAngle()
{
    Session s;
    s.holdWheelAt(436); // 900 degrees, ramp 10: inside the bump stop's margin
    QVERIFY(s.link().measuredWheelPosition());
    s.base().estopPressed = true;
    s.base().operatingMode = wire::ModeWaitingForFaults;
    s.tick();
    s.holdWheelAt(0); // the base sends nothing now; the link shows the wheel centred
    QVERIFY(s.link().wheelSampleStale());
    QCOMPARE(int(s.link().wheelSample().position), int(wire::kWheelCentre));

    LogCapture log;
    s.set("sinehorizontalSlider", 150);
    s.applier().autoApplySettings();
    s.fixture.base->update();
    QVERIFY(log.contains("result: unsafe to apply (case 1)."));
    QCOMPARE(s.base().ram.profiles[1].param[1], 100u);
    QVERIFY(s.applier().settingsChanged());
    // Nor may the steering range change on the stand-in's word.
    s.enterSteeringRange(720);
    QCOMPARE(s.profile(1).param[18], 900u);
}

void TestMw2Editing::saveWaitsForAFreshStatusAfterTheFlashDelay()
{
    Session s;
    s.holdWheelAt(0);
    auto *save = s.find<QPushButton>("SaveToFlashButton");
    s.set("sinehorizontalSlider", 150);
    s.applier().autoApplySettings();
    s.fixture.base->update();
    s.tick();
    QVERIFY(s.link().status().hasFlag(wire::Unsaved));
    save->click();
    s.waitForFlashWrite();
    s.fixture.session.flashDelayElapsed();
    // The status read before the save still says "unsaved": an auto-apply tick before the
    // next status must not offer saving again from it.
    QVERIFY(s.link().status().hasFlag(wire::Unsaved));
    s.applier().autoApplySettings();
    QVERIFY(!save->isEnabled());
    s.tick();
    s.applier().autoApplySettings();
    QVERIFY(!s.link().status().hasFlag(wire::Unsaved));
    QVERIFY(!save->isEnabled());
    // A fresh "unsaved" (an edit applied since) offers it again.
    s.set("sinehorizontalSlider", 120);
    s.applier().autoApplySettings();
    s.fixture.base->update();
    s.tick();
    s.applier().autoApplySettings();
    QVERIFY(save->isEnabled());
}

void TestMw2Editing::safeProfileIsReadOnly()
{
    Session s(0);
    for (const QString &name : kProfileEditors)
        QVERIFY2(!s.find(name)->isEnabled(), qPrintable(name));

    // Even a change that reaches a handler leaves the safe profile alone.
    s.set("sinehorizontalSlider", 150);
    QCOMPARE(s.profile(0).param[1], 100u);
    auto *name = s.find<QLineEdit>("profilenamelineEdit");
    name->setText("Mine now");
    emit name->editingFinished();
    QCOMPARE(name->text(), QString("Read-only safe profile"));
    QCOMPARE(QString::fromUtf8(s.profile(0).name.data()), QString("Read-only safe profile"));
    QVERIFY(!s.applier().settingsChanged());

    s.base().activeProfile = 1;
    s.tick();
    for (const QString &editor : kProfileEditors)
        QVERIFY2(s.find(editor)->isEnabled(), qPrintable(editor));
}

void TestMw2Editing::autoApplyWaitsForSafeWheel_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("unsafeCase"); // empty: applied at once

    // Range 900, end stop 0, ramp 10: the bump stop begins 440 degrees out.
    QTest::newRow("+434") << 434.0 << "";
    QTest::newRow("+436") << 436.0 << "result: unsafe to apply (case 1).";
    QTest::newRow("-434") << -434.0 << "";
    QTest::newRow("-436") << -436.0 << "result: unsafe to apply (case 2).";
}

void TestMw2Editing::autoApplyWaitsForSafeWheel()
{
    QFETCH(double, angle);
    QFETCH(QString, unsafeCase);
    Session s;
    QCOMPARE(s.link().hardwareSettings().word[7], 10u);
    s.holdWheelAt(angle);
    s.set("sinehorizontalSlider", 150);
    s.fixture.base->clearReceivedFrames();
    auto *note = s.find<QLabel>("unsafesettingsnote");
    auto *save = s.find<QPushButton>("SaveToFlashButton");

    LogCapture log;
    s.applier().autoApplySettings();
    s.fixture.base->update();
    if (unsafeCase.isEmpty()) {
        QVERIFY(!s.applier().unsafeToApply());
        QCOMPARE(s.base().ram.profiles[1].param[1], 150u);
        QVERIFY(s.base().hasFlag(wire::Unsaved));
        QVERIFY(note->text().isEmpty());
        return;
    }
    QVERIFY(log.contains(unsafeCase));
    QVERIFY(s.applier().unsafeToApply());
    QVERIFY(s.applier().settingsChanged());
    QCOMPARE(s.framesWithCode(kWriteProfileValues) + s.framesWithCode(kWriteHardware), 0);
    QCOMPARE(s.base().ram.profiles[1].param[1], 100u);
    QVERIFY(!s.base().hasFlag(wire::Unsaved));
    QCOMPARE(note->text(), QString("Unsafe to apply or save settings - would cause immediate torque! "
                                   "Turn the wheel towards the centre to apply it."));
    QCOMPARE(note->styleSheet(), QString("QLabel { color:#af1d1f;}"));
    QVERIFY(note->wordWrap());
    QVERIFY(!save->isEnabled());
    // Not "up to date" beside an edit the base has not got.
    QCOMPARE(s.text("savestatelabel"), QString("Edit waiting - not applied to the base yet"));

    // The check repeats on every tick; turned inward, the edit goes through.
    s.applier().autoApplySettings();
    QVERIFY(s.applier().unsafeToApply());
    s.holdWheelAt(angle > 0 ? 300 : -300);
    s.applier().autoApplySettings();
    QVERIFY(!s.applier().unsafeToApply());
    QVERIFY(!s.applier().settingsChanged());
    QCOMPARE(s.base().ram.profiles[1].param[1], 150u);
    QVERIFY(note->text().isEmpty());
    QVERIFY(save->isEnabled());
    QVERIFY(s.text("savestatelabel") != QString("Edit waiting - not applied to the base yet"));
}

void TestMw2Editing::saveLineFollowsAWholeSave()
{
    Session s;
    s.holdWheelAt(0);
    auto *save = s.find<QPushButton>("SaveToFlashButton");
    s.set("sinehorizontalSlider", 150);
    s.applier().autoApplySettings();
    s.fixture.base->update();
    s.tick();
    QVERIFY(save->isEnabled());

    save->click();
    QVERIFY(s.link().gate().flashDelayRunning());
    QCOMPARE(s.text("savestatelabel"), QString("Saving to permanent memory - please wait"));
    // The auto-apply and the blink run on while the base writes; neither may offer saving
    // again or claim the settings are up to date from the status read before the save.
    for (int elapsed = 0; elapsed < 5000; elapsed += 500) {
        s.clock.advance(500);
        s.fixture.base->update();
        if (elapsed % 2000 == 0)
            s.applier().autoApplySettings();
        if (elapsed % 2500 == 0)
            s.window.settingschangedblink();
        s.tick(); // held: no status request during the flash delay
        QVERIFY(!save->isEnabled());
        QCOMPARE(s.text("savestatelabel"), QString("Saving to permanent memory - please wait"));
    }
    s.fixture.session.flashDelayElapsed();
    s.tick();
    s.applier().autoApplySettings();
    s.window.settingschangedblink();
    QCOMPARE(s.text("savestatelabel"), QString("Settings up to date in permanent memory"));
    QVERIFY(!save->isEnabled());

    // A reload says so too until its delay is over.
    s.find<QPushButton>("ReloadFlashButton")->click();
    QCOMPARE(s.text("savestatelabel"), QString("Reloading settings from permanent memory - please wait"));
    s.fixture.session.flashDelayElapsed();
    s.tick();
    s.window.settingschangedblink();
    QCOMPARE(s.text("savestatelabel"), QString("Settings up to date in permanent memory"));
}

void TestMw2Editing::autoApplySendsChangedRecords()
{
    Session s;
    s.holdWheelAt(0);
    s.set("sinehorizontalSlider", 150);
    s.set("desktopcenteringhorizontalSlider", 30);
    // Another profile changed outside the controls (as after a rename elsewhere).
    s.profile(3).param[2] = 77;
    s.profile(3).changed = 1;
    s.fixture.base->clearReceivedFrames();
    QSignalSpy profileSpy(&s.fixture.session, &BaseSession::activeProfileChanged);
    QSignalSpy hardwareSpy(&s.fixture.session, &BaseSession::hardwareSettingsMayHaveChanged);

    s.applier().autoApplySettings();
    s.fixture.base->update();
    const basesim::SettingsStore &ram = s.base().ram;
    QCOMPARE(ram.profiles[1].param[1], 150u);
    QCOMPARE(ram.profiles[3].param[2], 77u);
    QCOMPARE(ram.hardware.word[3], 30u);
    QVERIFY(s.base().hasFlag(wire::Unsaved));
    QCOMPARE(s.base().flash.profiles[1].param[1], 100u); // applied, not saved
    QCOMPARE(s.framesWithCode(kWriteProfileValues, 2), 0);
    QCOMPARE(s.framesWithCode(kWriteProfileValues, 4), 0);
    for (const auto &profile : s.fixture.session.profiles())
        QCOMPARE(int(profile->changed), 0);
    QVERIFY(!s.applier().settingsChanged());
    QCOMPARE(profileSpy.size(), 1);
    QCOMPARE(profileSpy[0][0].toInt(), 1);
    QCOMPARE(hardwareSpy.size(), 1);

    // Nothing pending: nothing sent, and the save button offers what the flash lacks.
    s.fixture.base->clearReceivedFrames();
    s.tick();
    s.applier().autoApplySettings();
    QCOMPARE(s.framesWithCode(kWriteProfileValues) + s.framesWithCode(kWriteHardware), 0);
    QVERIFY(s.find("SaveToFlashButton")->isEnabled());
}

void TestMw2Editing::saveAppliesPendingEditFirst_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("saved");
    QTest::newRow("wheel centred") << 0.0 << true;
    QTest::newRow("wheel near the end stop") << 436.0 << false;
}

void TestMw2Editing::saveAppliesPendingEditFirst()
{
    QFETCH(double, angle);
    QFETCH(bool, saved);
    Session s;
    QTemporaryDir folder;
    const QString backup = folder.filePath("profiles_autobackup.ini");
    s.applier().setAutomaticBackupPath(backup);
    s.holdWheelAt(angle);
    s.set("sinehorizontalSlider", 150);
    s.fixture.base->clearReceivedFrames();

    // Clicked before the auto-apply ran.
    auto *save = s.find<QPushButton>("SaveToFlashButton");
    QVERIFY(save->isEnabled());
    save->click();
    s.waitForFlashWrite();

    QCOMPARE(s.framesWithCode(kSaveToFlash), saved ? 1 : 0);
    QCOMPARE(QFile::exists(backup), saved);
    QCOMPARE(s.applier().settingsChanged(), !saved);
    if (!saved) {
        QCOMPARE(s.base().ram.profiles[1].param[1], 100u);
        QCOMPARE(s.base().flash.profiles[1].param[1], 100u);
        QVERIFY(!s.link().gate().flashDelayRunning());
        QVERIFY(!s.text("unsafesettingsnote").isEmpty());
        return;
    }
    QCOMPARE(s.base().flash.profiles[1].param[1], 150u);
    QVERIFY(!s.base().hasFlag(wire::Unsaved));
    QVERIFY(s.link().gate().flashDelayRunning());
    QCOMPARE(s.link().gate().flashWork(), LinkGate::FlashWork::Saving);
    QVERIFY(!save->isEnabled());
    QVERIFY(!s.find("ReloadFlashButton")->isEnabled());
    QSettings written(backup, QSettings::IniFormat);
    QCOMPARE(written.value("Veltrane2_Profiles_V2/Profile1/dxsinegain").toInt(), 150);
}

void TestMw2Editing::reloadFromFlashDropsPendingEdits()
{
    Session s;
    s.set("sinehorizontalSlider", 150);
    s.fixture.base->clearReceivedFrames();
    QSignalSpy refreshSpy(&s.fixture.session, &BaseSession::controlsRefreshDue);
    s.tick(); // no full refresh is due before the click
    QCOMPARE(refreshSpy.size(), 1);
    QCOMPARE(refreshSpy.takeFirst()[0].toBool(), false);
    LogCapture log;

    // The button sits on the Advanced page; it reaches the session's applier.
    s.find<QPushButton>("ReloadFlashButton")->click();
    QCOMPARE(s.framesWithCode(kReloadFromFlash), 1);
    QVERIFY(!s.applier().settingsChanged());
    QVERIFY(s.link().gate().flashDelayRunning());
    // One reload at a time; the button says why it waits.
    QVERIFY(!s.find("ReloadFlashButton")->isEnabled());
    QCOMPARE(s.find("ReloadFlashButton")->toolTip(), QString("The base is reloading its flash."));
    // Not while the base reloads its flash: saving then would only queue behind it.
    QVERIFY(!s.find("SaveToFlashButton")->isEnabled());
    QVERIFY(log.contains("reloadflash"));

    // Once the flash delay is over, the next tick refills every control.
    s.fixture.session.flashDelayElapsed();
    s.applier().autoApplySettings(); // before any fresh status: still nothing to save
    QVERIFY(!s.find("SaveToFlashButton")->isEnabled());
    s.tick();
    QCOMPARE(refreshSpy.size(), 1);
    QCOMPARE(refreshSpy.takeFirst()[0].toBool(), true);
    QVERIFY(s.find("SaveToFlashButton")->isEnabled());
}

void TestMw2Editing::reloadFromFlashShowsWhatTheBaseRuns_data()
{
    QTest::addColumn<bool>("unplugDuringDelay");
    QTest::newRow("base stays") << false;
    QTest::newRow("base gone during the delay") << true;
}

void TestMw2Editing::reloadFromFlashShowsWhatTheBaseRuns()
{
    QFETCH(bool, unplugDuringDelay);
    Session s;
    s.holdWheelAt(0);
    // An applied but unsaved edit: the base runs 150, its flash holds 100.
    s.set("sinehorizontalSlider", 150);
    s.applier().autoApplySettings();
    QCOMPARE(s.base().ram.profiles[1].param[1], 150u);
    QCOMPARE(s.base().flash.profiles[1].param[1], 100u);
    // A hardware value the base runs but never saved either.
    s.base().ram.hardware.word[5] = s.base().flash.hardware.word[5] + 1;
    s.link().getHardwareDataNew();
    s.tick();

    s.find<QPushButton>("ReloadFlashButton")->click();
    if (unplugDuringDelay)
        s.fixture.base->unplug();
    s.fixture.session.flashDelayElapsed();
    s.tick();
    if (unplugDuringDelay) {
        // Nothing read: the window goes to the disconnected path rather than claiming values.
        QVERIFY(!s.link().connected());
        s.tick();
        QVERIFY(s.fixture.session.profiles().empty());
        return;
    }
    QCOMPARE(s.profile(1).param[1], 100u);
    QCOMPARE(s.find<QAbstractSlider>("sinehorizontalSlider")->value(), 100);
    QCOMPARE(s.link().hardwareSettings().word[5], s.base().flash.hardware.word[5]);
    QVERIFY(!s.applier().settingsChanged());
}

void TestMw2Editing::saveButtonTellsUnsavedState()
{
    Session s;
    auto *save = s.find<QPushButton>("SaveToFlashButton");
    auto blink = [&] {
        s.window.settingschangedblink();
        return std::make_pair(s.text("savestatelabel"), save->styleSheet());
    };

    const auto upToDate = blink();
    QCOMPARE(upToDate.first, QString("Settings up to date in permanent memory"));
    QVERIFY(s.find<QLabel>("savestatelabel")->styleSheet().contains("#e84e0f"));
    QVERIFY(upToDate.second.contains("#02232b"));
    QCOMPARE(blink(), upToDate); // steady

    s.base().setFlag(wire::Unsaved, true);
    s.tick();
    const auto first = blink();
    const auto second = blink();
    QCOMPARE(QSet<QString>({first.first, second.first}),
             QSet<QString>({"Settings applied automatically - save to make them permanent", ""}));
    QVERIFY(first.second.contains("#ffa02f") != second.second.contains("#ffa02f"));
    QVERIFY(s.find<QLabel>("savestatelabel")->styleSheet().contains("#af1d1f"));

    s.fixture.base->unplug();
    s.tick();
    blink();
    QVERIFY(!save->isEnabled());
}

void TestMw2Editing::viewSwitchesReachBaseAtOnce()
{
    Session s;
    auto *simpleView = s.find("simplegroupBox");
    QVERIFY(simpleView->isHidden());
    s.fixture.base->clearReceivedFrames();

    QString asked;
    s.prompts.onDialog = [&asked](QDialog *dialog) {
        asked = dialog->objectName();
        dialog->reject();
        return int(QDialog::Rejected);
    };
    s.find<QPushButton>("simplemodepushButton")->click();
    QCOMPARE(asked, QString("ConfirmBackToSimpleProfileDialog"));
    QCOMPARE(s.profile(1).param[50], 0u);
    QCOMPARE(s.framesWithCode(kWriteProfileValues), 0);
    QVERIFY(simpleView->isHidden());
    QVERIFY(!s.window.findChild<QDialog *>("ConfirmBackToSimpleProfileDialog"));

    s.prompts.onDialog = [](QDialog *dialog) {
        dialog->accept();
        return int(QDialog::Accepted);
    };
    s.find<QPushButton>("simplemodepushButton")->click();
    s.fixture.base->update();
    // Derived from the default levels (40 %, neutral damping) and on the base at once.
    QCOMPARE(s.base().ram.profiles[1].param[50] & 1u, 1u);
    QCOMPARE(s.base().ram.profiles[1].param[11], 220u * 40 / 100);
    QCOMPARE(s.base().ram.profiles[1].param[3], 40u);
    QVERIFY(!simpleView->isHidden());
    QCOMPARE(s.find<QSlider>("simpleoverallgainSlider")->value(), 40);

    s.find<QPushButton>("advancedpushButton")->click();
    s.fixture.base->update();
    QCOMPARE(s.base().ram.profiles[1].param[50] & 1u, 0u);
    QVERIFY(simpleView->isHidden());
    QVERIFY(!s.find("advancedgroupBox")->isHidden());
}

void TestMw2Editing::flashDelayHoldsReloadAndViewSwitch()
{
    Session s;
    s.holdWheelAt(0);
    s.set("sinehorizontalSlider", 150);
    s.applier().autoApplySettings();
    s.tick();
    s.find<QPushButton>("SaveToFlashButton")->click();
    QVERIFY(s.link().gate().flashDelayRunning());
    s.fixture.base->clearReceivedFrames();

    // Reloading waits, and the button says why.
    auto *reload = s.find<QPushButton>("ReloadFlashButton");
    QVERIFY(!reload->isEnabled());
    QVERIFY(reload->toolTip().contains("writing its flash"));
    QVERIFY(!s.applier().reloadFromFlash());

    // The view switch shows at once and reaches the base once the flash is written.
    s.find<QPushButton>("simplemodepushButton")->click();
    QVERIFY(!s.find("simplegroupBox")->isHidden());
    s.applier().autoApplySettings();
    QVERIFY(s.fixture.base->receivedFrames().empty());

    s.waitForFlashWrite();
    s.fixture.session.flashDelayElapsed();
    QVERIFY(reload->isEnabled());
    QVERIFY(reload->toolTip().isEmpty());
    s.applier().autoApplySettings();
    s.fixture.base->update();
    QCOMPARE(s.base().ram.profiles[1].param[50] & 1u, 1u);
    QCOMPARE(s.framesWithCode(kReloadFromFlash), 0);
}

void TestMw2Editing::renamingActiveProfile_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");

    QTest::newRow("advanced editor") << "profilenamelineEdit" << "Gravel 900°" << "Gravel 900°";
    QTest::newRow("simple editor") << "simpleprofilenamelineEdit" << "Rally (night)" << "Rally (night)";
    // 16 degree signs are 32 bytes: no room for the terminating zero, the old name stays.
    QTest::newRow("too long once encoded") << "profilenamelineEdit" << QString(16, QChar(0x00B0)) << "Profile 1";
}

void TestMw2Editing::renamingActiveProfile()
{
    QFETCH(QString, editor);
    QFETCH(QString, typed);
    QFETCH(QString, name);
    Session s;
    const bool renamed = name == typed;
    auto *line = s.find<QLineEdit>(editor);
    QSignalSpy renames(s.find("ProfilesTab"), SIGNAL(profileRenamed(int)));

    line->setText(typed);
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(QString::fromUtf8(s.profile(1).name.data()), name);
    QCOMPARE(line->text(), name);
    QCOMPARE(s.find<QLineEdit>("profilenamelineEdit")->text(), name);
    QCOMPARE(s.find<QLineEdit>("simpleprofilenamelineEdit")->text(), name);
    QCOMPARE(s.find<QComboBox>("selectprofilecomboBox")->itemText(1), name);
    QCOMPARE(renames.size(), renamed ? 1 : 0);
    QCOMPARE(s.applier().settingsChanged(), renamed);
    QCOMPARE(bool(s.profile(1).changed), renamed);

    // The name reaches the base with the next apply.
    s.holdWheelAt(0);
    s.applier().autoApplySettings();
    QCOMPARE(QString::fromUtf8(s.base().ram.profiles[1].name.data()), name);
}

void TestMw2Editing::controlsFollowReloadedProfile()
{
    Session s;
    basesim::ProfileRecord &record = s.base().ram.profiles[1];
    record.param[1] = 130;
    record.param[18] = 1080;
    record.param[8] = 60;
    record.param[24] = 2500;
    record.param[10] = (500 << 16) | (25 << 8) | 225;
    record.param[19] = 3500;
    record.param[11] = 81;
    record.param[9] = 11;
    std::strcpy(record.name.data(), "Rally");
    s.base().ram.hardware.word[3] = 45;
    s.reconnect();

    auto slider = [&](const char *name) { return s.find<QSlider>(name)->value(); };
    QCOMPARE(slider("sinehorizontalSlider"), 130);
    QCOMPARE(s.text("sinestrengthlabel"), QString("130%"));
    QCOMPARE(s.find<QSpinBox>("SteeringAngleSpinBox")->value(), 1080);
    QCOMPARE(slider("endstopanglehorizontalSlider"), 60);
    QCOMPARE(s.text("endstoplocktolocklabel"), QString("960° (lock-to-lock)"));
    QCOMPARE(slider("slewratehorizontalSlider"), 2500);
    QCOMPARE(s.text("slewratelabel"), QString("2.50"));
    QCOMPARE(s.find<QDoubleSpinBox>("centerfreqDoubleSpinBox")->value(), 50.0);
    QCOMPARE(s.find<QDoubleSpinBox>("qFactorDoubleSpinBox")->value(), 2.5);
    QCOMPARE(s.find<QDoubleSpinBox>("attenuationDoubleSpinBox")->value(), -3.0);
    QVERIFY(s.find("qFactorDoubleSpinBox")->isEnabled());
    QCOMPARE(slider("oskastaticforcereductionhorizontalslider"), 35);
    QCOMPARE(s.text("oskastaticforcesaturationlabel"), QString("35%"));
    QCOMPARE(s.text("oskadampinglabel"), QString("8.1%"));
    QCOMPARE(s.find<QComboBox>("torque_lpf_comboBox")->currentText(), QString("Unlimited"));
    QCOMPARE(s.find<QLineEdit>("profilenamelineEdit")->text(), QString("Rally"));
    QCOMPARE(slider("desktopcenteringhorizontalSlider"), 45);
    QCOMPARE(s.text("desktopcenteringstrengthlabel"), QString("45%"));
    QVERIFY(!s.find("advancedgroupBox")->isHidden());
    // Filling is no edit.
    QVERIFY(!s.applier().settingsChanged());
    QCOMPARE(int(s.profile(1).changed), 0);

    // Every tick refreshes the hardware controls; the profile controls only when forced.
    s.profile(1).param[1] = 60;
    wire::HardwareSettings hardware = s.link().hardwareSettings();
    hardware.word[3] = 55;
    s.fixture.session.editHardwareSettings(hardware);
    s.tick();
    QCOMPARE(slider("sinehorizontalSlider"), 130);
    QCOMPARE(slider("desktopcenteringhorizontalSlider"), 55);
    s.fixture.session.requestFullRefresh();
    s.tick();
    QCOMPARE(slider("sinehorizontalSlider"), 60);

    // A simple-mode profile shows the simple view with its levels.
    s.base().ram.profiles[2].param[50] = 1;
    s.base().ram.profiles[2].param[26] = 33686309;
    s.base().activeProfile = 2;
    s.reconnect();
    QVERIFY(!s.find("simplegroupBox")->isHidden());
    QCOMPARE(slider("simpleoverallgainSlider"), 37);
    QCOMPARE(s.text("simplesteeringrangelabel"), QString("900°"));
    QCOMPARE(s.text("simplesmoothnesslabel"), QString("Neutral"));
    QCOMPARE(s.text("simpledampinglabel"), QString("Neutral"));
}

void TestMw2Editing::mouseWheelNeedsFocusWhileGuarded()
{
    Session s;
    auto *slider = s.find<QSlider>("sinehorizontalSlider");
    auto *guard = s.find<QCheckBox>("mousewheelfiltercheckBox");
    QVERIFY(guard->isChecked());
    QVERIFY(!slider->hasFocus());
    auto turnWheel = [&] {
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(slider, &wheel);
    };

    turnWheel();
    QCOMPARE(slider->value(), 100);
    QVERIFY(!s.applier().settingsChanged());

    guard->setChecked(false);
    QVERIFY(!s.applier().settingsChanged()); // the guard itself is no setting
    turnWheel();
    QVERIFY(slider->value() != 100);
    QCOMPARE(s.profile(1).param[1], quint32(slider->value()));
}

QTEST_MAIN(TestMw2Editing)
#include "tst_mw2editing.moc"
