// The once-only prompt of the first status tick: the changelog after an update of the tool.

#include "ui/dialogs/changelogdialog.h"
#include "ui/mw2.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

class TestMw2StartPrompts : public QObject {
    Q_OBJECT

private slots:
    void changelogAfterUpdateOnly_data();
    void changelogAfterUpdateOnly();
    void consentQuestionFollowsTheChangelog();
};

void TestMw2StartPrompts::changelogAfterUpdateOnly_data()
{
    QTest::addColumn<QString>("stored"); // empty: this tool never ran here
    QTest::addColumn<bool>("shown");
    QTest::newRow("first run") << QString() << true;
    QTest::newRow("older patch") << "1.0.14" << true;
    QTest::newRow("older minor, higher patch") << "0.9.99" << true;
    QTest::newRow("same version") << "1.0.15" << false;
    QTest::newRow("newer version ran before") << "1.0.16" << false;
}

void TestMw2StartPrompts::changelogAfterUpdateOnly()
{
    QFETCH(QString, stored);
    QFETCH(bool, shown);

    basesim::BaseConfig config;
    config.plugged = false;
    auto fixture = std::make_unique<SessionFixture>(config);
    // After the fixture, which seeds the stored version.
    QSettings settings("Halvern Labs", "Veltrane2");
    if (stored.isEmpty())
        settings.remove("Version");
    else
        settings.setValue("Version", stored);

    QList<QPointer<QDialog>> dialogs;
    QStringList texts;
    ScriptedPrompts prompts;
    prompts.onDialog = [&](QDialog *dialog) {
        dialogs << dialog;
        if (auto *browser = dialog->findChild<QTextBrowser *>())
            texts << browser->toPlainText();
        dialog->findChild<QDialogButtonBox *>()->buttons().first()->click();
        return int(QDialog::Accepted);
    };

    {
        MW2 window{fixture->session, prompts, "1.0.15", "2020.1"};
        fixture->session.statusTick();
        fixture->session.statusTick(); // the prompt belongs to the first tick only
        QCOMPARE(dialogs.size(), shown ? 1 : 0);
        QCOMPARE(settings.value("Version").toString(), QString("1.0.15"));
        if (shown) {
            QVERIFY(qobject_cast<ChangelogDialog *>(dialogs.first()));
            QVERIFY(texts.first().contains("1.0.15")); // the built-in changelog, not an empty page
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!dialogs.first()); // deleted once closed
        }
    }

    // The next start of the same version keeps quiet: a new session and window, as a
    // restarted program has, over what the first one stored.
    dialogs.clear();
    fixture.reset();
    basesim::VirtualBase base(config);
    BaseSession session(base, SessionOptions{QStringLiteral("1.0.15"), 0});
    MW2 again{session, prompts, "1.0.15", "2020.1"};
    session.statusTick();
    QVERIFY(dialogs.isEmpty());
}

// With no telemetry answer stored, the consent question follows the changelog, once; the
// Advanced page then shows the answer and offers the upload only while it is allowed.
void TestMw2StartPrompts::consentQuestionFollowsTheChangelog()
{
    SessionFixture fixture;
    QSettings settings("Halvern Labs", "Veltrane2");
    settings.setValue("Version", "1.0.14");
    settings.remove("TelemetryConsentVersion");
    settings.remove("TelemetryConsent");

    QStringList order;
    ScriptedPrompts prompts;
    prompts.onDialog = [&](QDialog *dialog) {
        order << dialog->metaObject()->className();
        if (auto *no = dialog->findChild<QPushButton *>("noButton"))
            no->click();
        else
            dialog->accept();
        return dialog->result();
    };
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    fixture.session.statusTick();
    QCOMPARE(order, QStringList({"ChangelogDialog", "ConsentDialog"}));
    QCoreApplication::processEvents();
    QCOMPARE(window.findChild<QLabel *>("telemetryConsentLabel")->text(), QString("Telemetry denied"));
    QCOMPARE(window.findChild<QLabel *>("telemetryStatusLabel")->text(), QString("Last uploaded: Never"));
    auto *upload = window.findChild<QPushButton *>("checkTelemetryNowButton");
    QVERIFY(!upload->isEnabled());
    auto *consent = window.findChild<QPushButton *>("configureTelemetryConsentButton");
    QVERIFY(consent->isEnabled());
    QVERIFY(consent->toolTip().isEmpty());
    // Asked again from the page, and answered yes this time: the upload is offered.
    prompts.onDialog = [&](QDialog *dialog) {
        dialog->accept();
        return dialog->result();
    };
    consent->click();
    QCOMPARE(window.findChild<QLabel *>("telemetryConsentLabel")->text(), QString("Telemetry allowed"));
    QVERIFY(upload->isEnabled());
}

QTEST_MAIN(TestMw2StartPrompts)
#include "tst_mw2startprompts.moc"
