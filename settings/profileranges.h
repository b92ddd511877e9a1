#pragma once
// The values a profile parameter may take: the range the window's editor for it allows,
// in record units. Values from files are brought into these ranges before they reach the
// base, so a stray "-1" cannot become a steering range of 4,294,967,295 degrees.

#include "settings/datastoredefs.h"

#include <cstdint>
#include <optional>

namespace profiles {

struct ParameterRange {
    std::uint32_t minimum;
    std::uint32_t maximum;
};

// The editor's range of a plain parameter, or nothing for a parameter that is packed
// (`servo_peakingnotchfilter`, `simplesettings`) or has no editor of its own
// (`filteringModes`, `uibits`, the unnamed words).
std::optional<ParameterRange> editorRange(ProfileParameterId id);

// `value` brought into what the editor can store: plain parameters clamped to their range
// (`slewratelimit` also to `slewRateLimitMax`, 0 meaning "no limit"), the notch filter
// word without the bits its boxes never set, each simple-mode level within its slider
// (0, "never set", stays 0); parameters without an editor unchanged.
std::uint32_t clampToEditorRange(ProfileParameterId id, std::uint32_t value, int slewRateLimitMax);

} // namespace profiles
