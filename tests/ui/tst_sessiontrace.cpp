// Every frame a scripted session of the main window writes to the virtual base, in order and
// byte for byte, held against a trace kept in the repository. The window's insides may be
// rearranged freely; what it says to a base must not change.
//
// After a deliberate change of behaviour, rewrite the trace with VT2_RECORD_TRACE=1: the
// test then writes the fixture instead of comparing, and fails to make the rewrite visible.

#include "analog/analogconfigdialog.h"
#include "session/basesession.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "ui/dialogs/profilereorderdialog.h"
#include "tests/support/scriptedprompts.h"
#include "basesim/virtualbase.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// ---------------------------------------------------------------------------------------
// How the script reaches the product. Only these helpers name the window's entry points and
// the process-wide records; when those move, these change and the script below stays.

// The session as the program builds it; its timers only run once started, and the script
// runs every tick itself.
std::unique_ptr<BaseSession> openSession(hid::Backend &base, const QString &backupPath)
{
    auto session = std::make_unique<BaseSession>(base, SessionOptions{QStringLiteral("1.0.15"), 0});
    // The backup written before every flash save goes to the test's folder.
    session->applier().setAutomaticBackupPath(backupPath);
    return session;
}

std::unique_ptr<MW2> openWindow(BaseSession &session, UserPrompts &prompts)
{
    auto window = std::make_unique<MW2>(session, prompts, "1.0.15", "2020.1");
    for (QTimer *timer : window->findChildren<QTimer *>())
        timer->stop();
    return window;
}

void statusTick(BaseSession &session) { session.statusTick(); }
void wheelTick(BaseSession &session) { session.wheelTick(); }
void autoApply(BaseSession &session) { session.applier().autoApplySettings(); }
// What the flash delay timer's expiry runs; the script fires it once the clock has moved on.
void flashDelayElapsed(BaseSession &session) { session.flashDelayElapsed(); }

template <typename T = QWidget>
T *widget(QObject &root, const QString &name)
{
    T *found = root.findChild<T *>(name);
    if (!found)
        qFatal("no widget %s", qPrintable(name));
    return found;
}

// Dialogs closed with WA_DeleteOnClose are gone after this, as after a turn of the event loop.
void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// ---------------------------------------------------------------------------------------

constexpr std::uint8_t kSaveToFlash = 0x04;
constexpr std::uint8_t kReloadFromFlash = 0x05;
// The hardware settings word the desktop centering slider writes.
constexpr std::size_t kDesktopCenteringWord = 3;

constexpr linkclock::Milliseconds kStatusIntervalMs = 1000;
constexpr linkclock::Milliseconds kWheelIntervalMs = 40;
// Offscreen the window is never active: it refreshes the wheel display every 14th tick.
constexpr int kWheelTicksPerRefresh = 14;

QString textOf(const std::array<char, 32> &text)
{
    return QString::fromUtf8(text.data(), int(strnlen(text.data(), text.size())));
}

QString hexLine(const wire::CommandFrame &frame)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(frame.data()), int(frame.size())).toHex());
}

basesim::BaseConfig baseConfig()
{
    basesim::BaseConfig config;
    config.startOperational = true;
    config.profileCount = 5;
    config.activeProfile = 1;
    config.defaultProfile = 1;
    return config;
}

// Moves `rows` into the order of `names`, as dragging each row to its place would.
void arrange(QListWidget *rows, const QStringList &names)
{
    for (int place = 0; place < names.size(); ++place) {
        for (int row = place; row < rows->count(); ++row) {
            if (rows->item(row)->text() == names[place]) {
                rows->insertItem(place, rows->takeItem(row));
                break;
            }
        }
    }
}

