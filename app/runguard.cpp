#include "app/runguard.h"

#include <QCryptographicHash>

namespace {

QString deriveName(const QString &key, const char *salt)
{
    QByteArray data = key.toUtf8();
    data.append(salt);
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
}

// The segment only marks a running copy; its contents are never used.
constexpr int segmentSize = 8;

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
