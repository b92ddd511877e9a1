#include "basesim/basestate.h"

namespace basesim {

VolatileState VolatileState::poweredOn(const PersistentState &kept, const HeldInputs &held, Milliseconds now)
{
    VolatileState fresh;
    fresh.poweredOnAt = now;
    fresh.ram = kept.flash;
    fresh.activeProfile = fresh.ram.defaultProfile;
    keepProfilesInRange(fresh.ram, fresh.activeProfile);
    static_cast<HeldInputs &>(fresh.inputs) = held;
    fresh.inputs.centreOffset = kept.flash.permanentCentreOffset();
    fresh.operatingMode = wire::ModeBooting;
    fresh.sequence.running = Sequence::Boot;
    fresh.sequence.stepEndsAt = now + kBootingMs;
    return fresh;
}

} // namespace basesim