// A window connected to a virtual base whose wheel, pedals and buttons stand still, on a
// clock that moves only when the script says so. Frames are collected per step.
class TracedSession {
public:
    TracedSession()
    {
        base = std::make_unique<basesim::VirtualBase>(baseConfig());
        basesim::BaseState &state = base->state();
        state.holdWheel(wire::kWheelCentre);
        state.inputs.heldSensors = std::array<std::uint16_t, wire::kAnalogAxes>{0x8000, 0x8000, 20000, 30000,
                                                                               10000,  0x8000, 0};
        state.inputs.heldButtons = std::array<std::uint32_t, 4>{};
        // Names that can be followed through the reorder.
        for (std::size_t i = 1; i < 5; ++i)
            std::strcpy(state.ram.profiles[i].name.data(), qPrintable(QStringLiteral("P%1").arg(i)));
        state.flash = state.ram;
        session = openSession(*base, folder.filePath("profiles_autobackup.ini"));
        window = openWindow(*session, prompts);
    }
    ~TracedSession()
    {
        // The window goes before the session, and the session (closing its handle) before the base.
        window.reset();
        session.reset();
    }

    // The trace: "# step" and then one line of hex per frame written during the step.
    void step(const QString &name)
    {
        collect();
        trace << QStringLiteral("# ") + name;
    }
    QStringList finish()
    {
        collect();
        return trace;
    }
    bool framesKept() const { return !framesLost; }
    int sentInThisStep(std::uint8_t code) const
    {
        int n = 0;
        for (const wire::CommandFrame &frame : base->receivedFrames())
            n += frame[1] == code;
        return n;
    }

    // What the user and the timers do.
    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            clock.advance(kStatusIntervalMs);
            statusTick(*session);
        }
    }
    void wheelTicks(int times = kWheelTicksPerRefresh)
    {
        for (int i = 0; i < times; ++i) {
            clock.advance(kWheelIntervalMs);
            wheelTick(*session);
        }
    }
    void autoApplyTick() { autoApply(*session); }
    void flashDelayPasses(linkclock::Milliseconds delay)
    {
        clock.advance(delay);
        base->update();
        flashDelayElapsed(*session);
    }

    // False when the button cannot be clicked: the action would silently not happen.
    bool click(const QString &name)
    {
        auto *button = widget<QAbstractButton>(*window, name);
        if (!button->isEnabled())
            return false;
        button->click();
        return true;
    }
    // A slider or spin box moved to `value` as a user would, so its handler runs.
    void set(const QString &name, int value)
    {
        if (auto *slider = window->findChild<QAbstractSlider *>(name)) {
            if (slider->value() == value) // a value it already has would not be an edit
                slider->setValue(value == slider->minimum() ? slider->maximum() : slider->minimum());
            slider->setValue(value);
            return;
        }
        widget<QSpinBox>(*window, name)->setValue(value);
    }
    // False when the box has no such item or shows it already (no edit would follow).
    bool choose(const QString &name, int index)
    {
        auto *box = widget<QComboBox>(*window, name);
        if (index >= box->count() || box->currentIndex() == index)
            return false;
        box->setCurrentIndex(index);
        return true;
    }
    // Spin boxes and name editors that take their value on Enter.
    void enter(const QString &name, const QString &text)
    {
        auto *target = widget(*window, name);
        if (auto *line = qobject_cast<QLineEdit *>(target))
            line->setText(text);
        else if (auto *box = qobject_cast<QDoubleSpinBox *>(target))
            box->setValue(text.toDouble());
        else
            widget<QSpinBox>(*window, name)->setValue(text.toInt());
        QTest::keyClick(target, Qt::Key_Return);
    }
    void activateProfile(int index) { widget<QComboBox>(*window, "selectprofilecomboBox")->setCurrentIndex(index); }
    int profileBoxCount() { return widget<QComboBox>(*window, "selectprofilecomboBox")->count(); }

    basesim::BaseState &baseState() { return base->state(); }
    QStringList baseProfileNames()
    {
        QStringList names;
        for (std::size_t i = 1; i < baseState().ram.profileCount; ++i)
            names << textOf(baseState().ram.profiles[i].name);
        return names;
    }

    QTemporaryDir folder;
    ManualClock clock;
    std::unique_ptr<basesim::VirtualBase> base;
    ScriptedPrompts prompts;
    std::unique_ptr<BaseSession> session;
    std::unique_ptr<MW2> window;

