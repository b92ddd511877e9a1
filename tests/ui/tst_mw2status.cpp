// The live status presentation, end to end: the virtual base's state, polled by the
// session, shown in the window's labels.

#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "common/widgets/turningpicturelabel.h"
#include "tests/support/sessionfixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <cstring>

class TestMw2Status : public QObject {
    Q_OBJECT

private slots:
    void connectedWindowShowsBase();
    void operatingModeLine_data();
    void operatingModeLine();
    void motorFaultsWhenEstopReleased();
    void faultListKeepsTheTabsInPlace();
    void saveLineShownFromTheFirstStatus();
    void endstopDialogFollowsForces();
    void torqueLinesFromPeakCurrentAndStrength();
    void wheelAngleButtonsAndAxes();
    void wheelAngleUnknownWithoutReports();
    void wheelShownEveryTickOnlyInFront();
    void unplugAndReplug();
    void torqueButtonBlinks();

private:
    struct Session {
        ManualClock clock;
        SessionFixture fixture;
        MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
        Session() { tick(); }
        basesim::BaseState &base() { return fixture.base->state(); }
        void tick() { fixture.session.statusTick(); }
        QString text(const char *name) { return window.findChild<QLabel *>(name)->text(); }
        QString style(const char *name) { return window.findChild<QLabel *>(name)->styleSheet(); }
    };
};

void TestMw2Status::connectedWindowShowsBase()
{
    Session s;
    s.tick();
    QCOMPARE(s.text("operationalLabel"), QString("Operational"));
    QVERIFY(s.style("operationalLabel").contains("#e84e0f"));
    QCOMPARE(s.text("fwversionLabel"), QString("1.0.15"));
    QCOMPARE(s.text("veltrane2versionlabel"), QString("Veltrane 2 Cendra"));
    QCOMPARE(s.text("oskafwversionLabel"), QString("4210"));
    QCOMPARE(s.text("activeprofilestatusfieldlabel"), QString("Read-only safe profile"));
    QCOMPARE(s.text("estopLabel"), QString("E-Stop is released. "));
    QCOMPARE(s.text("hightorquemodetextlabel"), QString("DISABLED"));
    QCOMPARE(s.window.findChild<QPushButton *>("activateHighTorquepushbutton")->text(),
             QString("   Enable High Torque Mode   "));
    QVERIFY(!s.window.findChild<QPushButton *>("enabletorquepushButton")->isVisibleTo(&s.window));
    QVERIFY(s.window.findChild<QWidget *>("ProfilesTab")->isEnabled());
    QVERIFY(s.window.findChild<QPushButton *>("configureanalogspushbutton")->isEnabled());
}

