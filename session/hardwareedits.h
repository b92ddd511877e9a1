#pragma once
// The hardware settings the window edits, by field id and bit, and the edits that touch
// more than one word.

#include "device/wire/settingsrecords.h"

#include <cstdint>

namespace editing {

enum HardwareId : std::size_t {
    EncoderCountsId = 1,
    DesktopCenteringId = 3,
    BumpStopDampingId = 6,
    BumpStopRampRangeId = 7, // degrees before the end of the steering range
    BumpStopStrengthId = 8,
    PeakCurrentId = 10,      // mA
    OptionBitsId = 14,
    SafetyBitsId = 20,
};

// Bits of OptionBitsId.
constexpr std::uint32_t kBumpStopEnabledBit = 1u << 1;
constexpr std::uint32_t kAudibleBeepsBit = 1u << 4;
constexpr std::uint32_t kUsbRecoveryBit = 1u << 5;
constexpr std::uint32_t kUsbSuspendBit = 1u << 6;
// Bits of SafetyBitsId.
constexpr std::uint32_t kHandsOffLevelMask = 0x3;
constexpr std::uint32_t kTorqueClippingBit = 1u << 2;
constexpr std::uint32_t kResonanceReductionBit = 1u << 3;

inline std::uint32_t hardwareWord(const wire::HardwareSettings &settings, HardwareId id)
{
    return settings.word[id];
}
inline bool hardwareBit(const wire::HardwareSettings &settings, HardwareId id, std::uint32_t bit)
{
    return (settings.word[id] & bit) != 0;
}
void setHardwareBit(wire::HardwareSettings &settings, HardwareId id, std::uint32_t bit, bool on);

// A strength below 1 switches the bump stop off; any other switches it on.
void setBumpStopStrength(wire::HardwareSettings &settings, int percent);
bool bumpStopOn(const wire::HardwareSettings &settings);

int handsOffLevel(const wire::HardwareSettings &settings);
void setHandsOffLevel(wire::HardwareSettings &settings, int level);

} // namespace editing
