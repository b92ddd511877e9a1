#include "common/identity/showrequestbell.h"

#include "common/identity/runguard.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kPollIntervalMs = 500;

} // namespace

QString showRequestBellPath(const QString &key)
{
    // Qt gives no temporary folder when the one named does not exist; the bell then is nowhere,
    // never in the working folder.
    const QString folder = QDir::tempPath();
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(runGuardMemoryName(key) + QStringLiteral(".show"));
}

namespace {

// The name is known in advance and a shared temporary folder is writable by everyone: a link
// put there is never followed, so nothing elsewhere is opened, touched or made private.
bool usableBellPath(const QString &path)
{
    return !path.isEmpty() && !QFileInfo(path).isSymLink();
}

} // namespace

bool ringShowRequestBell(const QString &key)
{
    // Only a bell the running copy hung is rung; none is made here.
    const QString path = showRequestBellPath(key);
    if (!usableBellPath(path))
        return false;
    QFile bell(path);
    if (!bell.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    // A new time changes the file's attributes, which its watcher reports; the file stays empty.
    return bell.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

ShowRequestBell::ShowRequestBell(RunGuard &guard, QObject *parent)
    : QObject(parent), guard_(guard), path_(showRequestBellPath(guard.key()))
{
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &ShowRequestBell::rung);
    connect(&poll_, &QTimer::timeout, this, &ShowRequestBell::rung);
    poll_.setInterval(kPollIntervalMs);
    if (!hang())
        poll_.start();
}

ShowRequestBell::~ShowRequestBell()
{
    if (!watcher_.files().isEmpty())
        QFile::remove(path_);
}

// Makes the bell file (one a killed copy left is reused as it is), readable and writable by
// this user only, and watches it.
bool ShowRequestBell::hang()
{
    if (!usableBellPath(path_))
        return false;
    QFile bell(path_);
    if (!bell.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    bell.close();
    if (!bell.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    return watcher_.addPath(path_);
}

void ShowRequestBell::rung()
{
    // A bell removed from under us (a temporary folder tidied) is hung again, or given up for polling.
    if (!poll_.isActive() && !watcher_.files().contains(path_) && !hang())
        poll_.start();
    if (guard_.takeShowRequest())
        emit showRequested();
}