private:
    void collect()
    {
        const std::vector<wire::CommandFrame> &frames = base->receivedFrames();
        // The base drops its oldest half on reaching its bound; a step never longer than that
        // half proves nothing was dropped.
        if (frames.size() > basesim::kReceivedFramesKept / 2)
            framesLost = true;
        for (const wire::CommandFrame &frame : frames)
            trace << hexLine(frame);
        base->clearReceivedFrames();
    }

    QStringList trace;
    bool framesLost = false;
};

std::function<int(QDialog *)> acceptAfter(const std::function<void(QDialog *)> &edit)
{
    return [edit](QDialog *dialog) {
        edit(dialog);
        dialog->accept();
        return int(QDialog::Accepted);
    };
}

// The script: one session as a user would run it. Sanity checks keep the trace meaningful
// (an action that silently did nothing would otherwise be recorded as "nothing sent").
void runScript(QStringList &trace)
{
    TracedSession s;

    s.step("connect and full reload");
    s.tick(2);
    QVERIFY(s.session->link().connected());
    s.wheelTicks();

    s.step("advanced view edits");
    s.set("sinehorizontalSlider", 150);
    s.set("slewratehorizontalSlider", 4800);
    s.set("oskadampinghorizontalslider", 25);
    QVERIFY(s.choose("torque_lpf_comboBox", 2));
    s.enter("centerfreqDoubleSpinBox", "50");
    s.enter("SteeringAngleSpinBox", "1080");
    s.enter("profilenamelineEdit", "Gravel");

    s.step("switch to the simple view");
    s.prompts.onDialog = acceptAfter([](QDialog *) {});
    QVERIFY(s.click("simplemodepushButton"));

    s.step("simple view edits");
    s.set("simpleoverallgainSlider", 37);
    s.set("simplesmoothnesshorizontalSlider", 4);
    s.set("simpledampinghorizontalSlider", 0);

    s.step("switch to the advanced view");
    QVERIFY(s.click("advancedpushButton"));
    s.set("gammahorizontalslider", 1500);

    s.step("hardware page edits");
    s.set("desktopcenteringhorizontalSlider", 30);
    auto *suspend = widget<QCheckBox>(*s.window, "usbsuspendcheckBox");
    suspend->setChecked(!suspend->isChecked());

    s.step("auto-apply");
    s.wheelTicks();
    s.autoApplyTick();
    QCOMPARE(s.baseState().ram.hardware.word[kDesktopCenteringWord], 30u);
    QVERIFY(s.baseState().hasFlag(wire::Unsaved));
    s.tick();

    s.step("save to flash");
    QVERIFY(s.click("SaveToFlashButton"));
    QCOMPARE(s.sentInThisStep(kSaveToFlash), 1);
    s.tick(); // held while the base writes its flash
    s.flashDelayPasses(kFlashSaveDelayMs);
    s.tick(2);
    QCOMPARE(s.baseState().flash.hardware.word[kDesktopCenteringWord], 30u);

    s.step("reload from flash");
    QVERIFY(s.click("ReloadFlashButton"));
    QCOMPARE(s.sentInThisStep(kReloadFromFlash), 1);
    s.flashDelayPasses(kFlashReloadDelayMs);
    s.tick(2);

    s.step("add a profile from a template");
    s.prompts.onDialog = acceptAfter([](QDialog *dialog) {
        widget<QComboBox>(*dialog, "templatecomboBox")->setCurrentIndex(2);
    });
    QVERIFY(s.click("addprofilespushButton"));
    s.tick();

    s.step("copy the profile");
    QVERIFY(s.click("copyprofilepushButton"));
    s.tick();
    QCOMPARE(int(s.baseState().ram.profileCount), 7);
    QCOMPARE(s.profileBoxCount(), 7);
    QCOMPARE(textOf(s.baseState().ram.profiles[6].name), QString("Copied profile"));

    s.step("delete the copy");
    s.prompts.onDialog = acceptAfter([](QDialog *) {});
    QVERIFY(s.click("deleteprofilepushbutton"));
    s.tick();
    QCOMPARE(int(s.baseState().ram.profileCount), 6);

    s.step("reorder profiles");
    const QStringList before = s.baseProfileNames();
    QCOMPARE(before.size(), 5);
    const QStringList chosen{before[4], before[2], before[0], before[3], before[1]};
    QVERIFY(s.click("reorderprofilespushbutton"));
    auto *reorder = s.window->findChild<profileReorderDialog *>();
    QVERIFY(reorder);
    arrange(reorder->profileListWidget(), chosen);
    widget<QDialogButtonBox>(*reorder, "buttonBox")->button(QDialogButtonBox::Ok)->click();
    settle();
    s.tick();
    QCOMPARE(s.baseProfileNames(), chosen);

    s.step("activate profile 2");
    s.activateProfile(2);
    s.tick();

    s.step("set it as default");
    QVERIFY(s.click("setdefaultprofilepushbutton"));
    s.tick();
    QCOMPARE(int(s.baseState().ram.defaultProfile), 2);

    s.step("activate profile 3");
    s.activateProfile(3);
    s.tick();
    QCOMPARE(int(s.baseState().activeProfile), 3);

    const QString exported = s.folder.filePath("exported.ini");
    s.step("export profiles");
    s.prompts.fileNames << exported;
    QVERIFY(s.click("exportprofilespushbutton"));
    QVERIFY(QFile::exists(exported));
    s.tick();

    s.step("import profiles");
    s.prompts.fileNames << exported;
    QVERIFY(s.click("importprofilespushbutton"));
    s.tick();
    QCOMPARE(int(s.baseState().ram.profileCount), 11);

    s.step("analog calibration ending with OK");
    QVERIFY(s.click("configureanalogspushbutton"));
    auto *calibration = s.window->findChild<AnalogConfigDialog *>();
    QVERIFY(calibration);
    s.wheelTicks();
    widget<QComboBox>(*calibration, "brakepincomboBox")->setCurrentIndex(1);
    widget<QSpinBox>(*calibration, "throttlelowdeadzonespinBox")->setValue(4000);
    widget<QCheckBox>(*calibration, "rudderinvertcheckBox")->click();
    widget<QDialogButtonBox>(*calibration, "buttonBox")->button(QDialogButtonBox::Ok)->click();
    settle();
    s.tick();
    QVERIFY(!s.baseState().inputs.rawAnalogMode);

    s.step("analog calibration ending with Cancel");
    QVERIFY(s.click("configureanalogspushbutton"));
    calibration = s.window->findChild<AnalogConfigDialog *>();
    QVERIFY(calibration);
    widget<QComboBox>(*calibration, "hatpincomboBox")->setCurrentIndex(3);
    widget<QSpinBox>(*calibration, "brakehighdeadzonespinBox")->setValue(900);
    widget<QPushButton>(*calibration, "clutchresetpushButton")->click();
    widget<QDialogButtonBox>(*calibration, "buttonBox")->button(QDialogButtonBox::Cancel)->click();
    settle();
    s.tick();
    QVERIFY(!s.baseState().inputs.rawAnalogMode);

    s.step("idle");
    s.wheelTicks();
    s.autoApplyTick();
    s.tick(2);

    trace = s.finish();
    QVERIFY2(s.framesKept(), "a step wrote more frames than the virtual base keeps");
}

