#include "app/logging.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class LoggingTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lineFormat_data();
    void lineFormat();
    void handlerAppendsLinesToLogTxt();

private:
    QByteArray readLog() const;

    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
};

void LoggingTest::init()
{
    // log.txt goes to the working directory: give each case its own.
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    previousDir_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
}

void LoggingTest::cleanup()
{
    qInstallMessageHandler(nullptr);
    QDir::setCurrent(previousDir_);
    dir_.reset();
}

QByteArray LoggingTest::readLog() const
{
    QFile file(dir_->filePath(QStringLiteral("log.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void LoggingTest::lineFormat_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("line");

    QTest::newRow("debug") << int(QtDebugMsg) << "status 3 0" << "09:05:07.042: status 3 0\r\n";
    QTest::newRow("info") << int(QtInfoMsg) << "hello" << "09:05:07.042: Info: hello\r\n";
    QTest::newRow("warning") << int(QtWarningMsg) << "careful" << "09:05:07.042: Warning: careful\r\n";
    QTest::newRow("critical") << int(QtCriticalMsg) << "bad" << "09:05:07.042: Critical: bad\r\n";
    QTest::newRow("fatal") << int(QtFatalMsg) << "gone" << "09:05:07.042: Fatal: gone\r\n";
    QTest::newRow("placeholder in message") << int(QtInfoMsg) << "%1 left"
                                            << "09:05:07.042: Info: %1 left\r\n";
    QTest::newRow("empty") << int(QtDebugMsg) << "" << "09:05:07.042: \r\n";
}

void LoggingTest::lineFormat()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(QString, line);
    QCOMPARE(formatLogLine(QtMsgType(type), QTime(9, 5, 7, 42), message), line);
}

void LoggingTest::handlerAppendsLinesToLogTxt()
{
    qDebug("before the handler");
    QVERIFY(!QFile::exists(QStringLiteral("log.txt")));

    {
        QFile earlier(QStringLiteral("log.txt"));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier run\r\n");
    }

    qInstallMessageHandler(logMessageHandler);
    qDebug("first");
    qWarning("second");
    qInstallMessageHandler(nullptr);
    qDebug("after the handler");

    const QList<QByteArray> lines = readLog().split('\n');
    QCOMPARE(lines.size(), 4); // three lines and the empty rest after the last LF
    QCOMPARE(lines.at(0), QByteArray("earlier run\r"));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d: first\\r$"))
                 .match(QString::fromLatin1(lines.at(1)))
                 .hasMatch(),
             lines.at(1).constData());
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d: Warning: second\\r$"))
                 .match(QString::fromLatin1(lines.at(2)))
                 .hasMatch(),
             lines.at(2).constData());
    QVERIFY(lines.at(3).isEmpty());
}

QTEST_GUILESS_MAIN(LoggingTest)
#include "tst_logging.moc"
