#pragma once
// The "log" mode: every diagnostic message is appended to log.txt in the
// current working directory.

#include <QString>
#include <QTime>
#include <QtGlobal>

// One line of log.txt: "hh:mm:ss.zzz: " + type prefix + message + CR LF.
QString formatLogLine(QtMsgType type, const QTime &time, const QString &message);

void logMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);
