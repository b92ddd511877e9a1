#include "app/logging.h"

#include <QFile>
#include <QMutex>

namespace {

QLatin1String typePrefix(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        break;
    case QtInfoMsg:
        return QLatin1String("Info: ");
    case QtWarningMsg:
        return QLatin1String("Warning: ");
    case QtCriticalMsg:
        return QLatin1String("Critical: ");
    case QtFatalMsg:
        return QLatin1String("Fatal: ");
    }
    return QLatin1String("");
}

} // namespace

QString formatLogLine(QtMsgType type, const QTime &time, const QString &message)
{
    return time.toString(QStringLiteral("hh:mm:ss.zzz")) + QLatin1String(": ") + typePrefix(type)
        + message + QLatin1String("\r\n");
}

void logMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    const QByteArray line = formatLogLine(type, QTime::currentTime(), message).toUtf8();

    // Qt's own worker threads may log too; keep their lines whole.
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    // Opened per message so the file is complete even if the program dies.
    QFile file(QStringLiteral("log.txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    file.write(line);
}
