#pragma once
// The three models of the base and the USB ids they enumerate under. Shared by the link,
// which probes for them, and by the virtual base, which answers as one of them.

#include <cstdint>

enum DeviceModel : std::uint32_t { ModelArdex = 0, ModelBrivo = 1, ModelCendra = 2 };

constexpr std::uint16_t kVeltraneVendorId = 5840;        // 0x16D0
constexpr std::uint16_t kProductIdUpdateMode = 0x0D5E;   // bootloader of any model
constexpr std::uint16_t kProductIdCendra = 0x0D5F;
constexpr std::uint16_t kProductIdBrivo = 0x0D60;
constexpr std::uint16_t kProductIdArdex = 0x0D61;

// Upper limit of the slew-rate control for a model.
constexpr int slewRateMaximumOf(std::uint32_t modelIndex)
{
    switch (modelIndex) {
    case ModelBrivo:
        return 8000;
    case ModelCendra:
        return 9500;
    default:
        return 4800;
    }
}

// Only the Cendra has the extra filters, and only its profile files carry them.
constexpr bool modelHasExtendedParameters(std::uint32_t modelIndex) { return modelIndex == ModelCendra; }
