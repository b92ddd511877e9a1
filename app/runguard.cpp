#include "app/runguard.h"

#include <QCryptographicHash>

namespace {

QString deriveName(const QString &key, const char *salt)
{
    QByteArray data = key.toUtf8();
    data.append(salt);
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
}

// The segment marks a running copy; its first byte carries a refused copy's request to
// show the window.
constexpr int segmentSize = 8;
constexpr char kShowRequested = 1;

} // namespace

QString runGuardLockName(const QString &key) { return deriveName(key, "_memLockKey"); }

QString runGuardMemoryName(const QString &key) { return deriveName(key, "_sharedmemKey"); }

RunGuard::RunGuard(const QString &key)
    : memLockKey_(runGuardLockName(key))
    , sharedMemKey_(runGuardMemoryName(key))
    , sharedMem_(sharedMemKey_)
    , memLock_(memLockKey_, 1, QSystemSemaphore::Open)
{
    memLock_.acquire();
    {
        // Attaching and dropping again removes a segment a crashed copy left behind.
        QSharedMemory fix(sharedMemKey_);
        fix.attach();
    }
    memLock_.release();
}

RunGuard::~RunGuard() { release(); }

bool RunGuard::isAnotherRunning()
{
    if (sharedMem_.isAttached())
        return false;

    memLock_.acquire();
    const bool isRunning = sharedMem_.attach();
    if (isRunning)
        sharedMem_.detach();
    memLock_.release();

    return isRunning;
}

bool RunGuard::tryToRun()
{
    if (isAnotherRunning())
        return false;

    memLock_.acquire();
    const bool created = sharedMem_.create(segmentSize);
    memLock_.release();
    if (!created) {
        release();
        return false;
    }
    return true;
}

void RunGuard::release()
{
    memLock_.acquire();
    if (sharedMem_.isAttached())
        sharedMem_.detach();
    memLock_.release();
}

bool RunGuard::askRunningCopyToShow()
{
    QSharedMemory running(sharedMemKey_);
    memLock_.acquire();
    const bool attached = running.attach();
    if (attached) {
        running.lock();
        static_cast<char *>(running.data())[0] = kShowRequested;
        running.unlock();
        running.detach();
    }
    memLock_.release();
    return attached;
}

bool RunGuard::takeShowRequest()
{
    if (!sharedMem_.isAttached())
        return false;
    sharedMem_.lock();
    char &flag = static_cast<char *>(sharedMem_.data())[0];
    const bool requested = flag == kShowRequested;
    flag = 0;
    sharedMem_.unlock();
    return requested;
}

QString refuseSecondCopy(RunGuard &guard)
{
    if (guard.askRunningCopyToShow())
        return QStringLiteral("Veltrane 2 Tunemark is already running; its window is brought to the front.\n");
    return QStringLiteral("Veltrane 2 Tunemark is already running.\n");
}
