#pragma once
// The names the base's status bits and modes go by, for the panel's controls and read-out.

#include <QString>

#include <array>
#include <cstdint>

namespace basesim {

struct NamedBit {
    int bit;
    const char *name;
};

struct NamedMode {
    std::uint32_t mode;
    const char *text;
};

// Drive fault bits with the texts the tool lists them under; bit 0 and 16..31 have none.
extern const std::array<NamedBit, 15> kDriveFaultBits;
// Force-feedback effect types, bit per type in the loaded and playing masks.
extern const std::array<NamedBit, 13> kEffectTypes;
// Every status flag bit by its name.
extern const std::array<NamedBit, 15> kStatusFlagNames;
// The modes a base reports, as the tool shows them; 1 stands for the modes without a text.
extern const std::array<NamedMode, 19> kOperatingModes;

// "11 Operational"; modes outside the table read as "Unknown operating mode!". The drive
// update mode shows its progress, as the tool does.
QString operatingModeLabel(std::uint32_t mode, std::uint8_t driveUpdateProgress);
// Names of the set bits, space-separated, in bit order.
QString statusFlagNames(std::uint16_t flags);

} // namespace basesim
