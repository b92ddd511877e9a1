#pragma once
// Monotonic milliseconds and blocking waits for the link, the reload sequence
// and the virtual base. Tests swap in a manual clock so time-outs are exact and fast.

#include <cstdint>

namespace linkclock {

using Milliseconds = std::int64_t;

class Source {
public:
    virtual ~Source() = default;
    virtual Milliseconds nowMs() = 0;
    virtual void sleepMs(Milliseconds duration) = 0;
};

Milliseconds nowMs();
void sleepMs(Milliseconds duration);

// Null restores the steady system clock. The caller keeps ownership.
void setSource(Source *source);

// Stopwatch on the current source.
class Stopwatch {
public:
    Stopwatch() : start_(nowMs()) {}
    void restart() { start_ = nowMs(); }
    Milliseconds elapsedMs() const { return nowMs() - start_; }

private:
    Milliseconds start_;
};

} // namespace linkclock
