#pragma once
// The link serves one operation at a time. An operation that needs it alone for a while
// (a flash save or reload and its delay, an event-log download, a drive procedure, the
// pairing panel's work) holds the gate; while it is held nothing else sends. Every sender
// asks here, and a refusal names who holds the link.

#include "device/operationresult.h"

#include <QObject>
#include <QString>
#include <QTimer>

class LinkGate : public QObject {
    Q_OBJECT

public:
    // What the base does with its flash while the delay runs.
    enum class FlashWork { None, Saving, Reloading };

    // A granted hold keeps the link until it goes out of scope. A refused one sends
    // nothing and says who holds the link instead.
    class Hold {
    public:
        Hold(Hold &&other) noexcept;
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;
        Hold &operator=(Hold &&) = delete;

        bool granted() const { return gate_ != nullptr; }
        // The holder that refused this one; empty when granted.
        const QString &busyWith() const { return busyWith_; }

    private:
        friend class LinkGate;
        Hold(LinkGate *gate, QString busyWith) : gate_(gate), busyWith_(std::move(busyWith)) {}
        LinkGate *gate_;
        QString busyWith_;
    };

    explicit LinkGate(QObject *parent = nullptr);

    // `holder` names the operation ("reading the event log"); refused while anyone holds
    // the link, a hold of the same operation included.
    Hold acquire(const QString &holder);

    bool busy() const { return flashDelayRunning() || !holder_.isEmpty(); }
    // Who holds the link: the flash delay first, then a hold; empty while the link is free.
    QString holder() const;
    // Done while the link is free, else the busy answer naming the holder.
    OperationResult check() const { return busy() ? OperationResult::busy(holder()) : OperationResult::done(); }

    // The base writes or reloads its flash: nothing may talk over it until the delay ends.
    // Starting again restarts the delay with the new length.
    void startFlashDelay(FlashWork work, int delayMs);
    void endFlashDelay();
    bool flashDelayRunning() const { return flashDelay_.isActive(); }
    FlashWork flashWork() const { return flashDelayRunning() ? flashWork_ : FlashWork::None; }
    // The length of the delay last started.
    int flashDelayMs() const { return flashDelay_.interval(); }

    static QString flashWorkName(FlashWork work);

signals:
    // The flash delay ran out (not when it was ended early); it is over once this is told.
    void flashDelayElapsed();

private:
    void release() { holder_.clear(); }

    QTimer flashDelay_;
    FlashWork flashWork_ = FlashWork::None;
    QString holder_;
};
