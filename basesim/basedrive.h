#pragma once
// The servo drive as the base reaches it through parameter frames, with the high-torque
// interlock. The drive keeps its parameters in its own flash; which addresses the last
// read request named, and the challenge outstanding, are lost with the power.

#include "device/wire/driveaddresses.h"
#include "device/wire/driveparameterframe.h"

#include <cstdint>
#include <map>
#include <optional>

namespace basesim {

class CommandTable;

// Drive parameter addresses with a meaning on the base's side.
namespace drive = wire::drive;

struct DriveStore {
    // Stored parameters by address; a few are read live from the base's state instead.
    std::map<std::uint16_t, std::int32_t> parameters;
};

struct DriveReadLatch {
    // Addresses of the last read request (0x97), up to its first zero address.
    wire::DriveAddresses latched{};
    bool latchedHighTorque = false;
    // Issued by a high-torque read request; one response may be tried against it.
    std::optional<std::uint32_t> challenge;
};

// Drive restart, parameter reads and writes, the high-torque interlock.
void addDriveCommands(CommandTable &table);

} // namespace basesim
