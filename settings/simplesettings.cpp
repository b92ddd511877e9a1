#include "settings/simplesettings.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace {

struct SmoothnessRow {
    const char *name;
    std::uint32_t reconFilter;
    std::uint32_t slewRate;
};

struct DampingRow {
    const char *name;
    std::uint32_t damping;
    std::uint32_t friction;
    std::uint32_t inertia;
};

constexpr std::array<SmoothnessRow, kSimpleLevelCount> kSmoothness = {{
    {QT_TRANSLATE_NOOP("SimpleSettings", "Raw"), 1, 0},
    {QT_TRANSLATE_NOOP("SimpleSettings", "Minimal"), 3, 1500},
    {QT_TRANSLATE_NOOP("SimpleSettings", "Neutral"), 5, 900},
    {QT_TRANSLATE_NOOP("SimpleSettings", "Smoother"), 6, 750},
    {QT_TRANSLATE_NOOP("SimpleSettings", "Very smooth"), 8, 500},
}};

constexpr std::array<DampingRow, kSimpleLevelCount> kDamping = {{
    {QT_TRANSLATE_NOOP("SimpleSettings", "Raw"), 40, 30, 50},
    {QT_TRANSLATE_NOOP("SimpleSettings", "Minimal damping"), 130, 100, 160},
    {QT_TRANSLATE_NOOP("SimpleSettings", "Neutral"), 220, 160, 270},
    {QT_TRANSLATE_NOOP("SimpleSettings", "More dampened"), 300, 230, 380},
    {QT_TRANSLATE_NOOP("SimpleSettings", "Very dampened"), 400, 300, 500},
}};

constexpr std::array<int, 6> kRangeDegrees = {360, 540, 720, 900, 1080, 1440};

std::size_t tableRow(std::uint8_t level) { return std::min<std::size_t>(level, kSimpleLevelCount - 1); }

QString levelName(const char *name)
{
    return name ? QCoreApplication::translate("SimpleSettings", name) : QStringLiteral("ERROR?");
}

} // namespace

SimpleSettings decodeSimpleSettings(std::uint32_t value)
{
    if (value == 0)
        value = kDefaultSimpleSettingsValue;
    SimpleSettings levels;
    levels.strength = std::uint8_t(value & 0xFF);
    levels.rangeIndex = std::uint8_t((value >> 8) & 0xFF);
    levels.smoothness = std::uint8_t((value >> 16) & 0xFF);
    levels.damping = std::uint8_t((value >> 24) & 0xFF);
    return levels;
}

std::uint32_t encodeSimpleSettings(const SimpleSettings &levels)
{
    return std::uint32_t(levels.strength) | std::uint32_t(levels.rangeIndex) << 8
         | std::uint32_t(levels.smoothness) << 16 | std::uint32_t(levels.damping) << 24;
}

SimpleSettings profileSimpleSettings(profDataNew &profile)
{
    std::uint32_t &packed = profile[ProfileParameterId::simplesettings];
    if (packed == 0)
        packed = kDefaultSimpleSettingsValue;
    return decodeSimpleSettings(packed);
}

void applySimpleSettings(profDataNew &profile)
{
    profile[ProfileParameterId::uibits] |= kUiBitSimpleMode;
    const SimpleSettings levels = profileSimpleSettings(profile);
    const std::uint32_t strength = levels.strength;

    profile[ProfileParameterId::overallstrength] = strength;
    profile[ProfileParameterId::steeringrange] = std::uint32_t(simpleRangeDegrees(levels.rangeIndex));

    const DampingRow &damping = kDamping[tableRow(levels.damping)];
    profile[ProfileParameterId::servo_damping] = damping.damping * strength / 100;
    profile[ProfileParameterId::servo_friction] = damping.friction * strength / 100;
    profile[ProfileParameterId::servo_inertia] = damping.inertia * strength / 100;

    const SmoothnessRow &smoothness = kSmoothness[tableRow(levels.smoothness)];
    profile[ProfileParameterId::servo_reconfilter1] = smoothness.reconFilter;
    profile[ProfileParameterId::slewratelimit] = smoothness.slewRate;
}

int simpleRangeDegrees(int index)
{
    if (index < 0 || index >= int(kRangeDegrees.size()))
        return 900;
    return kRangeDegrees[std::size_t(index)];
}

QString smoothnessLevelName(int level)
{
    return levelName(level >= 0 && level < kSimpleLevelCount ? kSmoothness[std::size_t(level)].name : nullptr);
}

QString dampingLevelName(int level)
{
    return levelName(level >= 0 && level < kSimpleLevelCount ? kDamping[std::size_t(level)].name : nullptr);
}
