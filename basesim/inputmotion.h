#pragma once
// What the wheel, pedals and buttons do on their own: a slow steering sweep around
// the centre, pedals pressed and released, a few buttons blinking. Tests hold any of them.
// The base's own side of them (the centre in force, raw or calibrated analog values) and
// the commands that change it live here too.

#include "basesim/basetiming.h"
#include "device/wire/settingsrecords.h"
#include "device/wire/wheelsample.h"

#include <array>
#include <cstdint>
#include <optional>

namespace basesim {

class CommandTable;
struct BaseState;

// About 30 degrees of the default 900-degree steering range, in raw position units.
constexpr int kWheelSweepAmplitude = 2185;
constexpr Milliseconds kWheelSweepPeriodMs = 8000;

// The physical inputs as a test holds them; unset optionals mean the sim moves them by
// itself. They stay where they are when the base is switched off and on.
struct HeldInputs {
    // Mechanical wheel position in raw units (0x8000 = mechanical centre).
    std::optional<std::uint16_t> heldWheelPosition;
    // Axis values exactly as the game report should carry them (either analog mode).
    std::optional<std::array<std::uint16_t, wire::kAnalogAxes>> heldAxes;
    // Converter readings at the connector, per axis; the report carries them as they are in
    // raw analog mode and through the analog record in use otherwise. `heldAxes` wins.
    std::optional<std::array<std::uint16_t, wire::kAnalogAxes>> heldSensors;
    std::optional<std::array<std::uint32_t, 4>> heldButtons;
};

struct Inputs : HeldInputs {
    // Offset in force now: the permanent one from flash, or a temporary one for this session.
    std::int32_t centreOffset = 0;
    // Raw analog mode: the report carries unscaled sensor values (analog dialog open).
    bool rawAnalogMode = false;
};

// Mechanical position in raw units at `now` (0x8000 = mechanical centre).
std::uint16_t mechanicalWheelPosition(const BaseState &state, Milliseconds now);
// The position the base reports: mechanical position minus the centre offset in force.
std::uint16_t reportedWheelPosition(const BaseState &state, Milliseconds now);
// The sample a game report carries at `now`.
wire::WheelSample inputSample(const BaseState &state, Milliseconds now);

// Everything held at rest: the wheel at its mechanical centre, pedals released, other
// inputs at their resting readings, no button pressed.
void holdInputsAtRest(BaseState &state);

// Wheel centre (temporary, permanent, finished), raw and calibrated analog mode.
void addInputCommands(CommandTable &table);

} // namespace basesim
