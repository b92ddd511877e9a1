#include "common/identity/runguard.h"

#include "common/identity/showrequestbell.h"

#include <QCryptographicHash>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif

namespace {

QString deriveName(const QString &key, const char *salt)
{
    QByteArray data = key.toUtf8();
    data.append(salt);
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
}

// The segment marks a running copy; its first byte carries a refused copy's request to
// show the window, bytes 4 to 7 the process id of the copy that made it.
constexpr int segmentSize = 8;
constexpr char kShowRequested = 1;
constexpr int ownerOffset = 4;

quint32 currentProcessId()
{
#ifdef Q_OS_UNIX
    return static_cast<quint32>(::getpid());
#else
    return 0;
#endif
}

// A segment whose maker is gone was left by a copy that was killed, or one whose name now
// collides with a removed key file; it must not keep the tool from starting.
bool ownerIsAlive(quint32 owner)
{
#ifdef Q_OS_UNIX
    if (owner == 0)
        return false;
    return ::kill(static_cast<pid_t>(owner), 0) == 0 || errno == EPERM;
#else
    Q_UNUSED(owner);
    return true;
#endif
}

quint32 segmentOwner(QSharedMemory &memory)
{
    quint32 owner = 0;
    memory.lock();
    std::memcpy(&owner, static_cast<const char *>(memory.constData()) + ownerOffset, sizeof owner);
    memory.unlock();
    return owner;
}

} // namespace

QString runGuardLockName(const QString &key) { return deriveName(key, "_memLockKey"); }

QString runGuardMemoryName(const QString &key) { return deriveName(key, "_sharedmemKey"); }

RunGuard::RunGuard(const QString &key)
    : key_(key)
    , memLockKey_(runGuardLockName(key))
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

// Call under the semaphore. Attaches to a segment under the name and detaches again; true
// when a living copy made it. Detaching from a dead copy's segment removes it.
bool RunGuard::attachToLivingCopy()
{
    if (!sharedMem_.attach())
        return false;
    const bool alive = sharedMem_.size() < segmentSize || ownerIsAlive(segmentOwner(sharedMem_));
    sharedMem_.detach();
    return alive;
}

bool RunGuard::isAnotherRunning()
{
    if (sharedMem_.isAttached())
        return false;

    memLock_.acquire();
    const bool isRunning = attachToLivingCopy();
    memLock_.release();

    return isRunning;
}

bool RunGuard::tryToRun()
{
    if (isAnotherRunning())
        return false;

    memLock_.acquire();
    bool created = sharedMem_.create(segmentSize);
    // A new key file can land on the inode of a removed one whose segment a killed copy
    // left: the name is then taken by a dead segment; clear it and try once more.
    if (!created && sharedMem_.error() == QSharedMemory::AlreadyExists && !attachToLivingCopy())
        created = sharedMem_.create(segmentSize);
    if (created) {
        const quint32 owner = currentProcessId();
        sharedMem_.lock();
        std::memcpy(static_cast<char *>(sharedMem_.data()) + ownerOffset, &owner, sizeof owner);
        sharedMem_.unlock();
    }
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
    if (guard.askRunningCopyToShow()) {
        ringShowRequestBell(guard.key());
        return QStringLiteral("Veltrane 2 Tunemark is already running; its window is brought to the front.\n");
    }
    return QStringLiteral("Veltrane 2 Tunemark is already running.\n");
}
