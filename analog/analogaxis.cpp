#include "analog/analogaxis.h"

namespace analog {

namespace {
bool inverted(const wire::AnalogSettings &record, int axis) { return record.field(axis, wire::AnalogInvert) != 0; }
} // namespace

int calibratedValue(int raw, std::uint32_t min, std::uint32_t max, bool invert)
{
    int value;
    if (max == min) {
        value = double(raw) > double(min) ? kAnalogFullScale : 0;
    } else {
        const double v = (double(raw) - double(min)) * kAnalogFullScale / (double(max) - double(min));
        if (v < 0)
            value = 0;
        else if (v > kAnalogFullScale)
            value = kAnalogFullScale;
        else
            value = int(v);
    }
    return invert ? kAnalogFullScale - value : value;
}

DeadZones deadZones(const wire::AnalogSettings &record, int axis)
{
    const std::int64_t min = record.field(axis, wire::AnalogMin);
    const std::int64_t max = record.field(axis, wire::AnalogMax);
    if (inverted(record, axis))
        return {kAnalogFullScale - max, min};
    return {min, kAnalogFullScale - max};
}

void setLowDeadZone(wire::AnalogSettings &record, int axis, std::uint32_t deadZone)
{
    if (inverted(record, axis))
        record.field(axis, wire::AnalogMax) = std::uint32_t(kAnalogFullScale) - deadZone;
    else
        record.field(axis, wire::AnalogMin) = deadZone;
}

void setHighDeadZone(wire::AnalogSettings &record, int axis, std::uint32_t deadZone)
{
    if (inverted(record, axis))
        record.field(axis, wire::AnalogMin) = deadZone;
    else
        record.field(axis, wire::AnalogMax) = std::uint32_t(kAnalogFullScale) - deadZone;
}

void resetAxis(wire::AnalogSettings &record, int axis)
{
    record.field(axis, wire::AnalogPin) = 0;
    record.field(axis, wire::AnalogInvert) = 0;
    record.field(axis, wire::AnalogMin) = kResetMin;
    record.field(axis, wire::AnalogMax) = kResetMax;
}

} // namespace analog
