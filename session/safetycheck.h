#pragma once
// Whether settings may be applied with the wheel where it stands: a new steering range,
// end stop or bump-stop ramp must not put the wheel inside the bump stop, where the base
// would push it back with full torque at once.

#include "device/wire/profilerecord.h"

#include <cstdint>
#include <optional>

class DeviceLink;

namespace editing {

enum class ApplySafety {
    Safe,
    NearPositiveEnd, // case 1: turned right, within 5 degrees of the bump stop or beyond
    NearNegativeEnd, // case 2: the same to the left
    PositionUnknown, // no wheel position reported on this connection, or its range unknown
};

struct SafetyCheck {
    float range = 0.0f;            // R, the steering range about to be applied
    float angle = 0.0f;            // A, the wheel's real angle (measured under the running range)
    float bumpStopLocation = 0.0f; // L = R / 2 − |end stop| − ramp range
    ApplySafety verdict = ApplySafety::Safe;

    bool unsafe() const { return verdict != ApplySafety::Safe; }
};

// Margin kept between the wheel and where the bump stop begins.
constexpr float kBumpStopMarginDegrees = 5.0f;

// The raw position is what the base reported while it ran `runningRange` (0 when not
// known: the new range stands in); the bump stop is where the new range, end stop and ramp
// put it. Single precision throughout, as the wheel angle is shown. The end stop is read
// as a signed value, its magnitude taken.
SafetyCheck checkApplySafety(std::uint32_t runningRange, std::uint16_t rawPosition, std::uint32_t newRange,
                             std::uint32_t endStop, std::uint32_t rampRange);

// The wheel's real angle: the last position the base really reported, under the range it
// runs. None while this connection has seen no wheel report (during an E-stop the link
// shows a centred stand-in, which says nothing about the wheel).
std::optional<float> realWheelAngle(const DeviceLink &link);

// The check for applying `record` as the running profile, with the hardware ramp range.
SafetyCheck checkProfileSafety(const DeviceLink &link, const profDataNew &record);

// The steering range may change only with the wheel within 30 degrees of centre, so the
// new range cannot put it past an end stop at once.
constexpr float kSteeringEditHalfWindowDegrees = 30.0f;
bool steeringRangeEditAllowed(float angle);
// The same for the wheel where the base last really saw it; refused while unknown.
bool steeringRangeEditAllowed(const DeviceLink &link);

// Whether `record` may become what the base runs at once, outside the auto-apply (a view
// switch, a profile added and activated): a new steering range needs the wheel near
// centre, and the wheel must stay clear of the bump stop the record sets.
bool changesRunningRange(const DeviceLink &link, const profDataNew &record);
bool immediateApplyAllowed(const DeviceLink &link, const profDataNew &record);

} // namespace editing
