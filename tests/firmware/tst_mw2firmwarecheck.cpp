// The session's firmware check at the first good status of a connection, driven against
// the virtual base, with the window showing its outcome.

#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "common/widgets/theme.h"
#include "firmware/toonewfirmwareprompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Answers every modal dialog at once with its first button and remembers it.
struct DialogAnswerer {
    QStringList classes;
    QStringList titles;
    QList<QPointer<QDialog>> dialogs;
    ScriptedPrompts prompts;

    DialogAnswerer()
    {
        prompts.onDialog = [this](QDialog *dialog) {
            classes << QString::fromLatin1(dialog->metaObject()->className());
            titles << dialog->windowTitle();
            dialogs << dialog;
            if (auto *buttons = dialog->findChild<QDialogButtonBox *>()) {
                buttons->buttons().first()->click();
                return int(QDialog::Accepted);
            }
            // The update wizard: the user cancels on its first page.
            dialog->reject();
            return int(QDialog::Rejected);
        };
    }
};

} // namespace

class TestMw2FirmwareCheck : public QObject {
    Q_OBJECT

private slots:
    void constructionLoadsIncludedVersion_data();
    void constructionLoadsIncludedVersion();
    void firstStatusDecides_data();
    void firstStatusDecides();
};

void TestMw2FirmwareCheck::constructionLoadsIncludedVersion_data()
{
    QTest::addColumn<int>("launchMode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("includedMajor");
    QTest::newRow("normal") << 0 << "loadIncludedFirmwareVersion : included  1 . 0 . 15" << 1;
    QTest::newRow("external image") << 3 << "loadIncludedFirmwareVersion : skipped loading included file"
                                    << 0;
}

void TestMw2FirmwareCheck::constructionLoadsIncludedVersion()
{
    QFETCH(int, launchMode);
    QFETCH(QString, message);
    QFETCH(int, includedMajor);
    basesim::BaseConfig config;
    config.plugged = false;
    LogCapture log;
    // The session loads it; building the window on top loads nothing more.
    SessionFixture fixture(config, launchMode);
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    // The window also reports which wheel picture it loaded; only the firmware line counts here.
    QCOMPARE(log.messages().filter("loadIncludedFirmwareVersion"), QStringList{message});
    QCOMPARE(fixture.session.includedFirmwareVersion().major, includedMajor);
}

void TestMw2FirmwareCheck::firstStatusDecides_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("patch");
    QTest::addColumn<int>("launchMode");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("wizardMode"); // -1: no wizard
    QTest::addColumn<bool>("promptShown");

    QTest::newRow("1.1.0 is too new") << 1 << 1 << 0 << 0 << "config tool too new" << -1 << true;
    QTest::newRow("1.0.14 is too old") << 1 << 0 << 14 << 0 << "config tool too old" << 2 << false;
    QTest::newRow("1.0.15 goes on") << 1 << 0 << 15 << 0 << "first connection done" << -1 << false;
    QTest::newRow("1.0.16 goes on") << 1 << 0 << 16 << 0 << "first connection done" << -1 << false;
    // A forced mode keeps its own number for the wizard.
    QTest::newRow("forced downgrade of 1.0.15") << 1 << 0 << 15 << 4 << "config tool too old" << 4 << false;
    QTest::newRow("forced external update of 1.1.0")
        << 1 << 1 << 0 << 3 << "config tool too old" << 3 << false;
}

void TestMw2FirmwareCheck::firstStatusDecides()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, patch);
    QFETCH(int, launchMode);
    QFETCH(QString, outcome);
    QFETCH(int, wizardMode);
    QFETCH(bool, promptShown);

    ManualClock clock;
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.firmwareMajor = std::uint8_t(major);
    config.firmwareMinor = std::uint8_t(minor);
    config.firmwarePatch = std::uint8_t(patch);
    SessionFixture fixture(config, launchMode);
    DialogAnswerer answerer;
    MW2 window{fixture.session, answerer.prompts, "1.0.15", "2020.1"};
    window.show();
    fixture.session.start(); // polling runs, as in the program
    LogCapture log(&fixture.link());

    fixture.session.statusTick();

    QVERIFY(log.contains(outcome));
    const QString wizardLine = QStringLiteral("firmware update wizard requested, mode %1");
    if (wizardMode >= 0) {
        QCOMPARE(fixture.session.launchMode(), wizardMode);
        QVERIFY(log.contains(wizardLine.arg(wizardMode)));
    } else {
        QCOMPARE(fixture.session.launchMode(), launchMode);
        QVERIFY(!log.messages().filter("firmware update wizard requested").size());
    }

    if (promptShown) {
        QCOMPARE(answerer.classes, QStringList{"toonewfirmwareprompt"});
        QCOMPARE(answerer.titles, QStringList{"Too new firmware detected"});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!answerer.dialogs.first()); // deleted once answered
    } else if (wizardMode >= 0) {
        QCOMPARE(answerer.classes, QStringList{"fwupdatewizard"});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!answerer.dialogs.first()); // deleted once closed
    } else {
        QVERIFY(answerer.classes.isEmpty());
    }

    const bool goesOn = outcome == "first connection done";
    QTimer *statusTimer = &fixture.session.statusTimer();
    QTimer *wheelTimer = &fixture.session.wheelTimer();
    if (goesOn) {
        QVERIFY(log.contains("no need to update"));
        QVERIFY(log.contains("got analog data and settings"));
        QVERIFY(fixture.session.firstConnectionDone());
        QVERIFY(statusTimer->isActive());
        QVERIFY(window.isVisible());
        QCOMPARE(fixture.session.firmwareStatus().text, QString("Correct firmware is installed!"));
        QCOMPARE(applyThemeColours(fixture.session.firmwareStatus().styleSheet), QString("QLabel {color:#e84e0f;}"));
        // The window shows it with the next connected tick.
        fixture.session.statusTick();
        auto *shown = window.findChild<QLabel *>("firmwarestatuslabel");
        QCOMPARE(shown->text(), fixture.session.firmwareStatus().text);
        QCOMPARE(shown->styleSheet(), applyThemeColours(fixture.session.firmwareStatus().styleSheet));
    } else {
        // The program ends: no profile is read, polling is over and the window is closed.
        QVERIFY(log.contains("fw update dialog finished, shutting down"));
        QVERIFY(!log.contains("checked fw update need"));
        QVERIFY(!log.contains("got profiles"));
        QVERIFY(!fixture.session.firstConnectionDone());
        QVERIFY(!statusTimer->isActive());
        QVERIFY(!wheelTimer->isActive());
        QVERIFY(!window.isVisible());
    }
}

QTEST_MAIN(TestMw2FirmwareCheck)
#include "tst_mw2firmwarecheck.moc"
