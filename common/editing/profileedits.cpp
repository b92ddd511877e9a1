#include "common/editing/profileedits.h"

#include "settings/simplesettings.h"

#include <algorithm>

namespace editing {

namespace {

using Id = ProfileParameterId;

std::uint8_t levelByte(int level) { return std::uint8_t(std::clamp(level, 0, 255)); }

void storeLevels(profDataNew &profile, const SimpleSettings &levels)
{
    profile[Id::simplesettings] = encodeSimpleSettings(levels);
}

void limitEndStop(profDataNew &profile, std::uint32_t rampRange)
{
    std::uint32_t &endStop = profile[Id::bumbstoprange];
    endStop = std::min(endStop, endStopLimit(profile[Id::steeringrange], rampRange));
}

} // namespace

std::uint32_t endStopLimit(std::uint32_t steeringRange, std::uint32_t rampRange)
{
    const std::int64_t limit = std::int64_t(steeringRange / 2) - std::int64_t(rampRange);
    return limit < 0 ? 0 : std::uint32_t(limit);
}

bool setOverallStrength(profDataNew &profile, std::uint32_t percent)
{
    if (profile[Id::overallstrength] == percent)
        return false;
    profile[Id::overallstrength] = percent;
    // Decoded first, so a profile that never had simple levels keeps the default ones.
    SimpleSettings levels = profileSimpleSettings(profile);
    levels.strength = levelByte(int(percent));
    storeLevels(profile, levels);
    if (profile.isSimpleMode())
        applySimpleSettings(profile);
    return true;
}

void setSimpleRangeIndex(profDataNew &profile, int index, std::uint32_t rampRange)
{
    SimpleSettings levels = profileSimpleSettings(profile);
    levels.rangeIndex = levelByte(index);
    storeLevels(profile, levels);
    profile[Id::steeringrange] = std::uint32_t(simpleRangeDegrees(index));
    limitEndStop(profile, rampRange);
}

void setSimpleSmoothness(profDataNew &profile, int level)
{
    SimpleSettings levels = profileSimpleSettings(profile);
    levels.smoothness = levelByte(level);
    storeLevels(profile, levels);
    applySimpleSettings(profile);
}

void setSimpleDamping(profDataNew &profile, int level)
{
    SimpleSettings levels = profileSimpleSettings(profile);
    levels.damping = levelByte(level);
    storeLevels(profile, levels);
    applySimpleSettings(profile);
}

std::uint32_t setEndStop(profDataNew &profile, std::uint32_t requested, std::uint32_t rampRange)
{
    const std::uint32_t stored = std::min(requested, endStopLimit(profile[Id::steeringrange], rampRange));
    profile[Id::bumbstoprange] = stored;
    return stored;
}

bool setSteeringRange(profDataNew &profile, std::uint32_t degrees, std::uint32_t rampRange)
{
    if (profile[Id::steeringrange] == degrees)
        return false;
    profile[Id::steeringrange] = degrees;
    limitEndStop(profile, rampRange);
    return true;
}

void enterAdvancedMode(profDataNew &profile) { profile[Id::uibits] &= ~kUiBitSimpleMode; }

void enterSimpleMode(profDataNew &profile) { applySimpleSettings(profile); }

} // namespace editing
