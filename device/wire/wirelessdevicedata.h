#pragma once
// What the base reports about one wireless wheel (reply packet type 0x86), kept as the
// 51 reply bytes so fields the tool does not interpret travel unchanged.

#include "device/wire/frames.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace wire {

constexpr std::size_t kWirelessDeviceDataSize = 51;   // reply bytes 0..50
constexpr std::size_t kWirelessMacOffset = 6;
constexpr std::size_t kWirelessMacSize = 6;
constexpr std::size_t kWirelessNameOffset = 14;
constexpr std::size_t kWirelessNameSize = 32;
constexpr std::size_t kWirelessSignalOffset = 46;
constexpr std::size_t kWirelessNameLengthOffset = 48;
constexpr std::size_t kWirelessBatteryOffset = 49;
constexpr std::size_t kWirelessQualityOffset = 50;
// The name field holds the terminating NUL too.
constexpr std::size_t kWirelessNameMaxLength = kWirelessNameSize - 1;

using MacAddress = std::array<std::uint8_t, kWirelessMacSize>;

struct WirelessDeviceData {
    std::array<std::uint8_t, kWirelessDeviceDataSize> bytes{};

    MacAddress mac() const;
    // The name as reported: its first `nameLength` bytes, ending earlier at a NUL, never
    // past the 32-byte field.
    std::string name() const;
    std::int8_t signalStrength() const { return static_cast<std::int8_t>(bytes[kWirelessSignalOffset]); }
    // As reported, also when it exceeds the field.
    std::uint8_t nameLength() const { return bytes[kWirelessNameLengthOffset]; }
    std::uint8_t batteryRaw() const { return bytes[kWirelessBatteryOffset]; }
    std::uint8_t connectionQuality() const { return bytes[kWirelessQualityOffset]; }
};

// Copies reply bytes 0..50 and writes a NUL at 14 + name length; a length above 31 puts
// the NUL at the field's last byte instead, so it never lands outside the name.
WirelessDeviceData decodeWirelessDeviceData(const std::uint8_t *reply, std::size_t length);

// The base's record for one wheel; a name longer than 31 bytes is cut.
ReplyBuffer encodeWirelessDeviceData(const MacAddress &mac, const std::string &name, std::int8_t signalStrength,
                                     std::uint8_t batteryRaw, std::uint8_t connectionQuality);
// The record of no wheel: only report id and packet type.
ReplyBuffer emptyWirelessDeviceData();

} // namespace wire
