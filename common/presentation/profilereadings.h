#pragma once
// The three profile values the status presentation reads from the active profile.

#include "device/wire/profilerecord.h"

#include <cstdint>

namespace presentation {

inline std::uint32_t overallStrengthPercent(const profDataNew &profile) { return profile.param[3]; }

inline std::uint32_t steeringRangeDegrees(const profDataNew &profile) { return profile.param[18]; }

// Simple-mode strength: byte 0 of `simplesettings` (param 26); a zero field means no simple
// levels were set yet and stands for the default strength 40. Read here so that the
// presentation needs the record only, not the settings library.
inline std::uint32_t simpleStrengthPercent(const profDataNew &profile)
{
    const std::uint32_t packed = profile.param[26];
    return packed == 0 ? 40 : (packed & 0xFF);
}

} // namespace presentation
