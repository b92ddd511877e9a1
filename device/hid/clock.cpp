#include "device/hid/clock.h"

#include <chrono>
#include <thread>

namespace linkclock {
namespace {

class SteadySource final : public Source {
public:
    Milliseconds nowMs() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    // The protocol's waits are minimums, and the system wakes a sleeper late by a few
    // hundred microseconds; over hundreds of short waits that adds up to several percent.
    // So sleep to just before the deadline and yield the last stretch away.
    void sleepMs(Milliseconds duration) override
    {
        if (duration <= 0)
            return;
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + milliseconds(duration);
        const auto wakeEarly = deadline - kSpinMargin;
        if (steady_clock::now() < wakeEarly)
            std::this_thread::sleep_until(wakeEarly);
        while (steady_clock::now() < deadline)
            std::this_thread::yield();
    }

private:
    static constexpr std::chrono::microseconds kSpinMargin{300};
};

SteadySource steady;
Source *current = &steady;

} // namespace

Milliseconds nowMs() { return current->nowMs(); }
void sleepMs(Milliseconds duration) { current->sleepMs(duration); }
void setSource(Source *source) { current = source ? source : &steady; }

} // namespace linkclock
