// Every slider that stores one profile parameter, moved as a user would (a typed value and
// a drag of a slider that does not track): the parameter it stores, its label's text, and
// one edit per move.

#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"
#include "ui/pages/profilespage.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QtTest>

class TestProfileSliders : public QObject {
    Q_OBJECT

private slots:
    void sliderStoresItsParameter_data();
    void sliderStoresItsParameter();
};

void TestProfileSliders::sliderStoresItsParameter_data()
{
    QTest::addColumn<bool>("dragged");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    struct Row {
        const char *control;
        int position;
        int parameter;
        quint32 stored;
        const char *label;
        QString text;
    };
    const Row rows[] = {
        {"sinehorizontalSlider", 150, 1, 150, "sinestrengthlabel", "150%"},
        {"squarehorizontalSlider", 120, 2, 120, "squarestrengthlabel", "120%"},
        {"springhorizontalSlider", 40, 4, 40, "springlabel", "40%"},
        {"frictionSlider", 60, 5, 60, "frictionvaluelabel", "60%"},
        {"dampingslider", 70, 6, 70, "dampingeffectvaluelabel", "70%"},
        {"trianglehorizontalSlider", 130, 17, 130, "trianglestrengthlabel", "130%"},
        {"sawtoothhorizontalSlider", 80, 16, 80, "sawtoothstrengthlabel", "80%"},
        {"oskadampinghorizontalslider", 25, 11, 250, "oskadampinglabel", "25%"},
        {"oskafrictionhorizontalslider", 30, 12, 300, "oskafrictionlabel", "30%"},
        {"oskainertiahorizontalslider", 40, 13, 400, "oskainertialabel", "40%"},
        {"centerdampingslider", 7, 22, 70, "centerdampinglabel", "7%"},
        {"oskastaticforcereductionhorizontalslider", 35, 19, 3500, "oskastaticforcesaturationlabel", "35%"},
        {"staticforcereductionspeedhorizontalSlider", 1250, 20, 1250, "staticforcereductionspeedlabel", "0.80 s"},
        {"slewratehorizontalSlider", 3000, 24, 3000, "slewratelabel", "3.00"},
        {"gammahorizontalslider", 1500, 21, 1500, "gammalabel", "1.50"},
        {"centerdampinganglespanhorizontalslider", 12, 23, 12, "centerdampinganglespanlabel",
         QString::fromUtf8("12\u00b0")},
        {"ultralowlatencyhorizontalSlider", 5, 25, 5, "ultralowlatencylabel", "5%"},
    };
    for (const bool dragged : {false, true}) {
        for (const Row &row : rows) {
            QTest::addRow("%s %s", row.control, dragged ? "dragged" : "typed")
                << dragged << QString(row.control) << row.position << row.parameter << row.stored
                << QString(row.label) << row.text;
        }
    }
}

void TestProfileSliders::sliderStoresItsParameter()
{
    QFETCH(bool, dragged);
    QFETCH(QString, control);
    QFETCH(int, position);
    QFETCH(int, parameter);
    QFETCH(quint32, stored);
    QFETCH(QString, label);
    QFETCH(QString, text);

    ManualClock clock;
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.activeProfile = 1; // profile 0 is the base's read-only safe profile
    SessionFixture fixture(config);
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    for (QTimer *timer : window.findChildren<QTimer *>())
        timer->stop();
    fixture.session.statusTick(); // connects and reloads
    fixture.session.statusTick(); // fills the controls

    auto *page = window.findChild<ProfilesPage *>();
    auto *slider = window.findChild<QSlider *>(control);
    QVERIFY(page && slider);
    const profDataNew &profile = *fixture.session.profiles().at(1);
    QVERIFY(slider->value() != position);
    QVERIFY(profile.param[std::size_t(parameter)] != stored);
    QSignalSpy edits(page, SIGNAL(settingsEdited()));

    if (dragged) {
        // Without tracking only the drag reports the position; the value follows on release.
        slider->setTracking(false);
        slider->setSliderDown(true);
        slider->setSliderPosition(position);
        QVERIFY(slider->value() != position);
    } else {
        slider->setValue(position);
    }

    QCOMPARE(profile.param[std::size_t(parameter)], stored);
    QCOMPARE(window.findChild<QLabel *>(label)->text(), text);
    QCOMPARE(edits.count(), 1);
    QCOMPARE(int(profile.changed), 1);
}

QTEST_MAIN(TestProfileSliders)
#include "tst_profilesliders.moc"
