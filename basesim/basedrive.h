#pragma once
// The servo drive as the base reaches it through parameter frames, with the high-torque
// interlock. The drive keeps its parameters in its own flash; which addresses the last
// read request named, and the challenge outstanding, are lost with the power.

#include "device/wire/driveparameterframe.h"

#include <cstdint>
#include <map>
#include <optional>

namespace basesim {

class CommandTable;

// Drive parameter addresses with a meaning on the base's side.
namespace drive {
constexpr std::uint16_t MaximumPower = 411;
constexpr std::uint16_t CommutationInitSource = 484;
constexpr std::uint16_t CommutationOffset = 485;
constexpr std::uint16_t FaultActive = 552;
constexpr std::uint16_t StatusWord = 553;
constexpr std::uint16_t SaveAndRestart = 554;
constexpr std::uint16_t SerialNumber = 6002;
constexpr std::uint16_t UniqueId = 6003;
constexpr std::uint16_t FaultLocation = 8110;
constexpr std::int32_t StatusEstopBit = 0x80;
constexpr std::int32_t InitSourceAbsoluteEncoder = 3;
} // namespace drive

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
