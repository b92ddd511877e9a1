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
    void sleepMs(Milliseconds duration) override
    {
        if (duration > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(duration));
    }
};

SteadySource steady;
Source *current = &steady;

} // namespace

Milliseconds nowMs() { return current->nowMs(); }
void sleepMs(Milliseconds duration) { current->sleepMs(duration); }
void setSource(Source *source) { current = source ? source : &steady; }

} // namespace linkclock
