// The high-torque interlock and the wheel-centre dialog, opened from the window against
// the virtual base: the confirmation bar, what reaches the base, and a disconnection
// while the interlock is open.

#include "service/activatehightorque.h"
#include "service/resetcenterdialog.h"
#include "session/basesession.h"
#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

class TestHighTorqueCentre : public QObject {
    Q_OBJECT

private slots:
    void confirmationBarEnablesOnlyAtTheEnd();
    void activationThroughTheWindow();
    void cancelledActivationSendsNothing();
    void leavingHighTorqueOpensNoDialog();
    void disconnectionWhileTheInterlockIsOpen();
    void centreActions_data();
    void centreActions();
};

namespace {

struct Bench {
    ManualClock clock;
    SessionFixture fixture;
    ScriptedPrompts prompts;
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};

    Bench()
    {
        fixture.session.statusTick();
        fixture.session.statusTick();
        fixture.session.statusTick();
        fixture.base->clearReceivedFrames();
    }
    basesim::BaseState &base() { return fixture.base->state(); }
    DeviceLink &link() { return fixture.link(); }
    QPushButton *button(const char *name) { return window.findChild<QPushButton *>(name); }
    QString label(const char *name) { return window.findChild<QLabel *>(name)->text(); }
    QList<int> codes() const
    {
        QList<int> sent;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            sent << frame[1];
        return sent;
    }
};

} // namespace

void TestHighTorqueCentre::confirmationBarEnablesOnlyAtTheEnd()
{
    Bench bench;
    activatehightorque dialog(bench.link());
    QCOMPARE(dialog.windowTitle(), QString("Activate High Torque Mode"));
    auto *bar = dialog.findChild<QScrollBar *>("horizontalScrollBar");
    auto *activate = dialog.findChild<QPushButton *>("pushButton");
    QCOMPARE(bar->maximum(), 100);
    QVERIFY(!activate->isEnabled());
    const QList<QPair<int, bool>> moves{{99, false}, {100, true}, {50, false}, {100, true}, {0, false}};
    for (const auto &move : moves) {
        bar->setValue(move.first);
        QCOMPARE(activate->isEnabled(), move.second);
    }
    // Dragging reports positions before the value follows.
    emit bar->sliderMoved(100);
    QVERIFY(activate->isEnabled());
    emit bar->sliderMoved(99);
    QVERIFY(!activate->isEnabled());
}

void TestHighTorqueCentre::activationThroughTheWindow()
{
    Bench bench;
    QCOMPARE(bench.label("hightorquemodetextlabel"), QString("DISABLED"));
    bench.prompts.onDialog = [](QDialog *dialog) -> int {
        dialog->findChild<QScrollBar *>("horizontalScrollBar")->setValue(100);
        dialog->findChild<QPushButton *>("pushButton")->click();
        return dialog->result();
    };
    bench.button("activateHighTorquepushbutton")->click();
    QCOMPARE(bench.prompts.dialogsRun, 1);
    // Request with the marker, fetch of the challenge, the answer; then the status at once.
    QCOMPARE(bench.codes(), (QList<int>{0x97, 0x98, 0x96, 0x00}));
    QVERIFY(bench.base().hasFlag(wire::highTorque));
    QCOMPARE(bench.label("hightorquemodetextlabel"), QString("ENABLED"));
    QCOMPARE(bench.button("activateHighTorquepushbutton")->text(), QString("Disable High Torque Mode"));
    QVERIFY(!bench.window.findChild<activatehightorque *>());
}

void TestHighTorqueCentre::cancelledActivationSendsNothing()
{
    Bench bench;
    bench.prompts.onDialog = [](QDialog *dialog) -> int {
        dialog->findChild<QScrollBar *>("horizontalScrollBar")->setValue(99);
        dialog->findChild<QPushButton *>("pushButton")->click();   // disabled: no effect
        dialog->reject();
        return dialog->result();
    };
    bench.button("activateHighTorquepushbutton")->click();
    QCOMPARE(bench.codes(), QList<int>{0x00});
    QVERIFY(!bench.base().hasFlag(wire::highTorque));
    QCOMPARE(bench.label("hightorquemodetextlabel"), QString("DISABLED"));
}

void TestHighTorqueCentre::leavingHighTorqueOpensNoDialog()
{
    Bench bench;
    bench.base().setFlag(wire::highTorque, true);
    bench.fixture.session.statusTick();
    QCOMPARE(bench.label("hightorquemodetextlabel"), QString("ENABLED"));
    bench.fixture.base->clearReceivedFrames();

    bench.button("activateHighTorquepushbutton")->click();
    QCOMPARE(bench.prompts.dialogsRun, 0);
    const auto &frames = bench.fixture.base->receivedFrames();
    QCOMPARE(frames.size(), std::size_t(1));
    wire::DriveParameterFrame write;
    write.bytes = frames[0];
    QCOMPARE(int(frames[0][1]), 0x96);
    QCOMPARE(int(write.address(0)), 6071);
    QCOMPARE(write.value(0), 0);
    QVERIFY(write.highTorqueMarked());
    QVERIFY(!bench.base().hasFlag(wire::highTorque));
    QCOMPARE(bench.label("hightorquemodetextlabel"), QString("DISABLED"));
    QCOMPARE(bench.button("activateHighTorquepushbutton")->text(), QString("   Enable High Torque Mode   "));
}

void TestHighTorqueCentre::disconnectionWhileTheInterlockIsOpen()
{
    Bench bench;
    QPointer<QDialog> seen;
    bench.prompts.onDialog = [&](QDialog *dialog) -> int {
        seen = dialog;
        // The status timer runs on while the dialog waits for the user: the base goes away.
        bench.fixture.base->unplug();
        bench.fixture.session.statusTick();
        bench.fixture.session.statusTick();
        return int(QDialog::Rejected);
    };
    bench.button("activateHighTorquepushbutton")->click();
    QCOMPARE(bench.prompts.dialogsRun, 1);
    QVERIFY(seen.isNull());   // deleted once, by the disconnection
    QVERIFY(!bench.window.findChild<activatehightorque *>());
    QCOMPARE(bench.label("operationalLabel"), QString("Disconnected"));
}

void TestHighTorqueCentre::centreActions_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<bool>("permanent");
    QTest::newRow("for now") << "justnowpushButton" << QList<int>{0x20, 0x15} << false;
    // Centre, finish, read back the stored offset (id 16), save to flash.
    QTest::newRow("permanent") << "pushButton" << QList<int>{0x22, 0x15, 0x6E, 0x04, 0xC8} << true;
    QTest::newRow("cancel") << "cancelpushButton_3" << QList<int>{} << false;
}

void TestHighTorqueCentre::centreActions()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, codes);
    QFETCH(bool, permanent);
    Bench bench;
    bench.base().holdWheel(0x8000 + 1000);
    bench.window.findChild<QPushButton *>("resetWheelCenterpushButton")->click();
    QPointer<resetcenterdialog> dialog = bench.window.findChild<resetcenterdialog *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Reset wheel center"));
    QVERIFY(dialog->isVisible());

    dialog->findChild<QPushButton *>(button)->click();
    QCOMPARE(bench.codes(), codes);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());   // deletes itself when closed
    if (!codes.isEmpty())
        QCOMPARE(bench.base().inputs.centreOffset, 1000);
    QCOMPARE(int(bench.link().hardwareSettings().word[16]), permanent ? 1000 : 0);
    QCOMPARE(bench.link().gate().flashDelayRunning(), permanent);
}

QTEST_MAIN(TestHighTorqueCentre)
#include "tst_hightorquecentre.moc"
