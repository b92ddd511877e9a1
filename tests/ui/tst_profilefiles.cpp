// The window's profile files against hostile input: values from a file reach the base only
// inside their editors' ranges and the user is told how many were moved; an export onto a
// pipe or a folder is reported failed without waiting; a backup that cannot be written is
// shown and the save goes on.

#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "settings/profileranges.h"
#include "ui/mw2.h"

#include <QComboBox>
#include <QFile>
#include <QSlider>
#include <QSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {

constexpr int kSaveToFlash = 0x04;

struct Window {
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};

    Window()
    {
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        fixture.session.statusTick(); // connects and reloads
        fixture.session.statusTick(); // fills the controls
        fixture.session.wheelTick();
        fixture.base->clearReceivedFrames();
    }

    basesim::BaseState &base() { return fixture.base->state(); }
    QString statusLine() { return window.findChild<QLabel *>("importexportstatuslabel")->text(); }
    void click(const char *name) { window.findChild<QPushButton *>(name)->click(); }
    int framesWithCode(int code) const
    {
        int count = 0;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            count += frame[1] == code;
        return count;
    }
};

} // namespace

class TestProfileFiles : public QObject {
    Q_OBJECT

private slots:
    void rangesMatchTheEditors_data();
    void rangesMatchTheEditors();
    void importedValuesReachBaseInRange();
    void exportOntoNonRegularTargetFails_data();
    void exportOntoNonRegularTargetFails();
    void backupFailureIsShownAndSaveGoesOn();

private:
    QTemporaryDir folder_;
};

// The importer's ranges live below the widgets; this keeps them equal to what the forms
// let the user set (positions times the factor each control stores).
void TestProfileFiles::rangesMatchTheEditors_data()
{
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("factor");
    using Id = ProfileParameterId;
    const struct {
        const char *name;
        QStringList controls;
        Id id;
        int factor;
    } rows[] = {
        {"sine", {"sinehorizontalSlider"}, Id::dxsinegain, 1},
        {"square", {"squarehorizontalSlider"}, Id::dxsquaregain, 1},
        {"spring", {"springhorizontalSlider"}, Id::dxspringgain, 1},
        {"friction", {"frictionSlider"}, Id::dxfrictiongain, 1},
        {"damping", {"dampingslider"}, Id::dxdampinggain, 1},
        {"sawtooth", {"sawtoothhorizontalSlider"}, Id::dxsawtoothgain, 1},
        {"triangle", {"trianglehorizontalSlider"}, Id::dxtrianglegain, 1},
        {"strength, both views", {"OverallGainSlider", "simpleoverallgainSlider"}, Id::overallstrength, 1},
        {"steering range", {"SteeringAngleSpinBox"}, Id::steeringrange, 1},
        {"end stop", {"endstopanglehorizontalSlider"}, Id::bumbstoprange, 1},
        {"torque filter", {"torque_lpf_comboBox"}, Id::servo_torquebandwidth, 1},
        {"reconstruction filter", {"oskaFilterComboBox"}, Id::servo_reconfilter1, 1},
        {"drive damping", {"oskadampinghorizontalslider"}, Id::servo_damping, 10},
        {"drive friction", {"oskafrictionhorizontalslider"}, Id::servo_friction, 10},
        {"drive inertia", {"oskainertiahorizontalslider"}, Id::servo_inertia, 10},
        {"centre damping", {"centerdampingslider"}, Id::centerdamping, 10},
        {"reduction speed", {"staticforcereductionspeedhorizontalSlider"}, Id::staticforcereductionspeed, 1},
        {"gamma", {"gammahorizontalslider"}, Id::gamma, 1},
        {"centre span", {"centerdampinganglespanhorizontalslider"}, Id::centerdampinganglespan, 1},
        {"latency", {"ultralowlatencyhorizontalSlider"}, Id::ultralowlatency, 1},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.controls << int(r.id) << r.factor;
}

void TestProfileFiles::rangesMatchTheEditors()
{
    QFETCH(QStringList, controls);
    QFETCH(int, id);
    QFETCH(int, factor);
    Window w;
    int lowest = INT_MAX, highest = INT_MIN;
    for (const QString &name : controls) {
        QWidget *control = w.window.findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        if (auto *slider = qobject_cast<QSlider *>(control)) {
            lowest = std::min(lowest, slider->minimum());
            highest = std::max(highest, slider->maximum());
        } else if (auto *box = qobject_cast<QSpinBox *>(control)) {
            lowest = std::min(lowest, box->minimum());
            highest = std::max(highest, box->maximum());
        } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
            lowest = 0;
            highest = combo->count() - 1;
        }
    }
    const std::optional<profiles::ParameterRange> range = profiles::editorRange(ProfileParameterId(id));
    QVERIFY(range);
    QCOMPARE(range->minimum, std::uint32_t(lowest * factor));
    QCOMPARE(range->maximum, std::uint32_t(highest * factor));
}

void TestProfileFiles::importedValuesReachBaseInRange()
{
    const QString path = folder_.filePath("wild.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Veltrane2_Profiles_V2]\nProfile1\\name=Wild\nProfile1\\steeringrange=-1\n"
               "Profile1\\overallstrength=500\nProfile2\\name=Tame\nProfile2\\steeringrange=540\n");
    file.close();

    Window w;
    const int before = w.base().ram.profileCount;
    w.fixture.prompts.fileNames << path;
    w.click("importprofilespushbutton");

    QVERIFY2(w.statusLine().startsWith("Profiles imported. 2 value"), qPrintable(w.statusLine()));
    QCOMPARE(int(w.base().ram.profileCount), before + 2);
    const auto &wild = w.base().ram.profiles[std::size_t(before)];
    QCOMPARE(wild.param[std::size_t(ProfileParameterId::steeringrange)], 40u);
    QCOMPARE(wild.param[std::size_t(ProfileParameterId::overallstrength)], 100u);
    QCOMPARE(w.base().ram.profiles[std::size_t(before + 1)].param[std::size_t(ProfileParameterId::steeringrange)], 540u);
}

void TestProfileFiles::exportOntoNonRegularTargetFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("folder") << "folder";
    QTest::newRow("device") << "device";
}

void TestProfileFiles::exportOntoNonRegularTargetFails()
{
    QFETCH(QString, kind);
    QString path = folder_.path();
    if (kind == "pipe") {
        path = folder_.filePath("pipe.ini");
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (kind == "device") {
        path = "/dev/full";
    }
    Window w;
    w.fixture.prompts.fileNames << path;
    // A pipe opened for reading or writing would hold the window here for ever.
    w.click("exportprofilespushbutton");
    QVERIFY2(w.statusLine().startsWith("Profiles could not be exported: " + path), qPrintable(w.statusLine()));
}

void TestProfileFiles::backupFailureIsShownAndSaveGoesOn()
{
    Window w;
    // A folder where the backup file should be.
    w.fixture.session.applier().setAutomaticBackupPath(folder_.path());
    w.click("SaveToFlashButton");
    QVERIFY2(w.statusLine().startsWith("The automatic backup could not be written: " + folder_.path()),
             qPrintable(w.statusLine()));
    QCOMPARE(w.framesWithCode(kSaveToFlash), 1);
}

QTEST_MAIN(TestProfileFiles)
#include "tst_profilefiles.moc"
