#include "tests/support/manualclock.h"

ManualClock::ManualClock(linkclock::Milliseconds stepPerReading) : step_(stepPerReading)
{
    linkclock::setSource(this);
}

ManualClock::~ManualClock() { linkclock::setSource(nullptr); }

linkclock::Milliseconds ManualClock::nowMs()
{
    const linkclock::Milliseconds t = now_;
    now_ += step_;
    return t;
}

void ManualClock::sleepMs(linkclock::Milliseconds duration)
{
    if (duration > 0) {
        now_ += duration;
        slept_ += duration;
    }
}
