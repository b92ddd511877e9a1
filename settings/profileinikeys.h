#pragma once
// The keys of one profile in a profile INI file, in the order they are written and read,
// with the text used for a missing key and the rule that adapts a value to the base.

#include "settings/datastoredefs.h"

#include <array>
#include <cstdint>

namespace profiles {

enum class ParameterTransform {
    Identity,
    Clamp,       // `slewratelimit`: at most the model's slew-rate maximum
    RangeGated,  // Cendra only, and only 500..2000; otherwise the default
    ModelGated,  // Cendra only; otherwise the default
};

struct ProfileIniKey {
    ProfileParameterId id;
    const char *defaultText; // nullptr: a missing key takes the value of `defaultProfile`
    ParameterTransform transform;
};

constexpr int kProfileIniKeyCount = 27;
const std::array<ProfileIniKey, kProfileIniKeyCount> &profileIniKeys();

// `defaultValue` is the parameter's value in `defaultProfile`.
std::uint32_t applyTransform(ParameterTransform transform, std::uint32_t value, std::uint32_t defaultValue,
                             bool extendedParameters, int slewRateLimitMax);

} // namespace profiles
