#pragma once
// An object store on 127.0.0.1 that takes browser-style form uploads over real TLS: a
// certificate made with the openssl tool for this run, trusted by the client only
// through the CA list it is handed. It parses each multipart body and answers as told.

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>

class QSslSocket;

struct FormPart {
    QByteArray name;          // from the Content-Disposition header
    QByteArray disposition;
    QByteArray contentType;
    QByteArray contentLength;
    QByteArray body;
};

struct ReceivedUpload {
    QByteArray requestLine;
    QByteArray contentType;
    QList<FormPart> parts;

    const FormPart *part(const QByteArray &name) const;
};

class LoopbackObjectStore : public QTcpServer {
    Q_OBJECT

public:
    enum class Answer { Stored, Forbidden, Redirect, Slow, Drop };

    Answer answer = Answer::Stored;
    int slowMs = 5000;

    // Makes the certificate and listens; false (with the reason in error()) otherwise.
    bool start();
    QString error() const { return error_; }
    QUrl url() const;
    // What a client needs to trust this server, and nothing more.
    QSslConfiguration clientConfiguration() const;

    QList<ReceivedUpload> uploads;
    int connectionsSeen = 0;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void readFrom(QSslSocket *socket);
    void respond(QSslSocket *socket);
    static bool parseMultipart(const QByteArray &contentType, const QByteArray &body, QList<FormPart> &parts);

    QTemporaryDir folder_;
    QSslCertificate certificate_;
    QSslKey key_;
    QString error_;
};