void TestMw2Status::operatingModeLine_data()
{
    QTest::addColumn<quint32>("mode");
    QTest::addColumn<quint16>("flags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("torqueButton");
    const quint16 forces = 0x0010;
    QTest::newRow("booting") << 0u << forces << "Booting" << "#af1d1f" << false;
    QTest::newRow("mode 15") << 15u << forces << "Unknown operating mode!" << "#ff2400" << false;
    QTest::newRow("no base code") << 20u << forces << "Unknown operating mode!" << "#ff2400" << false;
    QTest::newRow("wheel gone and its button")
        << 11u << quint16(forces | 0x0100 | 0x2000)
        << "Operational - Torque Off due to: Wheel Disconnection & Wheel Torque Off button" << "" << false;
    QTest::newRow("standby") << 11u << quint16(forces | 0x4000) << "Operational - Torque Off due to: Standby Mode"
                             << "" << true;
}

void TestMw2Status::operatingModeLine()
{
    QFETCH(quint32, mode);
    QFETCH(quint16, flags);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(bool, torqueButton);
    Session s;
    s.base().operatingMode = mode;
    s.base().statusFlags = flags;
    s.tick();
    QCOMPARE(s.text("operationalLabel"), text);
    if (!colour.isEmpty())
        QVERIFY2(s.style("operationalLabel").contains(colour), qPrintable(s.style("operationalLabel")));
    QCOMPARE(s.window.findChild<QPushButton *>("enabletorquepushButton")->isVisibleTo(&s.window), torqueButton);
    // Pedal calibration is only offered while operational.
    QCOMPARE(s.window.findChild<QPushButton *>("configureanalogspushbutton")->isEnabled(), mode == 11);
}

void TestMw2Status::motorFaultsWhenEstopReleased()
{
    Session s;
    s.base().driveFaults = 0x02 | 0x40 | 0x80; // tracking error, under- and overvoltage
    s.base().faultLocation = 77;
    s.tick();
    const QString estop = s.text("estopLabel");
    QVERIFY2(estop.startsWith("E-Stop is released. Overvoltage threshold [FOV] must be > 102% of HV BUS voltage"),
             qPrintable(estop));
    QVERIFY(!estop.contains("Tracking Error!"));
    QVERIFY(estop.contains("Fault Location ID: 77"));
    QVERIFY(!estop.contains("@color")); // the link's colour was filled in
    QVERIFY(s.style("estopLabel").contains("#af1d1f"));

    s.base().estopPressed = true;
    s.tick();
    QCOMPARE(s.text("estopLabel"), QString("E-Stop is PRESSED. "));
}

// Every fault at once wraps over several lines; it scrolls in its own place while the
// tabs stay where they were.
void TestMw2Status::faultListKeepsTheTabsInPlace()
{
    Session s;
    s.window.resize(900, 700);
    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    auto *tabs = s.window.findChild<QTabWidget *>("tabWidget");
    auto tabsTop = [&] {
        QCoreApplication::processEvents();
        return tabs->mapTo(&s.window, QPoint(0, 0)).y();
    };
    const int before = tabsTop();
    s.base().driveFaults = 0xffffffffu;
    s.base().faultLocation = 77;
    s.tick();
    QVERIFY(s.text("estopLabel").contains("Fault Location ID: 77"));
    const QLabel *faults = s.window.findChild<QLabel *>("estopLabel");
    QVERIFY(faults->heightForWidth(faults->width()) > 2 * faults->fontMetrics().lineSpacing()); // it does wrap
    QCOMPARE(tabsTop(), before);
}

void TestMw2Status::saveLineShownFromTheFirstStatus()
{
    Session s;
    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    s.tick();
    // Said at once, not at the first blink seconds later...
    QCOMPARE(s.text("savestatelabel"), QString("Settings up to date in permanent memory"));
    auto *tabs = s.window.findChild<QTabWidget *>("tabWidget");
    const auto tabsGeometry = [&] {
        QCoreApplication::processEvents();
        return QRect(tabs->mapTo(&s.window, QPoint(0, 0)), tabs->size());
    };
    const QRect before = tabsGeometry();
    // ...so the blink that follows changes nothing that would lay the window out again.
    s.window.settingschangedblink();
    QCOMPARE(tabsGeometry(), before);
    s.base().setFlag(wire::Unsaved, true);
    s.tick();
    QCOMPARE(s.text("savestatelabel"), QString());
    s.window.settingschangedblink();
    QCOMPARE(s.text("savestatelabel"), QString("Settings applied automatically - save to make them permanent"));
}

void TestMw2Status::endstopDialogFollowsForces()
{
    Session s;
    auto *tabs = s.window.findChild<QTabWidget *>("tabWidget");
    tabs->setCurrentIndex(2);
    s.base().setFlag(wire::ForcesEnabled, false);
    s.tick();
    QDialog *dialog = s.window.findChild<QDialog *>("wheelTooNearEndstopDialog");
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(tabs->currentIndex(), 0);
    s.tick(); // still off: no second dialog
    QCOMPARE(s.window.findChildren<QDialog *>("wheelTooNearEndstopDialog").size(), 1);

    s.base().setFlag(wire::ForcesEnabled, true);
    s.tick();
    QVERIFY(!s.window.findChild<QDialog *>("wheelTooNearEndstopDialog"));
}

void TestMw2Status::torqueLinesFromPeakCurrentAndStrength()
{
    Session s;
    s.base().ram.hardware.word[10] = 10000;
    s.base().ram.profiles[0].param[3] = 60;
    s.base().ram.profiles[0].param[26] = 50; // simple strength 50 %
    // The window reads settings once per connection: reconnect to pick the new ones up.
    s.fixture.base->unplug();
    s.tick();
    s.fixture.base->plug();
    s.tick();
    s.tick();
    QCOMPARE(s.text("actualcurrentlabel"), QString("6.6 Nm (6.0 A) - Limited to 4.4 Nm in safe torque mode"));
    QCOMPARE(s.text("simplestrengthlabel"), QString("5.5 Nm - Limited to 4.4 Nm in safe torque mode"));
}

void TestMw2Status::wheelAngleButtonsAndAxes()
{
    Session s;
    s.tick();
    s.base().holdWheel(65535);
    s.base().inputs.heldButtons = std::array<std::uint32_t, 4>{0x1u, 0, 0, 0};
    s.base().inputs.heldAxes = std::array<std::uint16_t, 7>{1, 2, 1234, 4, 5, 6, 7};
    // Not the active window offscreen: the picture refreshes on every 14th wheel tick.
    for (int tick = 0; tick < 14; ++tick) {
        s.clock.advance(40);
        s.fixture.session.wheelTick();
    }
    QCOMPARE(s.text("WheelDegreesLabel"), QString("450.00 °"));
    QVERIFY(s.text("buttonsLabel_1").startsWith(QString::fromUtf8("●○")));
    QCOMPARE(s.text("BrakeLabel"), QString("01234"));   // brake has a pin in the record in use
    QCOMPARE(s.text("yLabel"), QString("disabled"));    // y has none
    QVERIFY(s.window.findChild<TurningPictureLabel *>("wheelLabel")->hasPicture());
}

// In front, the wheel is shown on every tick; behind another window on every 14th; the window
// holding the page's window (the tool's frame) is the one that counts.
void TestMw2Status::wheelShownEveryTickOnlyInFront()
{
    Session s;
    QWidget frame;
    auto *layout = new QVBoxLayout(&frame);
    layout->addWidget(&s.window);
    QWidget other;
    const auto bringForward = [](QWidget &window) {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    };
    const auto ticksUntilShown = [&](std::uint16_t position, const QString &shown) {
        s.base().holdWheel(position);
        for (int tick = 1; tick <= 20; ++tick) {
            s.clock.advance(40);
            s.fixture.session.wheelTick();
            if (s.text("WheelDegreesLabel") == shown)
                return tick;
        }
        return 0;
    };
    QVERIFY(bringForward(frame));
    s.tick();
    QCOMPARE(ticksUntilShown(65535, QString("450.00 °")), 1);
    QVERIFY(bringForward(other));
    QCOMPARE(ticksUntilShown(wire::kWheelCentre, QString("0.00 °")), 14);
    QVERIFY(bringForward(frame));
    QCOMPARE(ticksUntilShown(65535, QString("450.00 °")), 1);
    layout->removeWidget(&s.window);
    s.window.setParent(nullptr);
}

void TestMw2Status::wheelAngleUnknownWithoutReports()
{
    Session s;
    s.tick();
    s.base().holdWheel(65535);
    auto wheelTicks = [&] {
        for (int tick = 0; tick < 14; ++tick) {
            s.clock.advance(40);
            s.fixture.session.wheelTick();
        }
    };
    wheelTicks();
    QCOMPARE(s.text("WheelDegreesLabel"), QString("450.00 °"));

    // The E-stop ends operation: the base stops its wheel reports while the wheel stays put.
    s.base().estopPressed = true;
    for (int i = 0; i < 3; ++i) {
        s.clock.advance(1000);
        s.tick();
    }
    QVERIFY(s.fixture.link().status().operatingMode != wire::ModeOperational);
    wheelTicks();
    QCOMPARE(s.text("WheelDegreesLabel"), QString("- °"));

    // The band above the tabs names what stops the wheel, and goes with it.
    auto *band = s.window.findChild<QLabel *>("alarmBand");
    QVERIFY(band && !band->isHidden());
    QVERIFY(band->text().startsWith("E-Stop pressed"));
    s.base().estopPressed = false;
    for (int i = 0; i < 30 && s.fixture.link().status().operatingMode != wire::ModeOperational; ++i) {
        s.clock.advance(1000);
        s.tick();
    }
    QCOMPARE(s.fixture.link().status().operatingMode, std::uint32_t(wire::ModeOperational));
    QVERIFY(band->isHidden());
    wheelTicks();
    QCOMPARE(s.text("WheelDegreesLabel"), QString("450.00 °"));
    s.fixture.base->unplug();
    s.tick();
    s.tick();
    QVERIFY(!band->isHidden());
    QCOMPARE(band->text(), QString("Disconnected - no force feedback"));
}

void TestMw2Status::unplugAndReplug()
{
    Session s;
    s.fixture.base->unplug();
    s.tick();
    s.tick();
    QCOMPARE(s.text("operationalLabel"), QString("Disconnected"));
    QCOMPARE(s.text("estopLabel"), QString("Unknown"));
    QCOMPARE(s.text("WheelDegreesLabel"), QString("???.?? °"));
    QCOMPARE(s.text("activeprofilestatusfieldlabel"), QString("Unknown"));
    QVERIFY(!s.window.findChild<QWidget *>("ProfilesTab")->isEnabled());

    s.fixture.base->plug();
    s.tick();
    s.tick();
    QCOMPARE(s.text("operationalLabel"), QString("Operational"));
    QVERIFY(s.window.findChild<QWidget *>("ProfilesTab")->isEnabled());
}

void TestMw2Status::torqueButtonBlinks()
{
    Session s;
    auto *button = s.window.findChild<QPushButton *>("enabletorquepushButton");
    s.window.show();
    button->show();
    QMetaObject::invokeMethod(&s.window, "torqueoffButtonBlink");
    const QString first = button->styleSheet();
    QMetaObject::invokeMethod(&s.window, "torqueoffButtonBlink");
    QVERIFY(first != button->styleSheet());
    QVERIFY(first.contains("#ffa02f") || button->styleSheet().contains("#ffa02f"));
    // Hidden, the button keeps its sheet; it blinks on from where it is when shown again.
    button->hide();
    const QString hidden = button->styleSheet();
    QMetaObject::invokeMethod(&s.window, "torqueoffButtonBlink");
    QCOMPARE(button->styleSheet(), hidden);
    QMetaObject::invokeMethod(&s.window, "torqueoffButtonBlink");
    button->show();
    QMetaObject::invokeMethod(&s.window, "torqueoffButtonBlink");
    QVERIFY(button->styleSheet() != hidden);

    s.fixture.base->unplug();
    s.tick();
    QMetaObject::invokeMethod(&s.window, "torqueoffButtonBlink");
    QVERIFY(!button->isEnabled());
}

QTEST_MAIN(TestMw2Status)
#include "tst_mw2status.moc"
