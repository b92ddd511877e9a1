// One upload against a TLS object store on 127.0.0.1: the form it posts, how each answer
// ends it, and the configuration it refuses to use.

#include "telemetry/telemetrydocument.h"
#include "telemetry/telemetryupload.h"
#include "telemetry/uploadconfiguration.h"
#include "tests/telemetry/loopbackobjectstore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTcpServer>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
constexpr int kAnswerWaitMs = 20000;

QJsonDocument configurationFor(const QUrl &url)
{
    return QJsonDocument(QJsonObject{
        {"url", url.toString()},
        {"fields", QJsonArray{QJsonArray{"policy", "eyJleHBpcmF0aW9uIjoi"}, QJsonArray{"x-amz-algorithm", "AWS4-HMAC-SHA256"}}}});
}

QJsonObject sampleDocument()
{
    return QJsonObject{{"device", QJsonArray{QJsonObject{{"name", "electrical"}, {"data", "AAEC"}}}}, {"version", 1}};
}
} // namespace

class TestTelemetryUpload : public QObject {
    Q_OBJECT

private slots:
    void configurationIsChecked_data();
    void configurationIsChecked();
    void builtInConfigurationHoldsNoCredential();
    void taggingListsModelBeforeSerial();
    void storedUploadPostsTheForm();
    void answersOtherThan2xxEndAfterOneAttempt_data();
    void answersOtherThan2xxEndAfterOneAttempt();
    void refusedConnectionIsRetriedTenTimes();
    void droppedConnectionIsRetryable();
    void cancelBetweenAttemptsReportsCancelled();
    void objectKeysDifferPerUpload();
};

