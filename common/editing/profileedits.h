#pragma once
// Edits of a profile record that do more than store one value: the simple levels and
// what they derive, the overall strength both views share, the steering range and the
// end stop that must stay inside it, and the switch between the two views.

#include "settings/datastoredefs.h"

#include <cstdint>

namespace editing {

// Largest `bumbstoprange`: steeringrange / 2 (whole degrees) − the bump-stop ramp range,
// and 0 when the ramp alone is wider than half the range.
std::uint32_t endStopLimit(std::uint32_t steeringRange, std::uint32_t rampRange);

// `overallstrength` and byte 0 of `simplesettings`; a simple-mode profile derives its
// drive values again. False, and nothing written, when the strength is already stored.
bool setOverallStrength(profDataNew &profile, std::uint32_t percent);

// Byte 1 of `simplesettings` and the `steeringrange` of its table; the end stop is
// kept inside the new range as after any range change.
void setSimpleRangeIndex(profDataNew &profile, int index, std::uint32_t rampRange);
// Bytes 2 and 3; both derive the advanced values again.
void setSimpleSmoothness(profDataNew &profile, int level);
void setSimpleDamping(profDataNew &profile, int level);

// Stores the requested end stop, or the limit when it lies beyond; returns what was stored.
std::uint32_t setEndStop(profDataNew &profile, std::uint32_t requested, std::uint32_t rampRange);

// Stores the range and limits the end stop to it; false when the range was already stored.
bool setSteeringRange(profDataNew &profile, std::uint32_t degrees, std::uint32_t rampRange);

// The advanced view edits the parameters directly; the simple view derives them again
// from its levels, overwriting what the advanced view set.
void enterAdvancedMode(profDataNew &profile);
void enterSimpleMode(profDataNew &profile);

} // namespace editing