QString stepAt(const QStringList &trace, int line)
{
    for (int i = std::min(line, int(trace.size()) - 1); i >= 0; --i) {
        if (trace[i].startsWith(QLatin1Char('#')))
            return trace[i].mid(2);
    }
    return QStringLiteral("(before the first step)");
}

// Empty when the traces agree; else where they first part, with the step and both lines.
QString firstDifference(const QStringList &expected, const QStringList &actual)
{
    const int longer = std::max(expected.size(), actual.size());
    for (int i = 0; i < longer; ++i) {
        const QString want = i < expected.size() ? expected[i] : QStringLiteral("(end of trace)");
        const QString got = i < actual.size() ? actual[i] : QStringLiteral("(end of trace)");
        if (want == got)
            continue;
        const QString step = stepAt(expected, i);
        const QString actualStep = stepAt(actual, i);
        return QStringLiteral("line %1, step \"%2\"%3\n  expected: %4\n  actual:   %5")
            .arg(i + 1)
            .arg(step,
                 actualStep == step ? QString() : QStringLiteral(" (in the actual trace: \"%1\")").arg(actualStep),
                 want, got);
    }
    return {};
}

QString joined(const QStringList &trace) { return trace.join(QLatin1Char('\n')) + QLatin1Char('\n'); }

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toLatin1()) == text.size();
}

} // namespace

