// The telemetry cycle of one session against the virtual base and a TLS object store on
// 127.0.0.1: consent, the gate, download under the lease, upload, erase after a 2xx.

#include "session/basesession.h"
#include "telemetry/sessiontelemetry.h"
#include "tests/support/linkfixture.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"
#include "tests/telemetry/loopbackobjectstore.h"

#include <optional>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
constexpr int kWaitMs = 20000;

void storeConsent(int consent)
{
    QSettings settings("Halvern Labs", "Veltrane2");
    settings.setValue("TelemetryConsentVersion", 1);
    settings.setValue("TelemetryConsent", consent);
}

struct Bench {
    ManualClock clock;
    SessionFixture fixture;
    QTemporaryDir folder;
    LoopbackObjectStore store;
    QNetworkAccessManager network;
    QDateTime now = QDateTime::currentDateTime();
    std::unique_ptr<SessionTelemetry> telemetry;

    explicit Bench(int consent = TelemetryConsent::Allowed)
    {
        QSettings().clear();
        QSettings("Halvern Labs", "Veltrane2").clear();
        storeConsent(consent);
        telemetry = std::make_unique<SessionTelemetry>(fixture.session, QStringLiteral("1.0.15"));
        telemetry->setClock([this] { return now; });
    }

    TelemetryController &controller() { return telemetry->controller(); }
    basesim::TelemetryStore &baseStore() { return fixture.base->state().telemetry; }

    // The store up and a configuration pointing at it.
    bool serve(const QByteArray &url = QByteArray())
    {
        if (!store.start())
            return false;
        const QString path = folder.filePath("upload.json");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        const QString target = url.isEmpty() ? store.url().toString() : QString::fromLatin1(url);
        file.write(QJsonDocument(QJsonObject{{"url", target},
                                             {"fields", QJsonArray{QJsonArray{"policy", "eyJleHAiOjF9"}}}})
                       .toJson());
        file.close();
        UploadEnvironment environment;
        environment.configurationPath = path;
        environment.network = &network;
        environment.ssl = store.clientConfiguration();
        environment.retryDelayMs = 20;
        controller().setUploadEnvironment(environment);
        return true;
    }

    void connectBase()
    {
        fixture.session.statusTick();
        QCoreApplication::processEvents();
    }

    int telemetryFrames(std::uint8_t sub) const
    {
        int count = 0;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            count += frame[1] == 0x9A && frame[2] == sub;
        return count;
    }

    // Until the upload object is gone (the controller is Ready again).
    bool waitForUploadEnd()
    {
        QSignalSpy states(&controller(), &TelemetryController::stateChanged);
        for (int i = 0; i < 200 && controller().state() != TelemetryController::Ready; ++i)
            states.wait(100);
        return controller().state() == TelemetryController::Ready;
    }
};
} // namespace

class TestTelemetryController : public QObject {
    Q_OBJECT

private slots:
    void fullCycleUploadsThenErases();
    void withoutConsentNothingIsFetched_data();
    void withoutConsentNothingIsFetched();
    void gateIntervals();
    void failedFetchDelaysTheNextAttempt();
    void brokenConfigurationTakesNoLease();
    void forbiddenEndsAfterOneAttemptAndKeepsTheData();
    void refusedConnectionRetriesUntilTheLimit();
    void watchdogCancelsASlowUpload();
    void consentWithdrawnMidUploadCancels();
    void eraseWaitsForABusyLinkWithinTheLease();
    void lapsedLeaseIsNotUnlocked();
    void corruptedLastUploadReadsAsNever();
};

