#include "session/hardwareedits.h"

#include <algorithm>

namespace editing {

void setHardwareBit(wire::HardwareSettings &settings, HardwareId id, std::uint32_t bit, bool on)
{
    std::uint32_t &word = settings.word[id];
    word = on ? (word | bit) : (word & ~bit);
}

void setBumpStopStrength(wire::HardwareSettings &settings, int percent)
{
    settings.word[BumpStopStrengthId] = std::uint32_t(std::max(percent, 0));
    setHardwareBit(settings, OptionBitsId, kBumpStopEnabledBit, percent >= 1);
}

bool bumpStopOn(const wire::HardwareSettings &settings) { return settings.word[BumpStopStrengthId] >= 1; }

int handsOffLevel(const wire::HardwareSettings &settings)
{
    return int(settings.word[SafetyBitsId] & kHandsOffLevelMask);
}

void setHandsOffLevel(wire::HardwareSettings &settings, int level)
{
    std::uint32_t &word = settings.word[SafetyBitsId];
    word = (word & ~kHandsOffLevelMask) | (std::uint32_t(std::clamp(level, 0, 3)) & kHandsOffLevelMask);
}

} // namespace editing
