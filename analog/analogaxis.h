#pragma once
// One analog axis of an AnalogSettings record as the user sees it: the calibrated output
// of a raw reading, and the two dead zones that stand for `min` and `max`.

#include "device/wire/settingsrecords.h"

#include <cstdint>

namespace analog {

constexpr int kAnalogFullScale = 65535;
constexpr std::uint32_t kResetMin = 100;
constexpr std::uint32_t kResetMax = 65435;

// (raw − min) × 65535 / (max − min), limited to 0..65535, fraction dropped, mirrored
// when inverted. With max equal to min the axis is a switch at min: raw above min is
// full scale, raw at or below it is zero (mirrored when inverted).
int calibratedValue(int raw, std::uint32_t min, std::uint32_t max, bool invert);

// Normal axis: low = min, high = 65535 − max. Inverted: the two swap roles.
struct DeadZones {
    std::int64_t low = 0;
    std::int64_t high = 0;
};
DeadZones deadZones(const wire::AnalogSettings &record, int axis);
void setLowDeadZone(wire::AnalogSettings &record, int axis, std::uint32_t deadZone);
void setHighDeadZone(wire::AnalogSettings &record, int axis, std::uint32_t deadZone);

// Not configured, not inverted, a dead zone of 100 at each end; other words unchanged.
void resetAxis(wire::AnalogSettings &record, int axis);

} // namespace analog
