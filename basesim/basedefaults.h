#pragma once
// What a factory-fresh base holds: default profiles, hardware settings, analog records,
// the drive's parameters and the wheels a receiver knows.

#include "basesim/basedrive.h"
#include "basesim/basesettings.h"
#include "basesim/basewireless.h"
#include "device/wire/devicemodel.h"

#include <cstdint>
#include <map>
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
// Wheels switched on near the receiver that it has not heard yet: a scan lists them.
std::vector<WirelessWheel> defaultWheelsInRange();

} // namespace basesim
