#include "settings/profileinikeys.h"

namespace profiles {

namespace {
using Id = ProfileParameterId;
using T = ParameterTransform;

// The missing-key texts deliberately differ from the record defaults for the friction
// and damping gains (100, not 15) and `simplesettings` (10): files written by older
// tools rely on them.
constexpr std::array<ProfileIniKey, kProfileIniKeyCount> kKeys = {{
    {Id::dxsinegain, "100", T::Identity},
    {Id::dxsquaregain, "100", T::Identity},
    {Id::overallstrength, nullptr, T::Identity},
    {Id::dxspringgain, "100", T::Identity},
    {Id::dxfrictiongain, "100", T::Identity},
    {Id::dxdampinggain, "100", T::Identity},
    {Id::dxinertiagain, "100", T::Identity},
    {Id::bumbstoprange, nullptr, T::Identity},
    {Id::servo_torquebandwidth, nullptr, T::Identity},
    {Id::servo_peakingnotchfilter, nullptr, T::Identity},
    {Id::servo_damping, nullptr, T::Identity},
    {Id::servo_friction, nullptr, T::Identity},
    {Id::servo_inertia, nullptr, T::Identity},
    {Id::servo_reconfilter1, nullptr, T::Identity},
    {Id::filteringModes, nullptr, T::Identity},
    {Id::dxsawtoothgain, "100", T::Identity},
    {Id::dxtrianglegain, "100", T::Identity},
    {Id::steeringrange, nullptr, T::Identity},
    {Id::staticforcereduction, nullptr, T::Identity},
    {Id::ultralowlatency, nullptr, T::Identity},
    {Id::slewratelimit, nullptr, T::Clamp},
    {Id::staticforcereductionspeed, nullptr, T::RangeGated},
    {Id::gamma, nullptr, T::RangeGated},
    {Id::centerdamping, nullptr, T::ModelGated},
    {Id::centerdampinganglespan, nullptr, T::ModelGated},
    {Id::simplesettings, "10", T::Identity},
    {Id::uibits, "0", T::Identity},
}};
} // namespace

const std::array<ProfileIniKey, kProfileIniKeyCount> &profileIniKeys() { return kKeys; }

std::uint32_t applyTransform(ParameterTransform transform, std::uint32_t value, std::uint32_t defaultValue,
                             bool extendedParameters, int slewRateLimitMax)
{
    switch (transform) {
    case ParameterTransform::Identity:
        return value;
    case ParameterTransform::Clamp: {
        // Compared unsigned, so a negative number from a file cannot slip under the limit.
        const std::uint32_t limit = slewRateLimitMax < 0 ? 0u : std::uint32_t(slewRateLimitMax);
        return value > limit ? limit : value;
    }
    case ParameterTransform::RangeGated:
        return extendedParameters && value >= 500 && value <= 2000 ? value : defaultValue;
    case ParameterTransform::ModelGated:
        return extendedParameters ? value : defaultValue;
    }
    return value;
}

} // namespace profiles
