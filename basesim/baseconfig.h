#pragma once
// How a virtual base starts: which model, which firmware, which profiles, and where
// in its life (powering up, already running, sitting in its bootloader, unplugged).

#include "device/wire/devicemodel.h"

#include <cstdint>

namespace basesim {

constexpr std::uint16_t kDefaultDriveFirmwareVersion = 4210;

struct BaseConfig {
    DeviceModel model = ModelCendra;
    std::uint8_t firmwareMajor = 1;
    std::uint8_t firmwareMinor = 0;
    std::uint8_t firmwarePatch = 15;
    std::uint16_t driveFirmwareVersion = kDefaultDriveFirmwareVersion;
    std::uint16_t profileCount = 5;
    std::uint16_t activeProfile = 0;
    std::uint16_t defaultProfile = 0;
    // False: the base is switched on when constructed and runs its boot sequence.
    bool startOperational = false;
    bool plugged = true;
    bool inBootloader = false;
    // A wireless receiver sits in its socket.
    bool wirelessReceiver = false;
    // Its wheels' signal, link quality and battery wander across the warning levels.
    bool wirelessWheelsDrift = false;
};

// Product id under which a model enumerates in normal mode; 0 for an unknown model.
std::uint16_t productIdOf(DeviceModel model);

} // namespace basesim
