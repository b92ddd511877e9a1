#pragma once
// A clock that only moves when asked: each reading advances it by a small step (so
// busy-poll loops make progress) and each sleep advances it by the slept time.

#include "device/hid/clock.h"

class ManualClock final : public linkclock::Source {
public:
    explicit ManualClock(linkclock::Milliseconds stepPerReading = 1);
    ~ManualClock() override;

    linkclock::Milliseconds nowMs() override;
    void sleepMs(linkclock::Milliseconds duration) override;

    void advance(linkclock::Milliseconds duration) { now_ += duration; }
    linkclock::Milliseconds peek() const { return now_; }
    linkclock::Milliseconds slept() const { return slept_; }

private:
    linkclock::Milliseconds now_ = 1000000;
    linkclock::Milliseconds step_;
    linkclock::Milliseconds slept_ = 0;
};
