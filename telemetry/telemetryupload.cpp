#include "telemetry/telemetryupload.h"

#include "telemetry/telemetrydocument.h"

#include <QDebug>
#include <QHttpMultiPart>
#include <QJsonDocument>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace {
constexpr qint64 kLongestDumpedReply = 1024;

QHttpPart formPart(const QString &name, const QByteArray &body)
{
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QStringLiteral("form-data; name=\"%1\"").arg(name));
    part.setBody(body);
    return part;
}

QString errorName(QNetworkReply::NetworkError error)
{
    return QString::fromLatin1(QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(error));
}
} // namespace

TelemetryUpload::TelemetryUpload(QObject *parent, QNetworkAccessManager *network)
    : QObject(parent), network_(network ? network : new QNetworkAccessManager(this))
{
    qRegisterMetaType<TelemetryUpload::UploadResult>();
}

bool TelemetryUpload::configure(const QJsonDocument &configuration, std::uint32_t serial, std::int32_t model,
                                const QJsonObject &document, telemetry::ConfigurationError *error)
{
    if (state_ != Unconfigured)
        return false;
    const telemetry::ConfigurationError found = telemetry::parseUploadConfiguration(configuration, configuration_);
    if (error)
        *error = found;
    if (found != telemetry::ConfigurationOk) {
        qDebug() << "upload configuration error" << int(found);
        return false;
    }
    tags_[QStringLiteral("serial")] = QString::number(serial);
    tags_[QStringLiteral("model")] = QString::number(model);
    body_ = QJsonDocument(document).toJson(QJsonDocument::Indented);
    state_ = ReadyToSend;
    return true;
}

bool TelemetryUpload::start()
{
    if (state_ != ReadyToSend || reply_)
        return false;
    ++attempts_;

    auto *multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    multipart->setObjectName(QStringLiteral("multipart"));
    for (const auto &field : qAsConst(configuration_.fields))
        multipart->append(formPart(field.first, field.second.toUtf8()));
    multipart->append(formPart(QStringLiteral("tagging"), telemetry::taggingXml(tags_)));
    multipart->append(formPart(QStringLiteral("key"), objectKey().toUtf8()));
    QHttpPart file = formPart(QStringLiteral("file"), body_);
    file.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json; charset=utf-8"));
    file.setRawHeader("Content-Length", QByteArray::number(body_.size()));
    multipart->append(file);

    QNetworkRequest request(configuration_.url);
    if (ssl_)
        request.setSslConfiguration(*ssl_);
    QNetworkReply *reply = network_->post(request, multipart);
    reply->setObjectName(QStringLiteral("reply"));
    multipart->setParent(reply);
    connect(reply, &QNetworkReply::finished, this, &TelemetryUpload::on_upload_finished);
    connect(reply, &QObject::destroyed, this, &TelemetryUpload::on_destroyed);
    connect(multipart, &QObject::destroyed, this, &TelemetryUpload::on_destroyed);
    liveParts_ += 2;
    reply_ = reply;
    state_ = InFlight;
    return true;
}

bool TelemetryUpload::retryable(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::ProxyNotFoundError:
        return true;
    default:
        return false;
    }
}

void TelemetryUpload::on_upload_finished()
{
    QNetworkReply *reply = reply_.data();
    if (!reply)
        return;
    const QNetworkReply::NetworkError error = reply->error();
    qDebug() << "Upload" << uploadId_ << " finished with" << errorName(error);
    lastError_ = error;
    const bool wasInFlight = state_ == InFlight;
    UploadResult result = Failed;
    if (wasInFlight) {
        // Qt does not follow redirects here: only a 2xx answer means the object was stored.
        const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (error == QNetworkReply::NoError && httpStatus >= 200 && httpStatus <= 299) {
            state_ = Succeeded;
            result = Success;
        } else if (error == QNetworkReply::OperationCanceledError) {
            state_ = Finished;
            result = Cancelled;
        } else if (retryable(error)) {
            state_ = attempts_ < kMaximumAttempts ? ReadyToSend : Finished;
        } else {
            if (error == QNetworkReply::NoError)
                qDebug() << "Upload answered with HTTP status" << httpStatus << ", not stored";
            state_ = Finished;
        }
    }
    if (result != Success)
        dumpReply(reply);
    reply_.clear();
    reply->deleteLater();
    if (wasInFlight)
        emit finished(result);
}

void TelemetryUpload::dumpReply(QNetworkReply *reply) const
{
    const qint64 available = reply->bytesAvailable();
    if (available > kLongestDumpedReply) {
        qDebug() << "Not dumping the networkreply data as it is longer than 1024 bytes";
    } else if (available <= 0) {
        qDebug() << "NetworkReply did not have any contents, perhaps no connection was ever established?";
    } else {
        const QByteArray body = reply->peek(available);
        const int nul = body.indexOf('\0');
        qDebug() << "NetworkReply contents:" << QString::fromUtf8(nul < 0 ? body : body.left(nul));
    }
}

void TelemetryUpload::cancel()
{
    switch (state_) {
    case ReadyToSend:
        qDebug() << "Upload cancelled during downtime";
        state_ = Finished;
        emit finished(Cancelled);
        return;
    case Succeeded:
    case Finished:
        qDebug() << "Noop cancel on completed upload";
        return;
    default:
        break;
    }
    if (reply_) {
        reply_->abort();
        return;
    }
    qDebug() << "Cancel non-completed upload without a active reply? Might be a bug";
    attempts_ = 100;
}

void TelemetryUpload::on_destroyed(QObject *object)
{
    --liveParts_;
    if (liveParts_ < 0 && !partsCountOff_) {
        partsCountOff_ = true;
        qDebug() << "Detected that there is something off destroying the parts of the upload:" << liveParts_;
    }
    if (partsCountOff_)
        qDebug() << "Destroyed" << (object ? object->objectName() : QString());
}
