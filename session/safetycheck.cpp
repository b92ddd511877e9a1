#include "session/safetycheck.h"

#include "device/devicelink.h"
#include "device/wire/wheelsample.h"
#include "session/hardwareedits.h"

#include <cstdlib>

namespace editing {

SafetyCheck checkApplySafety(std::uint32_t runningRange, std::uint16_t rawPosition, std::uint32_t newRange,
                             std::uint32_t endStop, std::uint32_t rampRange)
{
    SafetyCheck check;
    check.range = float(newRange);
    check.angle = wire::wheelAngle(runningRange != 0 ? runningRange : newRange, rawPosition);
    const float endStopDegrees = float(std::llabs(static_cast<long long>(static_cast<std::int32_t>(endStop))));
    const float ramp = float(rampRange);
    check.bumpStopLocation = check.range * 0.5f - endStopDegrees - ramp;

    if (check.angle > 0.0f && check.angle > check.bumpStopLocation - kBumpStopMarginDegrees)
        check.verdict = ApplySafety::NearPositiveEnd;
    else if (check.angle < -check.range * 0.5f + endStopDegrees + ramp + kBumpStopMarginDegrees)
        check.verdict = ApplySafety::NearNegativeEnd;
    return check;
}

std::optional<float> realWheelAngle(const DeviceLink &link)
{
    if (!link.measuredWheelPosition() || link.runningSteeringRange() == 0)
        return std::nullopt;
    return wire::wheelAngle(link.runningSteeringRange(), *link.measuredWheelPosition());
}

SafetyCheck checkProfileSafety(const DeviceLink &link, const profDataNew &record)
{
    const std::uint32_t newRange = record[ProfileParameterId::steeringrange];
    if (!link.measuredWheelPosition() || link.runningSteeringRange() == 0) {
        SafetyCheck unknown;
        unknown.range = float(newRange);
        unknown.verdict = ApplySafety::PositionUnknown;
        return unknown;
    }
    return checkApplySafety(link.runningSteeringRange(), *link.measuredWheelPosition(), newRange,
                            record[ProfileParameterId::bumbstoprange],
                            hardwareWord(link.hardwareSettings(), BumpStopRampRangeId));
}

bool steeringRangeEditAllowed(float angle)
{
    return angle >= -kSteeringEditHalfWindowDegrees && angle <= kSteeringEditHalfWindowDegrees;
}

bool steeringRangeEditAllowed(const DeviceLink &link)
{
    const std::optional<float> angle = realWheelAngle(link);
    return angle && steeringRangeEditAllowed(*angle);
}

bool changesRunningRange(const DeviceLink &link, const profDataNew &record)
{
    return record[ProfileParameterId::steeringrange] != link.runningSteeringRange();
}

bool immediateApplyAllowed(const DeviceLink &link, const profDataNew &record)
{
    if (changesRunningRange(link, record) && !steeringRangeEditAllowed(link))
        return false;
    return !checkProfileSafety(link, record).unsafe();
}

} // namespace editing
