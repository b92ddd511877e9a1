#pragma once
// What one wheel sample plots as: the angle under the active range and the three pedals.

#include "device/wire/wheelsample.h"
#include "plots/plotmodel.h"

#include <array>
#include <cstdint>
#include <optional>

namespace plots {

struct PlottedWheel {
    float angle = 0.0f;
    std::array<float, kPedalCount> pedals{}; // percent; NaN for an axis the settings disable
};

// `range` is absent with an empty profile list: the angle is 0 then.
PlottedWheel plottedWheel(const wire::WheelSample &sample, std::optional<std::uint32_t> range,
                          const std::array<bool, wire::kAnalogAxes> &enabled);

} // namespace plots
