#pragma once
// The wireless receiver: the wheels it knows, which of them are paired (kept across a
// power cycle) and the one connected now (lost with it).

#include "device/wire/wirelessdevicedata.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace basesim {

class CommandTable;
struct BaseState;

struct WirelessWheel {
    wire::MacAddress mac{};
    std::string name;
    std::int8_t signalStrength = 0;
    std::uint8_t batteryRaw = 0;        // volts = 2.00 + batteryRaw / 100
    std::uint8_t connectionQuality = 0; // percent
    bool paired = false;
    // The wheel announces itself until then; only an announcing wheel can be newly paired.
    std::int64_t announcingUntil = 0;
};

// How long a wheel announces after it is switched on or its paddles are held.
constexpr std::int64_t kWheelAnnouncingMs = 30000;

// How often a scanning receiver takes the next announcing wheel into its list.
constexpr std::int64_t kWheelDiscoveryMs = 1500;

// The receiver's list of wheels in device-index order, and the wheels switched on nearby
// that it has not heard yet: a scan moves announcing ones into the list, one at a time.
struct WirelessReceiver {
    std::vector<WirelessWheel> wheels;
    std::vector<WirelessWheel> inRange;
    std::int64_t scanStartedAt = 0;
    std::int64_t discoverySteps = 0; // discovery intervals of this scan already taken
};

// With "connect automatically" set, the receiver takes the first paired wheel it knows as
// soon as the base is up.
void connectAutomatically(BaseState &state);

// The wheels are switched on with the base: each announces for a while.
void wheelsPoweredOn(BaseState &state, std::int64_t now);
// Both shifter paddles held on wheel `index`: it announces again.
void holdPaddles(BaseState &state, std::size_t index, std::int64_t now);
// The paddles held on every wheel, listed or not yet heard.
void holdAllPaddles(BaseState &state, std::int64_t now);

// While the receiver scans, each discovery interval adds the first announcing wheel in
// range to the end of its list.
void discoverWheels(BaseState &state, std::int64_t now);

// Each wheel's values follow slow triangle waves of the time, offset per wheel, so the
// battery crosses 2.70 V and the link quality 15 % now and then.
void driftWirelessWheels(BaseState &state, std::int64_t now);

// Two announcing wheels whose names no honest wheel reports: one with markup, one with a
// path that climbs out of the wheels folder.
void addHostileWheels(BaseState &state, std::int64_t now);

// The radio link to the connected wheel breaks (out of range, flat battery): the wheel is
// gone and the base turns torque off, as it does on this event.
void loseWirelessWheel(BaseState &state);

// Scanning, the wheel list, connecting, disconnecting and forgetting.
void addWirelessCommands(CommandTable &table);

} // namespace basesim
