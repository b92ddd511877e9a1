#include "session/safetycheck.h"

#include "device/wire/wheelsample.h"

#include <cstdlib>

namespace editing {

SafetyCheck checkApplySafety(std::uint32_t steeringRange, std::uint16_t rawPosition, std::uint32_t endStop,
                             std::uint32_t rampRange)
{
    SafetyCheck check;
    check.range = float(steeringRange);
    check.angle = wire::wheelAngle(steeringRange, rawPosition);
    const float endStopDegrees = float(std::llabs(static_cast<long long>(static_cast<std::int32_t>(endStop))));
    const float ramp = float(rampRange);
    check.bumpStopLocation = check.range * 0.5f - endStopDegrees - ramp;

    if (check.angle > 0.0f && check.angle > check.bumpStopLocation - kBumpStopMarginDegrees)
        check.verdict = ApplySafety::NearPositiveEnd;
    else if (check.angle < -check.range * 0.5f + endStopDegrees + ramp + kBumpStopMarginDegrees)
        check.verdict = ApplySafety::NearNegativeEnd;
    return check;
}

bool steeringRangeEditAllowed(float angle)
{
    return angle >= -kSteeringEditHalfWindowDegrees && angle <= kSteeringEditHalfWindowDegrees;
}

} // namespace editing
