#include "telemetry/telemetrycontroller.h"

#include "device/devicelink.h"
#include "device/linkgate.h"
#include "telemetry/telemetrydocument.h"
#include "telemetry/telemetryupload.h"
#include "telemetry/uploadconfiguration.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QSettings>
#include <QSslSocket>

namespace {
constexpr char kLastUploadKey[] = "LastTelemetryUploadKey";
constexpr char kSucceededKey[] = "TelemetryUploadsSucceeded";
constexpr char kFailedKey[] = "TelemetryUploadsFailed";
constexpr char kFetchesFailedKey[] = "TelemetryFetchesFailed";
} // namespace

TelemetryController::TelemetryController(DeviceLink &link, QObject *parent)
    : QObject(parent), link_(link), consent_(this)
{
    qRegisterMetaType<TelemetryController::State>();
    environment_.configurationPath = QString::fromLatin1(telemetry::kUploadConfigurationResource);
    watchdog_.setSingleShot(true);
    watchdog_.setTimerType(Qt::CoarseTimer);
    watchdog_.setObjectName(QStringLiteral("telemetryWatchdog"));
    leaseTimer_.setTimerType(Qt::CoarseTimer);
    leaseTimer_.setObjectName(QStringLiteral("telemetryLeaseTimer"));
    eraseRetry_.setSingleShot(true);

    QSettings settings("Halvern Labs", "Veltrane2");
    const QDateTime stored =
        QDateTime::fromString(settings.value(kLastUploadKey, -1).toString(), Qt::ISODateWithMs);
    if (stored.isValid())
        lastUpload_ = stored;
    succeeded_ = settings.value(kSucceededKey, 0).toUInt();
    failed_ = settings.value(kFailedKey, 0).toUInt();
    fetchesFailed_ = settings.value(kFetchesFailedKey, 0).toUInt();

    connect(&consent_, &TelemetryConsent::consentChanged, this, [this](TelemetryConsent::Consent consent) {
        if (consent != TelemetryConsent::Allowed && upload_)
            upload_->cancel();
        emit consentChanged(consent);
    });
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        if (upload_) {
            qDebug() << "Attempting to cancel active upload";
            upload_->cancel();
        }
    });
    connect(&leaseTimer_, &QTimer::timeout, this, &TelemetryController::refreshLease);
    connect(&eraseRetry_, &QTimer::timeout, this, &TelemetryController::unlockAndErase);
    connect(this, &TelemetryController::uploadSucceeded, this, &TelemetryController::unlockAndErase);
    QTimer::singleShot(0, this, [this] { emit stateChanged(state_, lastUpload_); });
}

// The upload goes first: its destruction must not reach a half-destroyed controller.
TelemetryController::~TelemetryController()
{
    if (upload_) {
        upload_->disconnect(this);
        delete upload_.data();
    }
}

QString TelemetryController::stateText(State state, const QDateTime &lastUpload)
{
    switch (state) {
    case Pending:
        return tr("Pending...");
    case Ready:
        if (!lastUpload.isValid())
            return tr("Last uploaded: Never");
        return tr("Last uploaded: ") + QLocale().toString(lastUpload.toLocalTime(), QLocale::ShortFormat);
    case Downloading:
        return tr("Downloading...");
    case Uploading:
        return tr("Uploading...");
    case ConfigurationBroken:
    case TlsUnavailable:
        break;
    }
    return tr("Broken");
}

void TelemetryController::configure(std::uint32_t serial, std::int32_t model)
{
    if (state_ != Pending)
        qDebug() << "Configured in unexpected state";
    serial_ = serial;
    model_ = model;
    if (state_ == Pending)
        setState(Ready);
}

void TelemetryController::addDataSource(const QString &name, DataSource source)
{
    dataSources_.append({name, std::move(source)});
}

void TelemetryController::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state_, lastUpload_);
}

void TelemetryController::saveCounters()
{
    QSettings settings("Halvern Labs", "Veltrane2");
    settings.setValue(kSucceededKey, succeeded_);
    settings.setValue(kFailedKey, failed_);
    settings.setValue(kFetchesFailedKey, fetchesFailed_);
}

bool TelemetryController::tooSoon(int attemptGapS, int uploadGapS) const
{
    const QDateTime current = now();
    if (lastAttempt_.isValid() && lastAttempt_.msecsTo(current) < qint64(attemptGapS) * 1000)
        return true;
    return lastUpload_.isValid() && lastUpload_.msecsTo(current) < qint64(uploadGapS) * 1000;
}

void TelemetryController::fetchAndUploadOnButton()
{
    if (!tooSoon(kButtonAttemptGapS, kButtonUploadGapS))
        fetchAndUpload();
}

void TelemetryController::fetchAndUploadAutomatically()
{
    // Asked every second: the cheap refusals first, before local time is read.
    if (!consent_.isAllowed() || state_ != Ready)
        return;
    if (!tooSoon(kAutomaticAttemptGapS, kAutomaticUploadGapS))
        fetchAndUpload();
}

bool TelemetryController::loadConfiguration(QJsonDocument &configuration)
{
    QFile file(environment_.configurationPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return false;
    QJsonParseError error;
    configuration = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        qDebug() << "upload configuration failed to read, cannot upload:" << error.errorString() << "at"
                 << error.offset;
        return false;
    }
    telemetry::UploadConfiguration parsed;
    if (telemetry::parseUploadConfiguration(configuration, parsed) != telemetry::ConfigurationOk) {
        qDebug() << "upload configuration failed";
        return false;
    }
    return true;
}

