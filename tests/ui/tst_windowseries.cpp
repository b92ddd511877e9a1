// A user's afternoon in pictures: a save, a reload from permanent memory, an E-stop, a
// drive fault and an edit held back while the wheel stands off centre. At every moment
// the window must say what the virtual base is really doing; with VT2_SERIES_DIR set, the
// window is also saved as one PNG per moment (the README's pictures come from here).

#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"
#include "common/widgets/theme.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <cmath>

namespace {

constexpr std::size_t kStrength = 3; // overall strength, percent

struct Afternoon {
    ManualClock clock;
    SessionFixture fixture{[] {
        basesim::BaseConfig config = SessionFixture::operationalCendra();
        config.activeProfile = 1;
        return config;
    }()};
    ScriptedPrompts prompts;
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};
    QString folder = qEnvironmentVariable("VT2_SERIES_DIR");
    int picture = 0;

    Afternoon()
    {
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        window.resize(1000, 780);
        window.show();
        tick();
        tick();
        wheelTicks();
    }

    basesim::BaseState &base() { return fixture.base->state(); }
    DeviceLink &link() { return fixture.link(); }
    void tick() { fixture.session.statusTick(); }
    void wheelTicks()
    {
        // Offscreen the window is not active: the picture and angle refresh every 14th tick.
        for (int i = 0; i < 14; ++i) {
            clock.advance(40);
            fixture.session.wheelTick();
        }
    }
    // The auto-apply and the blink, as their timers would run them.
    void settle()
    {
        fixture.session.applier().autoApplySettings();
        fixture.base->update();
        tick();
        window.settingschangedblink();
        QCoreApplication::processEvents();
    }
    template <typename T = QWidget>
    T *find(const char *name)
    {
        T *widget = window.findChild<T *>(name);
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    QString text(const char *label) { return find<QLabel>(label)->text(); }
    QString alarm() { return find<QLabel>("alarmBand")->isVisibleTo(&window) ? text("alarmBand") : QString(); }
    std::uint32_t flashStrength() const { return fixture.base->state().flash.profiles.at(1).param[kStrength]; }
    std::uint32_t ramStrength() const { return fixture.base->state().ram.profiles.at(1).param[kStrength]; }
    void holdWheelAt(double degrees)
    {
        const double range = fixture.session.profiles().at(link().status().activeProfile)->param[18];
        base().holdWheel(std::uint16_t(std::lround((degrees + range / 2) * 65535 / range)));
        wheelTicks();
    }

    void snap(const char *stem)
    {
        QCoreApplication::processEvents();
        const QPixmap shot = window.grab();
        QVERIFY(!shot.isNull());
        if (folder.isEmpty())
            return;
        QVERIFY(QDir().mkpath(folder));
        const QString name = QStringLiteral("%1-%2.png").arg(++picture, 2, 10, QLatin1Char('0')).arg(QLatin1String(stem));
        QVERIFY(shot.save(QDir(folder).filePath(name), "PNG"));
    }
};

} // namespace

class TestWindowSeries : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setPalette(darkPalette());
        const std::optional<QString> sheet = loadStyleSheet(QStringLiteral(":/style_dark/darkorange.css"));
        QVERIFY(sheet.has_value());
        qApp->setStyleSheet(*sheet);
    }
    void anAfternoonInPictures();
};

