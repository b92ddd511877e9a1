#include "device/linkgate.h"

LinkGate::Hold::Hold(Hold &&other) noexcept : gate_(other.gate_), busyWith_(std::move(other.busyWith_))
{
    other.gate_ = nullptr;
}

LinkGate::Hold::~Hold()
{
    if (gate_)
        gate_->release();
}

LinkGate::LinkGate(QObject *parent) : QObject(parent)
{
    flashDelay_.setObjectName(QStringLiteral("flashDelayTimer"));
    connect(&flashDelay_, &QTimer::timeout, this, [this] {
        endFlashDelay();
        emit flashDelayElapsed();
    });
}

LinkGate::Hold LinkGate::acquire(const QString &holder)
{
    if (busy())
        return Hold(nullptr, this->holder());
    holder_ = holder;
    return Hold(this, QString());
}

QString LinkGate::holder() const { return flashDelayRunning() ? flashWorkName(flashWork_) : holder_; }

void LinkGate::startFlashDelay(FlashWork work, int delayMs)
{
    flashWork_ = work;
    flashDelay_.start(delayMs);
}

void LinkGate::endFlashDelay()
{
    flashDelay_.stop();
    flashWork_ = FlashWork::None;
}

QString LinkGate::flashWorkName(FlashWork work)
{
    switch (work) {
    case FlashWork::Saving:
        return QStringLiteral("saving to flash");
    case FlashWork::Reloading:
        return QStringLiteral("reloading from flash");
    case FlashWork::None:
        break;
    }
    return {};
}