void TelemetryController::fetchAndUpload()
{
    if (!consent_.isAllowed() || state_ != Ready)
        return;
    // One operation at a time on the link; the next tick or press tries again.
    if (!link_.connected() || link_.gate().busy()) {
        qDebug().noquote() << "telemetry: the link is busy or down, not fetching:"
                           << (link_.connected() ? link_.gate().holder() : QStringLiteral("not connected"));
        return;
    }
    // Before the base is asked for anything: no lease for an upload that cannot happen.
    if (QSslSocket::sslLibraryVersionString().isEmpty()) {
        qDebug() << "TLS unavailable";
        setState(TlsUnavailable);
        return;
    }
    QJsonDocument configuration;
    if (!loadConfiguration(configuration)) {
        setState(ConfigurationBroken);
        return;
    }

    setState(Downloading);
    if (beforeDownload_)
        beforeDownload_();
    const telemetry::DownloadResult download =
        telemetry::downloadTelemetry(link_, lastDataTag_ ? &*lastDataTag_ : nullptr);
    if (!download.ok) {
        ++fetchesFailed_;
        // A failed fetch counts as an attempt, so a base without telemetry is not asked
        // (and the settings file not written) on every status tick.
        lastAttempt_ = now();
        saveCounters();
        setState(Ready);
        return;
    }
    lastDataTag_ = download.dataTag;
    leaseTime_ = now();

    leaseTimer_.start(environment_.leaseRefreshMs);
    setState(Uploading);
    const QJsonObject document = buildDocument(download.device);
    qDebug().noquote() << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Compact));
    startUpload(configuration, document);
}

QJsonObject TelemetryController::buildDocument(const QJsonValue &device) const
{
    telemetry::DocumentParts parts;
    parts.device = device;
    parts.previousUploadAt = lastUpload_;
    parts.succeededUploads = succeeded_;
    parts.failedUploads = failed_;
    parts.failedFetches = fetchesFailed_;
    parts.compiledAt = now();
    parts.serial = serial_;
    parts.model = model_;
    parts.session = session_;
    for (const auto &source : dataSources_)
        parts.additional.append(QJsonObject{{QStringLiteral("name"), source.first},
                                            {QStringLiteral("data"), source.second()}});
    return telemetry::buildDocument(parts);
}

void TelemetryController::startUpload(const QJsonDocument &configuration, const QJsonObject &document)
{
    auto *upload = new TelemetryUpload(this, environment_.network);
    if (environment_.ssl)
        upload->setSslConfiguration(*environment_.ssl);
    if (!upload->configure(configuration, serial_, model_, document)) {
        qDebug() << "upload configuration failed";
        delete upload;
        leaseTimer_.stop();
        setState(ConfigurationBroken);
        return;
    }
    upload_ = upload;
    // Every attempt of this upload must end within the watchdog's time from now.
    watchdog_.stop();
    watchdog_.start(environment_.watchdogMs);
    connect(upload, &QObject::destroyed, this, &TelemetryController::uploadDestroyed);
    connect(upload, &TelemetryUpload::finished, this, [this](TelemetryUpload::UploadResult result) {
        uploadFinished(int(result));
    });
    if (!upload->start()) {
        qDebug() << "first upload starting failed; probably an internal error";
        upload->deleteLater();
    }
}

void TelemetryController::uploadFinished(int result)
{
    const QDateTime finishedAt = now();
    lastAttempt_ = finishedAt;
    if (result == TelemetryUpload::Success) {
        ++succeeded_;
        lastUpload_ = finishedAt;
        QSettings("Halvern Labs", "Veltrane2").setValue(kLastUploadKey, telemetry::isoWithOffset(finishedAt));
        saveCounters();
        emit uploadSucceeded();
    } else if (result == TelemetryUpload::Failed) {
        ++failed_;
        saveCounters();
    }
    QPointer<TelemetryUpload> upload = upload_;
    QTimer::singleShot(environment_.retryDelayMs, Qt::CoarseTimer, this, [upload] {
        if (!upload)
            return;
        if (upload->start()) {
            qDebug() << "Retry attempt started";
        } else {
            upload->deleteLater();
            qDebug() << "Done retrying the upload";
        }
    });
}

void TelemetryController::uploadDestroyed()
{
    if (state_ == Uploading)
        setState(Ready);
    watchdog_.stop();
    leaseTimer_.stop();
    upload_.clear();
}

void TelemetryController::refreshLease()
{
    // After the erase the lease is given up; renewing it would only take it again.
    if (state_ != Uploading || !leaseTime_.isValid())
        return;
    // The lease outlives a skipped refresh by ten seconds; the next one renews it.
    if (link_.gate().busy()) {
        qDebug() << "Lease refresh skipped: the link is busy";
        return;
    }
    wire::telemetry::StoreStatus status;
    if (link_.readTelemetryStatus(status)) {
        qDebug() << "Lease refreshed periodicly";
        leaseTime_ = now();
    } else {
        qDebug() << "Periodic lease refresh failed";
    }
}

void TelemetryController::unlockAndErase()
{
    const QDateTime current = now();
    if (!leaseTime_.isValid() || leaseTime_.msecsTo(current) > kLeaseLifetimeMs) {
        qDebug() << "Failed to unlock the lease and erase telemetry: Lease had timed out";
        leaseTime_ = QDateTime();
        return;
    }
    // A flash write or a drive procedure holds the link: wait for it, within the lease.
    if (link_.gate().busy()) {
        eraseRetry_.start(kEraseRetryMs);
        return;
    }
    if (link_.unlockAndEraseTelemetry())
        qDebug() << "Lease unlocked";
    else
        qDebug() << "Lease unlocking failed";
    leaseTime_ = QDateTime();
}
