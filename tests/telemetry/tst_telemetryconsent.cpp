// The stored telemetry answer and the dialog that asks for it.

#include "telemetry/consentdialog.h"
#include "telemetry/telemetryconsent.h"
#include "tests/support/scriptedprompts.h"

#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
void storeRaw(const QVariant &version, const QVariant &consent)
{
    QSettings settings("Halvern Labs", "Veltrane2");
    settings.clear();
    if (version.isValid())
        settings.setValue("TelemetryConsentVersion", version);
    if (consent.isValid())
        settings.setValue("TelemetryConsent", consent);
}

QPushButton *yesButton(QDialog *dialog) { return dialog->findChild<QPushButton *>("yesButton"); }
} // namespace

class TestTelemetryConsent : public QObject {
    Q_OBJECT

private slots:
    void loading_data();
    void loading();
    void sameAnswerWritesNothing();
    void undecidedStartCountsDownFromFive();
    void decidedAnswerSkipsTheStartQuestion();
    void escapeDenies();
};

void TestTelemetryConsent::loading_data()
{
    QTest::addColumn<QVariant>("version");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("nothing stored") << QVariant() << QVariant() << 0;
    QTest::newRow("allowed") << QVariant(1) << QVariant(1) << 1;
    QTest::newRow("denied") << QVariant(1) << QVariant(2) << 2;
    QTest::newRow("newer question") << QVariant(2) << QVariant(1) << 0;
    QTest::newRow("older question") << QVariant(0) << QVariant(1) << 0;
    QTest::newRow("unknown answer") << QVariant(1) << QVariant(7) << 0;
}

void TestTelemetryConsent::loading()
{
    QFETCH(QVariant, version);
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    storeRaw(version, stored);
    TelemetryConsent consent;
    QCOMPARE(int(consent.consent()), expected);
    QCOMPARE(consent.isDecided(), expected != 0);
    // Listeners learn the loaded answer from the event loop.
    QSignalSpy changed(&consent, &TelemetryConsent::consentChanged);
    QVERIFY(changed.wait(1000));
    QCOMPARE(int(changed.first().at(0).value<TelemetryConsent::Consent>()), expected);
}

void TestTelemetryConsent::sameAnswerWritesNothing()
{
    storeRaw(1, 1);
    TelemetryConsent consent;
    QCoreApplication::processEvents();
    QSettings("Halvern Labs", "Veltrane2").remove("TelemetryConsent");
    QSignalSpy changed(&consent, &TelemetryConsent::consentChanged);
    consent.setConsent(TelemetryConsent::Allowed);
    QVERIFY(changed.isEmpty());
    QVERIFY(!QSettings("Halvern Labs", "Veltrane2").contains("TelemetryConsent"));
    consent.setConsent(TelemetryConsent::Unset);
    QVERIFY(!QSettings("Halvern Labs", "Veltrane2").contains("TelemetryConsentVersion"));
    QCOMPARE(changed.size(), 1);
}

void TestTelemetryConsent::undecidedStartCountsDownFromFive()
{
    storeRaw(QVariant(), QVariant());
    TelemetryConsent consent;
    ScriptedPrompts prompts;
    QStringList texts;
    bool adviceShown = false;
    prompts.onDialog = [&](QDialog *dialog) {
        adviceShown = dialog->findChild<QLabel *>("unsetAdvice")->isVisibleTo(dialog);
        auto *dialogYes = yesButton(dialog);
        auto *timer = dialog->findChild<QTimer *>("consentCountdownTimer");
        texts << dialogYes->text() + (dialogYes->isEnabled() ? " on" : " off");
        // The timer's steps, one second each.
        for (int step = 0; step < 5; ++step) {
            if (!timer->isActive() || timer->interval() != 1000)
                texts << "timer not running every second";
            emit timer->timeout({});
            texts << dialogYes->text() + (dialogYes->isEnabled() ? " on" : " off");
        }
        dialogYes->click();
        return dialog->result();
    };
    QVERIFY(ConsentDialog::askIfUndecided(consent, prompts, nullptr));
    QVERIFY(adviceShown);
    QCOMPARE(texts, QStringList({"Yes (5) off", "Yes (4) off", "Yes (3) off", "Yes (2) off", "Yes (1) off", "Yes on"}));
    QCOMPARE(consent.consent(), TelemetryConsent::Allowed);
    QSettings settings("Halvern Labs", "Veltrane2");
    QCOMPARE(settings.value("TelemetryConsentVersion").toInt(), 1);
    QCOMPARE(settings.value("TelemetryConsent").toInt(), 1);
}

void TestTelemetryConsent::decidedAnswerSkipsTheStartQuestion()
{
    storeRaw(1, 2);
    TelemetryConsent consent;
    ScriptedPrompts prompts;
    QVERIFY(!ConsentDialog::askIfUndecided(consent, prompts, nullptr));
    QCOMPARE(prompts.dialogsRun, 0);
    bool yesAtOnce = false;
    bool adviceShown = true;
    QString title;
    prompts.onDialog = [&](QDialog *dialog) {
        yesAtOnce = yesButton(dialog)->isEnabled() && yesButton(dialog)->text() == "Yes";
        adviceShown = dialog->findChild<QLabel *>("unsetAdvice")->isVisibleTo(dialog);
        title = dialog->windowTitle();
        dialog->accept();
        return int(QDialog::Accepted);
    };
    ConsentDialog::askAlways(consent, prompts, nullptr);
    QVERIFY(yesAtOnce);
    QVERIFY(!adviceShown);
    QCOMPARE(title, QString("Telemetry consent"));
    QCOMPARE(consent.consent(), TelemetryConsent::Allowed);
}

void TestTelemetryConsent::escapeDenies()
{
    storeRaw(QVariant(), QVariant());
    TelemetryConsent consent;
    ScriptedPrompts prompts;
    prompts.onDialog = [](QDialog *dialog) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        return dialog->result();
    };
    ConsentDialog::askIfUndecided(consent, prompts, nullptr);
    QCOMPARE(consent.consent(), TelemetryConsent::Denied);
    QSettings settings("Halvern Labs", "Veltrane2");
    QCOMPARE(settings.value("TelemetryConsentVersion").toInt(), 1);
    QCOMPARE(settings.value("TelemetryConsent").toInt(), 2);
}

QTEST_MAIN(TestTelemetryConsent)
#include "tst_telemetryconsent.moc"
