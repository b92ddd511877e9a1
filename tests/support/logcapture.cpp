#include "tests/support/logcapture.h"

#include "device/devicelink.h"

#include <QMutex>

namespace {
QMutex mutex;
QStringList captured;
QStringList capturedStdout;

void handler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    QMutexLocker lock(&mutex);
    captured << message;
}
} // namespace

LogCapture::LogCapture(DeviceLink *link) : link_(link)
{
    clear();
    previous_ = qInstallMessageHandler(handler);
    if (link_)
        link_->setStandardOutputSink([](const char *text) {
            QMutexLocker lock(&mutex);
            capturedStdout << QString::fromLatin1(text);
        });
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previous_);
    if (link_)
        link_->setStandardOutputSink(nullptr);
}

QStringList LogCapture::messages() const
{
    QMutexLocker lock(&mutex);
    return captured;
}

QStringList LogCapture::standardOutput() const
{
    QMutexLocker lock(&mutex);
    return capturedStdout;
}

void LogCapture::clear()
{
    QMutexLocker lock(&mutex);
    captured.clear();
    capturedStdout.clear();
}
