#pragma once
// The telemetry cycle: when the gate allows and the user has consented, download the
// base's telemetry under its lease, wrap it with the tool's own data sources into one
// document, upload it, keep the lease alive meanwhile and, after the object store has
// accepted it, tell the base to erase what was sent. Keeps its counters and the time of
// the last upload in the settings store. Widget-free; the window shows its state.

#include "telemetry/telemetryconsent.h"
#include "telemetry/telemetrydownload.h"
#include "telemetry/telemetryupload.h"

#include <QDateTime>
#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSslConfiguration>
#include <QString>
#include <QTimer>
#include <QUuid>

#include <cstdint>
#include <functional>
#include <optional>

class DeviceLink;
class QNetworkAccessManager;

// Where uploads go and how long they may take. Tests point it at a server of their own.
struct UploadEnvironment {
    QString configurationPath;                  // the built-in configuration by default
    QNetworkAccessManager *network = nullptr;   // none: each upload makes its own
    std::optional<QSslConfiguration> ssl;       // the certificates to trust, when not the system's
    int retryDelayMs = 2000;
    int watchdogMs = 60000;
    int leaseRefreshMs = 5000;
};

class TelemetryController : public QObject {
    Q_OBJECT

public:
    enum State { Pending = 0, Ready = 1, Downloading = 2, Uploading = 3, ConfigurationBroken = 4, TlsUnavailable = 5 };
    Q_ENUM(State)

    // Minimum seconds since the last finished attempt, and since the last success.
    static constexpr int kAutomaticAttemptGapS = 30;
    static constexpr int kAutomaticUploadGapS = 900;
    static constexpr int kButtonAttemptGapS = 30;
    static constexpr int kButtonUploadGapS = 30;
    // The program's view of the base's lease: older than this, it has lapsed.
    static constexpr int kLeaseLifetimeMs = 15000;
    // How often an erase that found the link busy looks again.
    static constexpr int kEraseRetryMs = 250;

    using Clock = std::function<QDateTime()>;
    using DataSource = std::function<QJsonValue()>;

    explicit TelemetryController(DeviceLink &link, QObject *parent = nullptr);
    ~TelemetryController() override;

    void setUploadEnvironment(UploadEnvironment environment) { environment_ = std::move(environment); }
    // Local time now, unless a test holds the clock.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Runs just before each download, with the link free: the serial number is read then.
    void setBeforeDownload(std::function<void()> hook) { beforeDownload_ = std::move(hook); }

    // The connected base, once identified; model 255 when not known.
    void configure(std::uint32_t serial, std::int32_t model);
    void setSerial(std::uint32_t serial) { serial_ = serial; }
    void addDataSource(const QString &name, DataSource source);

    TelemetryConsent &consentStore() { return consent_; }
    const TelemetryConsent &consentStore() const { return consent_; }
    State state() const { return state_; }
    QDateTime lastUploadTime() const { return lastUpload_; }
    QDateTime lastAttemptTime() const { return lastAttempt_; }
    std::uint32_t succeededUploads() const { return succeeded_; }
    std::uint32_t failedUploads() const { return failed_; }
    std::uint32_t failedFetches() const { return fetchesFailed_; }
    QUuid session() const { return session_; }
    std::uint32_t serial() const { return serial_; }
    TelemetryUpload *currentUpload() const { return upload_; }
    bool leaseHeld() const { return leaseTime_.isValid(); }

    // What the Advanced page shows for a state.
    static QString stateText(State state, const QDateTime &lastUpload);
    // The document as it would be built now around the base's telemetry.
    QJsonObject buildDocument(const QJsonValue &device) const;

public slots:
    void fetchAndUploadOnButton();
    void fetchAndUploadAutomatically();

signals:
    void stateChanged(TelemetryController::State state, const QDateTime &lastUpload);
    void consentChanged(TelemetryConsent::Consent consent);
    void uploadSucceeded();

private:
    QDateTime now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }
    bool tooSoon(int attemptGapS, int uploadGapS) const;
    void fetchAndUpload();
    bool loadConfiguration(QJsonDocument &configuration);
    void startUpload(const QJsonDocument &configuration, const QJsonObject &document);
    void uploadFinished(int result);
    void uploadDestroyed();
    void refreshLease();
    void unlockAndErase();
    void setState(State state);
    void saveCounters();

    DeviceLink &link_;
    UploadEnvironment environment_;
    Clock clock_;
    std::function<void()> beforeDownload_;

    QDateTime lastAttempt_;
    QDateTime lastUpload_;
    std::uint32_t succeeded_ = 0;
    std::uint32_t failed_ = 0;
    std::uint32_t fetchesFailed_ = 0;
    State state_ = Pending;
    std::uint32_t serial_ = 0;
    std::int32_t model_ = 255;
    QUuid session_ = QUuid::createUuid();
    TelemetryConsent consent_;
    QTimer watchdog_;
    QTimer leaseTimer_;
    QTimer eraseRetry_;
    QPointer<TelemetryUpload> upload_;
    QList<QPair<QString, DataSource>> dataSources_;
    // None until the first successful download: a first set with tag 0 is accepted.
    std::optional<std::uint8_t> lastDataTag_;
    QDateTime leaseTime_;
};