void TestTelemetryController::fullCycleUploadsThenErases()
{
    Bench bench;
    QVERIFY2(bench.serve(), qPrintable(bench.store.error()));
    QCOMPARE(bench.controller().state(), TelemetryController::Pending);
    bench.connectBase();
    QCOMPARE(bench.controller().state(), TelemetryController::Ready);
    bench.baseStore().parts[0].data[0] = 0x42;
    const QJsonArray expectedDevice{
        QJsonObject{{"name", "electrical"},
                    {"data", QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bench.baseStore().parts[0].data.data()), 70).toBase64())}},
        QJsonObject{{"name", "health"}, {"data", QJsonValue()}},
        QJsonObject{{"name", "settings"},
                    {"data", QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bench.baseStore().parts[2].data.data()), 12).toBase64())}}};
    LogCapture log;
    QSignalSpy succeeded(&bench.controller(), &TelemetryController::uploadSucceeded);
    bench.controller().fetchAndUploadAutomatically();
    QCOMPARE(bench.controller().state(), TelemetryController::Uploading);
    QCOMPARE(bench.controller().serial(), 2104417u); // drive parameter 6002 of the virtual drive
    QVERIFY(!bench.baseStore().parts.empty());       // nothing erased before the answer
    QVERIFY(bench.waitForUploadEnd());
    QCOMPARE(succeeded.size(), 1);
    QVERIFY(bench.baseStore().parts.empty());
    QCOMPARE(bench.telemetryFrames(0x03), 1);
    QVERIFY(log.contains("Lease unlocked"));
    QCOMPARE(bench.controller().succeededUploads(), 1u);
    QCOMPARE(QSettings("Halvern Labs", "Veltrane2").value("TelemetryUploadsSucceeded").toUInt(), 1u);
    QCOMPARE(bench.controller().lastUploadTime(), bench.now);

    QCOMPARE(bench.store.uploads.size(), 1);
    const QJsonObject document = QJsonDocument::fromJson(bench.store.uploads[0].part("file")->body).object();
    QStringList keys = document.keys();
    keys.sort();
    QCOMPARE(keys, QStringList({"additional", "compiledAt", "device", "meta", "model", "serial", "session",
                                "sourceLocale", "version"}));
    QCOMPARE(document["device"].toArray(), expectedDevice);
    QCOMPARE(document["serial"].toString(), QString("2104417"));
    QCOMPARE(document["model"].toString(), QString("2"));
    QCOMPARE(document["version"].toInt(), 1);
    QCOMPARE(document["session"].toString(), bench.controller().session().toString(QUuid::WithoutBraces));
    QCOMPARE(document["meta"].toObject()["previousUploadAt"], QJsonValue());
    QCOMPARE(document["sourceLocale"].toArray().size(), 3);
    QStringList sources;
    for (const QJsonValue &source : document["additional"].toArray())
        sources << source.toObject()["name"].toString();
    QCOMPARE(sources, QStringList({"tunemark", "profiles", "mostActiveProfiles", "mostActiveHardwareSettings"}));
    QCOMPARE(document["additional"].toArray()[0].toObject()["data"].toObject()["version"].toString(), QString("1.0.15"));
    QCOMPARE(bench.store.uploads[0].part("tagging")->body, telemetry::taggingXml({{"serial", "2104417"}, {"model", "2"}}));
}

void TestTelemetryController::withoutConsentNothingIsFetched_data()
{
    QTest::addColumn<int>("consent");
    QTest::newRow("denied") << int(TelemetryConsent::Denied);
    QTest::newRow("unset") << int(TelemetryConsent::Unset);
}

void TestTelemetryController::withoutConsentNothingIsFetched()
{
    QFETCH(int, consent);
    Bench bench(consent);
    QVERIFY(bench.serve());
    bench.connectBase();
    bench.controller().fetchAndUploadAutomatically();
    bench.controller().fetchAndUploadOnButton();
    QCOMPARE(bench.controller().state(), TelemetryController::Ready);
    QCOMPARE(bench.telemetryFrames(0x00), 0);
    // Nor is the serial number read from the drive.
    for (const wire::CommandFrame &frame : bench.fixture.base->receivedFrames())
        QVERIFY(frame[1] != 0x97);
}

