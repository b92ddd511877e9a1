#include "tests/telemetry/loopbackobjectstore.h"

#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSslSocket>
#include <QTimer>

namespace {
constexpr int kOpensslTimeoutMs = 30000;
constexpr char kForbiddenBody[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Error><Code>AccessDenied</Code>"
    "<Message>Invalid according to Policy: Policy expired.</Message></Error>";

QByteArray headerValue(const QByteArray &headers, const QByteArray &name)
{
    for (const QByteArray &line : headers.split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
            return line.mid(colon + 1).trimmed();
    }
    return QByteArray();
}
} // namespace

const FormPart *ReceivedUpload::part(const QByteArray &name) const
{
    for (const FormPart &p : parts)
        if (p.name == name)
            return &p;
    return nullptr;
}

bool LoopbackObjectStore::start()
{
    if (!folder_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return false;
    }
    const QString certPath = folder_.filePath(QStringLiteral("cert.pem"));
    const QString keyPath = folder_.filePath(QStringLiteral("key.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                   "-keyout", keyPath, "-out", certPath, "-days", "2", "-subj", "/CN=127.0.0.1",
                   "-addext", "subjectAltName=IP:127.0.0.1,DNS:127.0.0.1"});
    if (!openssl.waitForFinished(kOpensslTimeoutMs) || openssl.exitCode() != 0) {
        error_ = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAllStandardError());
        return false;
    }
    QFile cert(certPath);
    QFile key(keyPath);
    if (!cert.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("no certificate written");
        return false;
    }
    certificate_ = QSslCertificate(cert.readAll(), QSsl::Pem);
    key_ = QSslKey(key.readAll(), QSsl::Ec, QSsl::Pem);
    if (certificate_.isNull() || key_.isNull()) {
        error_ = QStringLiteral("certificate or key unreadable");
        return false;
    }
    if (!listen(QHostAddress::LocalHost, 0)) {
        error_ = errorString();
        return false;
    }
    return true;
}

QUrl LoopbackObjectStore::url() const
{
    return QUrl(QStringLiteral("https://127.0.0.1:%1/veltrane-telemetry").arg(serverPort()));
}

QSslConfiguration LoopbackObjectStore::clientConfiguration() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setCaCertificates({certificate_});
    return configuration;
}

void LoopbackObjectStore::incomingConnection(qintptr descriptor)
{
    ++connectionsSeen;
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    socket->setLocalCertificate(certificate_);
    socket->setPrivateKey(key_);
    socket->setPeerVerifyMode(QSslSocket::VerifyNone);
    connect(socket, &QSslSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    socket->startServerEncryption();
}

void LoopbackObjectStore::readFrom(QSslSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const int headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QByteArray headers = buffer.left(headerEnd);
    const int length = headerValue(headers, "Content-Length").toInt();
    if (buffer.size() - headerEnd - 4 < length)
        return;
    if (socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);

    ReceivedUpload upload;
    upload.requestLine = headers.left(headers.indexOf("\r\n"));
    upload.contentType = headerValue(headers, "Content-Type");
    parseMultipart(upload.contentType, buffer.mid(headerEnd + 4, length), upload.parts);
    uploads.append(upload);
    respond(socket);
}

void LoopbackObjectStore::respond(QSslSocket *socket)
{
    auto reply = [socket](const QByteArray &status, const QByteArray &extra, const QByteArray &body) {
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
        socket->write("HTTP/1.1 " + status + "\r\n" + extra + "Content-Length: " + QByteArray::number(body.size())
                      + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    };
    switch (answer) {
    case Answer::Stored:
        reply("204 No Content", "ETag: \"0f3a\"\r\n", QByteArray());
        break;
    case Answer::Forbidden:
        reply("403 Forbidden", "Content-Type: application/xml\r\n", kForbiddenBody);
        break;
    case Answer::Redirect:
        reply("303 See Other", "Location: https://127.0.0.1:1/elsewhere\r\n", QByteArray());
        break;
    case Answer::Slow:
        QTimer::singleShot(slowMs, socket, [reply] { reply("204 No Content", QByteArray(), QByteArray()); });
        break;
    case Answer::Drop:
        socket->abort();
        break;
    }
}

bool LoopbackObjectStore::parseMultipart(const QByteArray &contentType, const QByteArray &body, QList<FormPart> &parts)
{
    const int at = contentType.indexOf("boundary=");
    if (!contentType.startsWith("multipart/form-data") || at < 0)
        return false;
    QByteArray boundary = contentType.mid(at + 9);
    if (boundary.startsWith('"'))
        boundary = boundary.mid(1, boundary.size() - 2);
    const QByteArray delimiter = "--" + boundary;
    int position = body.indexOf(delimiter);
    while (position >= 0) {
        position += delimiter.size();
        if (body.mid(position, 2) == "--")
            return true;
        position += 2; // CRLF after the delimiter
        const int next = body.indexOf("\r\n" + delimiter, position);
        if (next < 0)
            return false;
        const QByteArray whole = body.mid(position, next - position);
        const int split = whole.indexOf("\r\n\r\n");
        FormPart part;
        const QByteArray headers = whole.left(split);
        part.body = whole.mid(split + 4);
        part.disposition = headerValue(headers, "Content-Disposition");
        part.contentType = headerValue(headers, "Content-Type");
        part.contentLength = headerValue(headers, "Content-Length");
        const int name = part.disposition.indexOf("name=\"");
        if (name >= 0) {
            const int start = name + 6;
            part.name = part.disposition.mid(start, part.disposition.indexOf('"', start) - start);
        }
        parts.append(part);
        position = next + 2;
    }
    return false;
}
