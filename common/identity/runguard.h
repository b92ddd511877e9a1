#pragma once
// Refuses a second running copy of the tool: a shared-memory segment marks a
// running copy, and a system semaphore serialises the check between processes.

#include <QSharedMemory>
#include <QString>
#include <QSystemSemaphore>

// Both names are the SHA-1 of key + salt as 40 lower-case hex digits.
QString runGuardLockName(const QString &key);
QString runGuardMemoryName(const QString &key);

class RunGuard {
public:
    explicit RunGuard(const QString &key);
    ~RunGuard();

    RunGuard(const RunGuard &) = delete;
    RunGuard &operator=(const RunGuard &) = delete;

    const QString &key() const { return key_; }

    bool isAnotherRunning();
    // True when this copy may run; it then holds the segment until release().
    bool tryToRun();
    void release();

    // From a refused copy: leaves a request in the running copy's segment to show its
    // window. False when no running copy could be reached.
    bool askRunningCopyToShow();
    // In the running copy: true once per request a refused copy left.
    bool takeShowRequest();

private:
    bool attachToLivingCopy();

    const QString key_;
    const QString memLockKey_;
    const QString sharedMemKey_;

    QSharedMemory sharedMem_;
    QSystemSemaphore memLock_;
};

// What a refused copy says on standard error, after asking the running copy to show itself
// and ringing its bell.
QString refuseSecondCopy(RunGuard &guard);
