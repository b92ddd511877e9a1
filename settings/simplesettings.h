#pragma once
// Simple mode: four levels packed into `simplesettings`, from which the advanced
// drive parameters of a profile are derived.

#include "settings/datastoredefs.h"

#include <QString>

#include <cstdint>

struct SimpleSettings {
    std::uint8_t strength = 40;  // percent, 1..100
    std::uint8_t rangeIndex = 3; // 0..5, see simpleRangeDegrees
    std::uint8_t smoothness = 2; // 0..4
    std::uint8_t damping = 2;    // 0..4
};

// The packing a profile gets when it had no simple levels yet (40 %, 900°, neutral, neutral).
constexpr std::uint32_t kDefaultSimpleSettingsValue = 33686312;
constexpr int kSimpleLevelCount = 5;

// Byte 0 strength, byte 1 range index, byte 2 smoothness, byte 3 damping. The value 0
// means "never set" and decodes to the default levels.
SimpleSettings decodeSimpleSettings(std::uint32_t value);
std::uint32_t encodeSimpleSettings(const SimpleSettings &levels);

// Decodes the profile's levels; a zero field first gets the default packing written back.
SimpleSettings profileSimpleSettings(profDataNew &profile);

// Marks the profile as simple-mode and derives strength, steering range, drive damping,
// friction, inertia, reconstruction filter and slew rate from its levels. Smoothness and
// damping levels above the tables (only possible from files) use the last row.
void applySimpleSettings(profDataNew &profile);

// 0 → 360, 1 → 540, 2 → 720, 3 → 900, 4 → 1080, 5 → 1440; any other index → 900.
int simpleRangeDegrees(int index);

// Level names as shown; "ERROR?" outside 0..4.
QString smoothnessLevelName(int level);
QString dampingLevelName(int level);