void TestWindowSeries::anAfternoonInPictures()
{
    Afternoon a;
    a.find<QTabWidget>("tabWidget")->setCurrentWidget(a.find("ProfilesTab"));
    a.holdWheelAt(0);
    auto *save = a.find<QPushButton>("SaveToFlashButton");
    auto *strength = a.find<QSlider>("OverallGainSlider");
    const std::uint32_t saved = a.flashStrength();

    // An edit reaches the base's working memory only; the window offers to save it.
    strength->setValue(int(saved) == 70 ? 60 : 70);
    const std::uint32_t edited = std::uint32_t(strength->value());
    a.settle();
    QCOMPARE(a.ramStrength(), edited);
    QCOMPARE(a.flashStrength(), saved);
    QVERIFY(save->isEnabled());
    QCOMPARE(a.text("savestatelabel"), QString("Settings applied automatically - save to make them permanent"));
    a.snap("edit-applied");

    // Saving: the base writes its flash for seconds; the window says so and offers nothing.
    save->click();
    a.clock.advance(2000);
    a.settle();
    QVERIFY(a.link().gate().flashDelayRunning());
    QVERIFY(!save->isEnabled());
    QCOMPARE(a.text("savestatelabel"), QString("Saving to permanent memory - please wait"));
    a.snap("saving");
    a.clock.advance(basesim::kFlashSaveMs);
    a.fixture.base->update();
    a.fixture.session.flashDelayElapsed();
    a.settle();
    QCOMPARE(a.flashStrength(), edited);
    QCOMPARE(a.text("savestatelabel"), QString("Settings up to date in permanent memory"));
    QVERIFY(!save->isEnabled());
    a.snap("saved");

    // An edit, then a reload from permanent memory: the base runs the saved value again and
    // so does the slider, once the base has been read again.
    strength->setValue(int(edited) == 70 ? 60 : 70);
    a.settle();
    QVERIFY(a.ramStrength() != edited);
    a.find<QPushButton>("ReloadFlashButton")->click();
    QCOMPARE(a.text("savestatelabel"), QString("Reloading settings from permanent memory - please wait"));
    a.snap("reloading");
    a.clock.advance(basesim::kFlashSaveMs);
    a.fixture.base->update();
    a.fixture.session.flashDelayElapsed();
    a.settle();
    QCOMPARE(a.ramStrength(), edited);
    QCOMPARE(std::uint32_t(strength->value()), edited);
    QCOMPARE(a.text("savestatelabel"), QString("Settings up to date in permanent memory"));
    a.snap("reloaded");

    // E-stop: the band above the tabs names it while it lasts.
    a.find<QTabWidget>("tabWidget")->setCurrentWidget(a.find("OverviewTab"));
    a.base().estopPressed = true;
    a.tick();
    QCoreApplication::processEvents();
    QCOMPARE(a.text("estopLabel"), QString("E-Stop is PRESSED. "));
    QVERIFY2(a.alarm().contains("E-stop", Qt::CaseInsensitive), qPrintable(a.alarm()));
    a.snap("estop");
    a.base().estopPressed = false;
    a.tick();
    a.tick();
    QCoreApplication::processEvents();
    QVERIFY2(!a.alarm().contains("E-stop", Qt::CaseInsensitive), qPrintable(a.alarm()));

    // A drive fault: named in the band and listed in the status strip.
    a.base().driveFaults = 0x80; // overvoltage
    a.tick();
    QCoreApplication::processEvents();
    QVERIFY(a.text("estopLabel").contains("Overvoltage"));
    QVERIFY2(!a.alarm().isEmpty(), "the band names the fault");
    a.snap("drive-fault");
    a.base().driveFaults = 0;
    a.tick();
    a.tick();

    // An unsafe edit: with the wheel in its bump-stop zone any change would bring torque at
    // once, so the edit is held back and the window says what to do.
    a.find<QTabWidget>("tabWidget")->setCurrentWidget(a.find("ProfilesTab"));
    a.holdWheelAt(445);
    auto *sine = a.find<QSlider>("sinehorizontalSlider");
    const std::uint32_t sineBefore = a.base().ram.profiles.at(1).param[1];
    sine->setValue(int(sineBefore) == 150 ? 120 : 150);
    const std::uint32_t sineEdited = std::uint32_t(sine->value());
    a.settle();
    QCOMPARE(a.base().ram.profiles.at(1).param[1], sineBefore);
    QVERIFY(a.text("unsafesettingsnote").contains("Turn the wheel towards the centre"));
    QVERIFY(!a.text("savestatelabel").contains("up to date"));
    QVERIFY(!save->isEnabled());
    a.snap("unsafe-edit");

    // Back at the centre the held edit goes through.
    a.holdWheelAt(0);
    a.settle();
    QCOMPARE(a.base().ram.profiles.at(1).param[1], sineEdited);
    QVERIFY(a.text("unsafesettingsnote").isEmpty());
}

QTEST_MAIN(TestWindowSeries)
#include "tst_windowseries.moc"