class TestSessionTrace : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sessionWritesTheRecordedFrames();
    void repeatedSessionWritesTheSameFrames();

private:
    QTemporaryDir settingsFolder_;
};

void TestSessionTrace::initTestCase()
{
    // Settings stay in a folder of the test, also when it runs outside CTest.
    QVERIFY(settingsFolder_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder_.path());
    QSettings("Halvern Labs", "Veltrane2").setValue("Version", "1.0.15");
    // Telemetry declined: the recorded traffic holds no telemetry exchanges.
    QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsentVersion", 1);
    QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsent", 2);
}

void TestSessionTrace::sessionWritesTheRecordedFrames()
{
    QStringList actual;
    runScript(actual);
    if (QTest::currentTestFailed())
        return;

    const QString fixture = QStringLiteral(VT2_SESSION_TRACE_FIXTURE);
    if (qEnvironmentVariableIntValue("VT2_RECORD_TRACE") != 0) {
        QVERIFY(QDir().mkpath(QFileInfo(fixture).path()));
        QVERIFY2(writeText(fixture, joined(actual)), qPrintable(fixture));
        QFAIL(qPrintable(QStringLiteral("recorded %1 lines into %2; run again without VT2_RECORD_TRACE to compare")
                             .arg(actual.size())
                             .arg(fixture)));
    }

    QFile file(fixture);
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(QStringLiteral("no trace at %1; record one with VT2_RECORD_TRACE=1").arg(fixture)));
    QString text = QString::fromLatin1(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QStringList expected = text.split(QLatin1Char('\n'));

    const QString difference = firstDifference(expected, actual);
    if (!difference.isEmpty()) {
        const QString written = QDir::current().absoluteFilePath(QStringLiteral("session_trace.actual.txt"));
        const bool saved = writeText(written, joined(actual));
        QFAIL(qPrintable(QStringLiteral("the session wrote other frames than recorded in %1\nfirst difference at %2\n%3")
                             .arg(fixture, difference,
                                  saved ? QStringLiteral("actual trace written to ") + written
                                        : QStringLiteral("could not write the actual trace to ") + written)));
    }
}

void TestSessionTrace::repeatedSessionWritesTheSameFrames()
{
    // Two sessions in one process: whatever one leaves behind must not reach the next.
    QStringList first, second;
    runScript(first);
    if (QTest::currentTestFailed())
        return;
    runScript(second);
    if (QTest::currentTestFailed())
        return;
    const QString difference = firstDifference(first, second);
    QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("second session differs at ") + difference));
}

QTEST_MAIN(TestSessionTrace)
#include "tst_sessiontrace.moc"
