#pragma once
// Whether settings may be applied with the wheel where it stands: a new steering range,
// end stop or bump-stop ramp must not put the wheel inside the bump stop, where the base
// would push it back with full torque at once.

#include <cstdint>

namespace editing {

enum class ApplySafety {
    Safe,
    NearPositiveEnd, // case 1: turned right, within 5 degrees of the bump stop or beyond
    NearNegativeEnd, // case 2: the same to the left
};

struct SafetyCheck {
    float range = 0.0f;            // R, the profile's steering range
    float angle = 0.0f;            // A, the wheel's angle under that range
    float bumpStopLocation = 0.0f; // L = R / 2 − |end stop| − ramp range
    ApplySafety verdict = ApplySafety::Safe;

    bool unsafe() const { return verdict != ApplySafety::Safe; }
};

// Margin kept between the wheel and where the bump stop begins.
constexpr float kBumpStopMarginDegrees = 5.0f;

// Single precision throughout, as the wheel angle is shown. The end stop is read as a
// signed value, its magnitude taken.
SafetyCheck checkApplySafety(std::uint32_t steeringRange, std::uint16_t rawPosition, std::uint32_t endStop,
                             std::uint32_t rampRange);

// The steering range may change only with the wheel within 30 degrees of centre, so the
// new range cannot put it past an end stop at once.
constexpr float kSteeringEditHalfWindowDegrees = 30.0f;
bool steeringRangeEditAllowed(float angle);

} // namespace editing
