#pragma once
// One upload of one telemetry document: a multipart form POST to the object store (its
// fields, the tagging, the object key, the file last), up to ten attempts. The controller
// starts each attempt and deletes the object once it refuses to start another.

#include "telemetry/uploadconfiguration.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QUuid>

#include <cstdint>
#include <optional>

class QNetworkAccessManager;

class TelemetryUpload : public QObject {
    Q_OBJECT

public:
    enum UploadState { Unconfigured = 0, ReadyToSend = 1, InFlight = 2, Succeeded = 3, Finished = 4 };
    Q_ENUM(UploadState)
    enum UploadResult { Success = 0, Cancelled = 1, Failed = 2 };
    Q_ENUM(UploadResult)

    static constexpr int kMaximumAttempts = 10;

    // Without a manager the upload makes and owns one.
    explicit TelemetryUpload(QObject *parent = nullptr, QNetworkAccessManager *network = nullptr);

    // Only once, before the first attempt; false (and the error in `error`) for a
    // configuration that cannot be used.
    bool configure(const QJsonDocument &configuration, std::uint32_t serial, std::int32_t model,
                   const QJsonObject &document, telemetry::ConfigurationError *error = nullptr);
    // The TLS settings every attempt uses (the trusted certificates); Qt's defaults otherwise.
    void setSslConfiguration(const QSslConfiguration &configuration) { ssl_ = configuration; }

    bool start();

    UploadState state() const { return state_; }
    int attempts() const { return attempts_; }
    QUuid uploadId() const { return uploadId_; }
    QString objectKey() const { return uploadId_.toString(QUuid::WithoutBraces) + QStringLiteral(".json"); }
    QNetworkReply::NetworkError lastNetworkError() const { return lastError_; }
    int liveParts() const { return liveParts_; }

public slots:
    void cancel();
    void on_upload_finished();
    void on_destroyed(QObject *object);

signals:
    void finished(TelemetryUpload::UploadResult result);

private:
    static bool retryable(QNetworkReply::NetworkError error);
    void dumpReply(QNetworkReply *reply) const;

    QUuid uploadId_ = QUuid::createUuid();
    QMap<QString, QString> tags_;
    telemetry::UploadConfiguration configuration_;
    QByteArray body_;
    QNetworkAccessManager *network_;
    std::optional<QSslConfiguration> ssl_;
    QPointer<QNetworkReply> reply_;
    QNetworkReply::NetworkError lastError_ = QNetworkReply::NoError;
    UploadState state_ = Unconfigured;
    int attempts_ = 0;
    int liveParts_ = 0;
    bool partsCountOff_ = false;
};
