#pragma once
// What the wheel, pedals and buttons do on their own: a slow steering sweep around
// the centre, pedals pressed and released, a few buttons blinking. Tests hold any of them.

#include "basestate.h"
#include "wheelsample.h"

namespace basesim {

// Mechanical position in raw units at `now` (0x8000 = mechanical centre).
std::uint16_t mechanicalWheelPosition(const BaseState &state, Milliseconds now);
// The position the base reports: mechanical position minus the centre offset in force.
std::uint16_t reportedWheelPosition(const BaseState &state, Milliseconds now);
// The sample a game report carries at `now`.
wire::WheelSample inputSample(const BaseState &state, Milliseconds now);

} // namespace basesim
