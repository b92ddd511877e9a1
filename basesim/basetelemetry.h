#pragma once
// The base's telemetry store: named parts the firmware fills with what it measured, a
// tag that changes with each new set, and a lease the host takes by asking for the store's
// status. Reading needs a live lease; erasing too. The set survives a power cycle, the
// lease does not.

#include "basesim/basetiming.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace basesim {

class CommandTable;
struct BaseState;
struct Faults;

// Without renewal the base forgets the lease after this long.
constexpr Milliseconds kTelemetryLeaseMs = 15000;

struct TelemetryPart {
    std::string name;
    std::vector<std::uint8_t> data;
};

struct TelemetryStore {
    std::vector<TelemetryPart> parts;
    std::uint8_t tag = 0;
    std::uint32_t setsCollected = 0;
    // Erases the host asked for, successful or not.
    std::uint32_t eraseRequests = 0;
};

struct TelemetryLease {
    std::optional<Milliseconds> renewedAt;
};

// The next set the firmware collects: "electrical" longer than one reply, an empty
// "health" and a short "settings"; the tag moves on, skipping 0.
void collectTelemetrySet(TelemetryStore &store);
std::uint16_t telemetryTotal(const TelemetryStore &store);
bool telemetryLeaseLive(const BaseState &state, Milliseconds now);

// Status (takes the lease), part descriptor, read data, unlock and erase.
void addTelemetryCommands(CommandTable &table);

// The store's faults, applied to each telemetry reply as it is queued.
void applyTelemetryFaults(Faults &faults, BaseState &state, std::uint8_t *reply, std::size_t length);

} // namespace basesim