void TestTelemetryController::gateIntervals()
{
    Bench bench;
    QVERIFY(bench.serve());
    bench.connectBase();
    bench.controller().fetchAndUploadOnButton();
    QVERIFY(bench.waitForUploadEnd());
    QCOMPARE(bench.controller().succeededUploads(), 1u);
    auto attemptsAfter = [&](int seconds, bool button) {
        basesim::collectTelemetrySet(bench.baseStore());
        bench.now = bench.controller().lastUploadTime().addSecs(seconds);
        const int before = bench.telemetryFrames(0x00);
        button ? bench.controller().fetchAndUploadOnButton() : bench.controller().fetchAndUploadAutomatically();
        const bool started = bench.telemetryFrames(0x00) > before;
        if (started)
            bench.waitForUploadEnd();
        return started;
    };
    QVERIFY(!attemptsAfter(29, true));
    QVERIFY(!attemptsAfter(899, false));
    QVERIFY(attemptsAfter(30, true));
    QVERIFY(attemptsAfter(900, false));
}

void TestTelemetryController::failedFetchDelaysTheNextAttempt()
{
    Bench bench;
    QVERIFY(bench.serve());
    bench.connectBase();
    bench.baseStore().parts.clear();
    bench.controller().fetchAndUploadAutomatically();
    QCOMPARE(bench.controller().failedFetches(), 1u);
    QCOMPARE(bench.controller().state(), TelemetryController::Ready);
    QCOMPARE(bench.controller().lastAttemptTime(), bench.now);
    bench.now = bench.now.addSecs(1);
    bench.controller().fetchAndUploadAutomatically();
    QCOMPARE(bench.controller().failedFetches(), 1u);
    QCOMPARE(QSettings("Halvern Labs", "Veltrane2").value("TelemetryFetchesFailed").toUInt(), 1u);
    bench.now = bench.now.addSecs(30);
    bench.controller().fetchAndUploadAutomatically();
    QCOMPARE(bench.controller().failedFetches(), 2u);
}

void TestTelemetryController::brokenConfigurationTakesNoLease()
{
    Bench bench;
    QVERIFY(bench.serve("http://127.0.0.1:9/plain"));
    bench.connectBase();
    bench.controller().fetchAndUploadOnButton();
    QCOMPARE(bench.controller().state(), TelemetryController::ConfigurationBroken);
    QCOMPARE(bench.telemetryFrames(0x00), 0);
    QVERIFY(!bench.controller().leaseHeld());
    bench.now = bench.now.addSecs(3600);
    bench.controller().fetchAndUploadOnButton();
    QCOMPARE(bench.telemetryFrames(0x00), 0);
    QCOMPARE(TelemetryController::stateText(bench.controller().state(), {}), QString("Broken"));
}

void TestTelemetryController::forbiddenEndsAfterOneAttemptAndKeepsTheData()
{
    Bench bench;
    QVERIFY(bench.serve());
    bench.store.answer = LoopbackObjectStore::Answer::Forbidden;
    bench.connectBase();
    bench.controller().fetchAndUploadOnButton();
    QVERIFY(bench.waitForUploadEnd());
    QCOMPARE(bench.store.uploads.size(), 1);
    QCOMPARE(bench.controller().failedUploads(), 1u);
    QCOMPARE(bench.controller().succeededUploads(), 0u);
    QCOMPARE(bench.telemetryFrames(0x03), 0);
    QVERIFY(!bench.baseStore().parts.empty());
}

void TestTelemetryController::refusedConnectionRetriesUntilTheLimit()
{
    Bench bench;
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const QByteArray url = "https://127.0.0.1:" + QByteArray::number(probe.serverPort()) + "/b";
    probe.close();
    QVERIFY(bench.serve(url));
    bench.connectBase();
    LogCapture log;
    bench.controller().fetchAndUploadOnButton();
    QVERIFY(bench.waitForUploadEnd());
    QCOMPARE(bench.controller().failedUploads(), 10u);
    QCOMPARE(log.count("Retry attempt started"), 9);
    QVERIFY(log.contains("Done retrying the upload"));
    QCOMPARE(bench.telemetryFrames(0x03), 0);
}

