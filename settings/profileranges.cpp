#include "settings/profileranges.h"

#include <algorithm>
#include <array>

namespace profiles {

namespace {
using Id = ProfileParameterId;

struct RangeRow {
    Id id;
    ParameterRange range;
};

// The editors' ranges as the profile pages set them; the drive sliders move in percent
// and store tenths, the static force reduction stores hundredths up to 70 %.
constexpr std::array<RangeRow, 22> kRanges = {{
    {Id::dxsinegain, {0, 200}},
    {Id::dxsquaregain, {0, 200}},
    {Id::dxspringgain, {0, 200}},
    {Id::dxfrictiongain, {0, 200}},
    {Id::dxdampinggain, {0, 200}},
    // No slider of its own; kept within the range of its sibling gains.
    {Id::dxinertiagain, {0, 200}},
    {Id::dxsawtoothgain, {0, 200}},
    {Id::dxtrianglegain, {0, 200}},
    // The simple view's slider starts at 1 %, the advanced one at 10 %.
    {Id::overallstrength, {1, 100}},
    {Id::bumbstoprange, {0, 1080}},
    {Id::servo_torquebandwidth, {0, 11}},
    {Id::servo_damping, {0, 1000}},
    {Id::servo_friction, {0, 1000}},
    {Id::servo_inertia, {0, 1000}},
    {Id::servo_reconfilter1, {0, 10}},
    {Id::steeringrange, {40, 2160}},
    {Id::staticforcereduction, {0, 7000}},
    {Id::staticforcereductionspeed, {500, 2000}},
    {Id::gamma, {500, 2000}},
    {Id::centerdamping, {0, 1000}},
    {Id::centerdampinganglespan, {0, 100}},
    {Id::ultralowlatency, {0, 20}},
}};

constexpr std::uint32_t kSlewRateMinimum = 100;
// Attenuation and Q a byte each, the centre frequency 12 bits; bits 28..31 stay zero.
constexpr std::uint32_t kNotchFilterBits = 0x0FFFFFFF;

// Per byte of `simplesettings`: strength, range index, smoothness, damping.
constexpr std::array<std::uint32_t, 4> kSimpleLevelMaximum = {100, 5, 4, 4};

std::uint32_t clampSimpleSettings(std::uint32_t value)
{
    std::uint32_t result = 0;
    for (std::size_t i = 0; i < kSimpleLevelMaximum.size(); ++i) {
        const std::uint32_t level = std::min((value >> (8 * i)) & 0xFF, kSimpleLevelMaximum[i]);
        result |= level << (8 * i);
    }
    return result;
}
} // namespace

std::optional<ParameterRange> editorRange(ProfileParameterId id)
{
    for (const RangeRow &row : kRanges)
        if (row.id == id)
            return row.range;
    return std::nullopt;
}

std::uint32_t clampToEditorRange(ProfileParameterId id, std::uint32_t value, int slewRateLimitMax)
{
    switch (id) {
    case Id::slewratelimit: {
        if (value == 0)
            return 0; // no limit
        const std::uint32_t limit = slewRateLimitMax < int(kSlewRateMinimum) ? kSlewRateMinimum
                                                                            : std::uint32_t(slewRateLimitMax);
        return std::clamp(value, kSlewRateMinimum, limit);
    }
    case Id::servo_peakingnotchfilter:
        return value & kNotchFilterBits;
    case Id::simplesettings:
        return clampSimpleSettings(value);
    default:
        break;
    }
    if (const std::optional<ParameterRange> range = editorRange(id))
        return std::clamp(value, range->minimum, range->maximum);
    return value;
}

} // namespace profiles
