#pragma once
// What a factory-fresh base holds: default profiles, hardware settings, analog records,
// the drive's parameters and the wheels a receiver knows.

#include "basestate.h"

#include <cstdint>
#include <vector>

namespace basesim {

// Index 0 is the read-only safe profile; later slots are named by number.
ProfileRecord defaultProfile(std::size_t index);
// What a slot holds after a count change created it: defaults named "New Profile".
ProfileRecord newProfile();

wire::HardwareSettings defaultHardwareSettings(DeviceModel model);
wire::AnalogSettings defaultAnalogSettings(std::size_t index);
SettingsStore factorySettings(DeviceModel model, std::uint16_t profileCount, std::uint16_t defaultProfileIndex);

std::map<std::uint16_t, std::int32_t> defaultDriveParameters(DeviceModel model);
std::vector<WirelessWheel> defaultWirelessWheels();

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

} // namespace basesim