void TestTelemetryController::watchdogCancelsASlowUpload()
{
    Bench bench;
    QVERIFY(bench.serve());
    bench.store.answer = LoopbackObjectStore::Answer::Slow;
    UploadEnvironment environment;
    environment.configurationPath = bench.folder.filePath("upload.json");
    environment.network = &bench.network;
    environment.ssl = bench.store.clientConfiguration();
    environment.retryDelayMs = 20;
    environment.watchdogMs = 500;
    bench.controller().setUploadEnvironment(environment);
    bench.connectBase();
    LogCapture log;
    bench.controller().fetchAndUploadOnButton();
    QVERIFY(bench.waitForUploadEnd());
    QVERIFY(log.contains("Attempting to cancel active upload"));
    QCOMPARE(bench.controller().failedUploads(), 0u); // cancelled, not failed
    QCOMPARE(bench.controller().succeededUploads(), 0u);
    QVERIFY(!bench.baseStore().parts.empty());
}

void TestTelemetryController::consentWithdrawnMidUploadCancels()
{
    Bench bench;
    QVERIFY(bench.serve());
    bench.store.answer = LoopbackObjectStore::Answer::Slow;
    bench.connectBase();
    bench.controller().fetchAndUploadOnButton();
    QCOMPARE(bench.controller().state(), TelemetryController::Uploading);
    QTRY_VERIFY_WITH_TIMEOUT(bench.store.uploads.size() == 1, kWaitMs);
    bench.controller().consentStore().setConsent(TelemetryConsent::Denied);
    QVERIFY(bench.waitForUploadEnd());
    QCOMPARE(bench.controller().succeededUploads(), 0u);
    QCOMPARE(bench.controller().failedUploads(), 0u);
    QCOMPARE(bench.telemetryFrames(0x03), 0);
}

void TestTelemetryController::eraseWaitsForABusyLinkWithinTheLease()
{
    Bench bench;
    QVERIFY(bench.serve());
    bench.connectBase();
    QSignalSpy succeeded(&bench.controller(), &TelemetryController::uploadSucceeded);
    bench.controller().fetchAndUploadOnButton();
    // Another operation holds the link from the download's end until after the answer.
    std::optional<LinkGate::Hold> hold(bench.fixture.link().gate().acquire(QStringLiteral("recalibrating the encoder")));
    QVERIFY(hold->granted());
    QVERIFY(succeeded.wait(kWaitMs));
    QCoreApplication::processEvents();
    QCOMPARE(bench.telemetryFrames(0x03), 0);
    QVERIFY(!bench.baseStore().parts.empty());
    hold.reset();
    QTRY_COMPARE_WITH_TIMEOUT(bench.telemetryFrames(0x03), 1, kWaitMs);
    QVERIFY(bench.baseStore().parts.empty());
}

void TestTelemetryController::lapsedLeaseIsNotUnlocked()
{
    Bench bench;
    QVERIFY(bench.serve());
    bench.store.answer = LoopbackObjectStore::Answer::Slow;
    bench.store.slowMs = 300;
    bench.connectBase();
    LogCapture log;
    bench.controller().fetchAndUploadOnButton();
    // The answer comes 20 s (on the controller's clock) after the last renewal.
    bench.now = bench.now.addSecs(20);
    QVERIFY(bench.waitForUploadEnd());
    QCOMPARE(bench.controller().succeededUploads(), 1u);
    QVERIFY(log.contains("Failed to unlock the lease and erase telemetry: Lease had timed out"));
    QCOMPARE(bench.telemetryFrames(0x03), 0);
}

void TestTelemetryController::corruptedLastUploadReadsAsNever()
{
    QSettings("Halvern Labs", "Veltrane2").setValue("LastTelemetryUploadKey", "yesterday-ish");
    LinkFixture fixture;
    TelemetryController controller(fixture.link);
    QVERIFY(!controller.lastUploadTime().isValid());
    controller.configure(1, 2);
    QCOMPARE(TelemetryController::stateText(controller.state(), controller.lastUploadTime()),
             QString("Last uploaded: Never"));
    QSettings("Halvern Labs", "Veltrane2").setValue("LastTelemetryUploadKey", "2021-02-13T15:04:18.123+02:00");
    TelemetryController later(fixture.link);
    QCOMPARE(later.lastUploadTime().toUTC(), QDateTime(QDate(2021, 2, 13), QTime(13, 4, 18, 123), Qt::UTC));
}

QTEST_GUILESS_MAIN(TestTelemetryController)
#include "tst_telemetrycontroller.moc"
