#pragma once
// Servo drive parameters with a meaning to the tool and the base, by address, and the
// values of theirs that the encoder procedure reads and writes.

#include <cstdint>

namespace wire::drive {

constexpr std::uint16_t MaximumPower = 411;
constexpr std::uint16_t CommutationInitSource = 484;
constexpr std::uint16_t CommutationOffset = 485;
constexpr std::uint16_t FaultActive = 552;
constexpr std::uint16_t StatusWord = 553;
constexpr std::uint16_t SaveAndRestart = 554;
constexpr std::uint16_t SerialNumber = 6002;
constexpr std::uint16_t UniqueId = 6003;
constexpr std::uint16_t FaultLocation = 8110;

constexpr std::int32_t kStatusWordEstopBit = 0x80;
constexpr std::int32_t kInitSourceNone = 0;
constexpr std::int32_t kInitSourceAbsoluteEncoder = 3;

} // namespace wire::drive