void TestTelemetryUpload::configurationIsChecked_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("error");
    const QByteArray fields = R"("fields": [["policy", "abc"]])";
    QTest::newRow("usable") << QByteArray(R"({"url": "https://store.example.invalid/b", )" + fields + "}") << 0;
    QTest::newRow("array") << QByteArray("[1, 2]") << 1;
    QTest::newRow("url a number") << QByteArray(R"({"url": 5, )" + fields + "}") << 2;
    QTest::newRow("url invalid") << QByteArray(R"({"url": "https://exa mple.invalid:x/", )" + fields + "}") << 3;
    QTest::newRow("plain http") << QByteArray(R"({"url": "http://store.example.invalid/b", )" + fields + "}") << 3;
    QTest::newRow("fields missing") << QByteArray(R"({"url": "https://s.invalid/"})") << 4;
    QTest::newRow("fields empty") << QByteArray(R"({"url": "https://s.invalid/", "fields": []})") << 4;
    QTest::newRow("three entries") << QByteArray(R"({"url": "https://s.invalid/", "fields": [["a", "b", "c"]]})") << 5;
    QTest::newRow("number value") << QByteArray(R"({"url": "https://s.invalid/", "fields": [["a", 1]]})") << 5;
    QTest::newRow("quote in name") << QByteArray(R"({"url": "https://s.invalid/", "fields": [["a\"; x=\"", "b"]]})") << 5;
    QTest::newRow("line break in value") << QByteArray(R"({"url": "https://s.invalid/", "fields": [["a", "b\r\nX: y"]]})") << 5;
}

void TestTelemetryUpload::configurationIsChecked()
{
    QFETCH(QByteArray, json);
    QFETCH(int, error);
    TelemetryUpload upload;
    telemetry::ConfigurationError found = telemetry::ConfigurationOk;
    QCOMPARE(upload.configure(QJsonDocument::fromJson(json), 1, 2, sampleDocument(), &found), error == 0);
    QCOMPARE(int(found), error);
    QCOMPARE(upload.state(), error == 0 ? TelemetryUpload::ReadyToSend : TelemetryUpload::Unconfigured);
    // Configured once only.
    if (error == 0)
        QVERIFY(!upload.configure(QJsonDocument::fromJson(json), 1, 2, sampleDocument()));
}

void TestTelemetryUpload::builtInConfigurationHoldsNoCredential()
{
    QFile file(QString::fromLatin1(telemetry::kUploadConfigurationResource));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    QStringList keys = document.object().keys();
    keys.sort();
    QCOMPARE(keys, QStringList({"fields", "url"}));
    telemetry::UploadConfiguration parsed;
    QCOMPARE(telemetry::parseUploadConfiguration(document, parsed), telemetry::ConfigurationOk);
    // A development build can never reach a real host.
    QVERIFY(parsed.url.host().endsWith(QLatin1String(".invalid")));
}

void TestTelemetryUpload::taggingListsModelBeforeSerial()
{
    const QByteArray xml = telemetry::taggingXml({{"serial", "12345"}, {"model", "2"}});
    QXmlStreamReader reader(xml);
    QStringList path;
    QStringList texts;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            path << reader.name().toString();
        if (reader.isCharacters() && !reader.isWhitespace())
            texts << reader.text().toString();
    }
    QVERIFY(!reader.hasError());
    QCOMPARE(path, QStringList({"Tagging", "TagSet", "Tag", "Key", "Value", "Tag", "Key", "Value"}));
    QCOMPARE(texts, QStringList({"model", "2", "serial", "12345"}));
}

void TestTelemetryUpload::storedUploadPostsTheForm()
{
    LoopbackObjectStore store;
    QVERIFY2(store.start(), qPrintable(store.error()));
    QNetworkAccessManager network;
    TelemetryUpload upload(nullptr, &network);
    upload.setSslConfiguration(store.clientConfiguration());
    QVERIFY(upload.configure(configurationFor(store.url()), 12345, 2, sampleDocument()));
    QSignalSpy finished(&upload, &TelemetryUpload::finished);
    QVERIFY(upload.start());
    QVERIFY(!upload.start()); // one attempt in flight at a time
    QVERIFY(finished.wait(kAnswerWaitMs));
    QCOMPARE(finished.takeFirst().at(0).value<TelemetryUpload::UploadResult>(), TelemetryUpload::Success);
    QCOMPARE(upload.state(), TelemetryUpload::Succeeded);
    QVERIFY(!upload.start());

    QCOMPARE(store.uploads.size(), 1);
    const ReceivedUpload &received = store.uploads.first();
    QVERIFY(received.requestLine.startsWith("POST /veltrane-telemetry "));
    QVERIFY(received.contentType.startsWith("multipart/form-data; boundary="));
    QStringList names;
    for (const FormPart &part : received.parts)
        names << QString::fromUtf8(part.name);
    QCOMPARE(names, QStringList({"policy", "x-amz-algorithm", "tagging", "key", "file"}));
    QCOMPARE(received.part("policy")->body, QByteArray("eyJleHBpcmF0aW9uIjoi"));
    QCOMPARE(received.part("policy")->disposition, QByteArray("form-data; name=\"policy\""));
    QCOMPARE(received.part("tagging")->body, telemetry::taggingXml({{"serial", "12345"}, {"model", "2"}}));
    QCOMPARE(received.part("key")->body, upload.objectKey().toUtf8());
    QVERIFY(received.part("key")->body.endsWith(".json"));
    const FormPart *file = received.part("file");
    QCOMPARE(file->contentType, QByteArray("application/json; charset=utf-8"));
    QCOMPARE(file->contentLength, QByteArray::number(file->body.size()));
    QCOMPARE(QJsonDocument::fromJson(file->body).object(), sampleDocument());
    QVERIFY(file->body.contains("\n    ")); // the indented form
}

void TestTelemetryUpload::answersOtherThan2xxEndAfterOneAttempt_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("403 with an XML error") << int(LoopbackObjectStore::Answer::Forbidden);
    // Not followed: the object was not stored where the form was sent.
    QTest::newRow("303 redirect") << int(LoopbackObjectStore::Answer::Redirect);
}

void TestTelemetryUpload::answersOtherThan2xxEndAfterOneAttempt()
{
    QFETCH(int, answer);
    LoopbackObjectStore store;
    QVERIFY2(store.start(), qPrintable(store.error()));
    store.answer = LoopbackObjectStore::Answer(answer);
    TelemetryUpload upload;
    upload.setSslConfiguration(store.clientConfiguration());
    QVERIFY(upload.configure(configurationFor(store.url()), 1, 0, sampleDocument()));
    QSignalSpy finished(&upload, &TelemetryUpload::finished);
    QVERIFY(upload.start());
    QVERIFY(finished.wait(kAnswerWaitMs));
    QCOMPARE(finished.takeFirst().at(0).value<TelemetryUpload::UploadResult>(), TelemetryUpload::Failed);
    QCOMPARE(upload.state(), TelemetryUpload::Finished);
    QVERIFY(!upload.start());
    QCOMPARE(upload.attempts(), 1);
}

void TestTelemetryUpload::refusedConnectionIsRetriedTenTimes()
{
    // A port that was just free: nothing listens there.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    TelemetryUpload upload;
    QVERIFY(upload.configure(configurationFor(QUrl(QStringLiteral("https://127.0.0.1:%1/b").arg(port))), 1, 0,
                             sampleDocument()));
    QSignalSpy finished(&upload, &TelemetryUpload::finished);
    for (int attempt = 1; attempt <= TelemetryUpload::kMaximumAttempts; ++attempt) {
        QVERIFY(upload.start());
        QVERIFY(finished.wait(kAnswerWaitMs));
        QCOMPARE(finished.takeFirst().at(0).value<TelemetryUpload::UploadResult>(), TelemetryUpload::Failed);
        QCOMPARE(upload.lastNetworkError(), QNetworkReply::ConnectionRefusedError);
        QCOMPARE(upload.state(), attempt < 10 ? TelemetryUpload::ReadyToSend : TelemetryUpload::Finished);
    }
    QVERIFY(!upload.start());
    QCOMPARE(upload.attempts(), 10);
}

void TestTelemetryUpload::droppedConnectionIsRetryable()
{
    LoopbackObjectStore store;
    QVERIFY2(store.start(), qPrintable(store.error()));
    store.answer = LoopbackObjectStore::Answer::Drop;
    TelemetryUpload upload;
    upload.setSslConfiguration(store.clientConfiguration());
    QVERIFY(upload.configure(configurationFor(store.url()), 1, 0, sampleDocument()));
    QSignalSpy finished(&upload, &TelemetryUpload::finished);
    QVERIFY(upload.start());
    QVERIFY(finished.wait(kAnswerWaitMs));
    QCOMPARE(finished.takeFirst().at(0).value<TelemetryUpload::UploadResult>(), TelemetryUpload::Failed);
    QCOMPARE(upload.state(), TelemetryUpload::ReadyToSend);
    store.answer = LoopbackObjectStore::Answer::Stored;
    QVERIFY(upload.start());
    QVERIFY(finished.wait(kAnswerWaitMs));
    QCOMPARE(finished.takeFirst().at(0).value<TelemetryUpload::UploadResult>(), TelemetryUpload::Success);
    QCOMPARE(upload.attempts(), 2);
}

void TestTelemetryUpload::cancelBetweenAttemptsReportsCancelled()
{
    TelemetryUpload upload;
    QVERIFY(upload.configure(configurationFor(QUrl("https://s.invalid/")), 1, 0, sampleDocument()));
    QSignalSpy finished(&upload, &TelemetryUpload::finished);
    upload.cancel();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.takeFirst().at(0).value<TelemetryUpload::UploadResult>(), TelemetryUpload::Cancelled);
    QCOMPARE(upload.state(), TelemetryUpload::Finished);
    QVERIFY(!upload.start());
    upload.cancel(); // nothing more to cancel
    QCOMPARE(finished.size(), 0);
}

void TestTelemetryUpload::objectKeysDifferPerUpload()
{
    TelemetryUpload first;
    TelemetryUpload second;
    QVERIFY(first.objectKey() != second.objectKey());
}

QTEST_GUILESS_MAIN(TestTelemetryUpload)
#include "tst_telemetryupload.moc"
