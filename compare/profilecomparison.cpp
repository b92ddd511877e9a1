#include "compare/profilecomparison.h"

#include "settings/profilename.h"
#include "settings/simplesettings.h"
#include "common/editing/controlvalues.h"
#include "common/editing/notchfilter.h"
#include "common/editing/profileedits.h"

#include <QCoreApplication>

#include <array>

namespace compare {

namespace {

using Id = ProfileParameterId;

QString tr(const char *text) { return QCoreApplication::translate("ProfileCompare", text); }

QString torqueBandwidthText(std::uint32_t index)
{
    static constexpr std::array<const char *, 12> choices = {"100 Hz",  "150 Hz",  "220 Hz",  "330 Hz",
                                                             "470 Hz",  "680 Hz",  "1000 Hz", "1500 Hz",
                                                             "2200 Hz", "3300 Hz", "4700 Hz", "Unlimited"};
    return index < choices.size() ? tr(choices[index]) : QString::number(index);
}

QString reconstructionFilterText(std::uint32_t level)
{
    if (level == 0)
        return tr("Off");
    if (level == 1)
        return tr("1 Minimum, \"fast\"");
    if (level == 10)
        return tr("10 Maximum, \"slow\"");
    return QString::number(level);
}

QString notchText(std::uint32_t packed)
{
    const editing::NotchCodes codes = editing::unpackNotchFilter(packed);
    const double hertz = editing::centreHertz(codes.centre);
    if (!editing::notchShapeEditable(codes.centre))
        return tr("Off (%1 Hz)").arg(hertz, 0, 'f', 1);
    return tr("%1 Hz, Q %2, %3 dB")
        .arg(hertz, 0, 'f', 1)
        .arg(editing::qFactor(codes.q), 0, 'f', 1)
        .arg(editing::attenuationDecibels(codes.attenuation), 0, 'f', 1);
}

QString simpleLevelsText(std::uint32_t packed)
{
    const SimpleSettings levels = decodeSimpleSettings(packed);
    return tr("%1, %2, %3, %4")
        .arg(editing::percentText(levels.strength), editing::simpleRangeText(levels.rangeIndex),
             smoothnessLevelName(levels.smoothness), dampingLevelName(levels.damping));
}

struct RowName {
    Id id;
    const char *label;
};

// Editor order: the general settings, the drive side, the game's effects, the simple levels.
constexpr RowName kRows[] = {
    {Id::overallstrength, "Overall strength"},
    {Id::steeringrange, "Steering range"},
    {Id::bumbstoprange, "End stop"},
    {Id::servo_torquebandwidth, "Torque bandwidth"},
    {Id::servo_reconfilter1, "Reconstruction filter"},
    {Id::servo_damping, "Damping"},
    {Id::servo_friction, "Friction"},
    {Id::servo_inertia, "Inertia"},
    {Id::staticforcereduction, "Static force reduction"},
    {Id::staticforcereductionspeed, "Static force reduction speed"},
    {Id::slewratelimit, "Slew rate limit"},
    {Id::gamma, "Gamma"},
    {Id::centerdamping, "Centre damping"},
    {Id::centerdampinganglespan, "Centre damping span"},
    {Id::ultralowlatency, "Ultra-low latency"},
    {Id::servo_peakingnotchfilter, "Notch filter"},
    {Id::dxsinegain, "Sine"},
    {Id::dxsquaregain, "Square"},
    {Id::dxtrianglegain, "Triangle"},
    {Id::dxsawtoothgain, "Sawtooth"},
    {Id::dxspringgain, "Spring"},
    {Id::dxfrictiongain, "Friction effect"},
    {Id::dxdampinggain, "Damper effect"},
    {Id::dxinertiagain, "Inertia effect"},
    {Id::filteringModes, "Filtering modes"},
    {Id::simplesettings, "Simple levels"},
    {Id::uibits, "View"},
};

} // namespace

std::vector<int> comparedRowIds()
{
    std::vector<int> ids{kNameRow};
    for (const RowName &row : kRows)
        ids.push_back(int(row.id));
    return ids;
}

QString rowLabel(int id)
{
    if (id == kNameRow)
        return tr("Name");
    for (const RowName &row : kRows) {
        if (int(row.id) == id)
            return QStringLiteral("%1 (%2)").arg(tr(row.label), QLatin1String(profileParameterName(id)));
    }
    return QString::fromLatin1(profileParameterName(id));
}

QString valueText(int id, const profDataNew &profile, int slewRateMaximum)
{
    if (id == kNameRow)
        return profileName(profile);
    const std::uint32_t v = profile.param[std::size_t(id)];
    switch (Id(id)) {
    case Id::dxsinegain:
    case Id::dxsquaregain:
    case Id::overallstrength:
    case Id::dxspringgain:
    case Id::dxfrictiongain:
    case Id::dxdampinggain:
    case Id::dxinertiagain:
    case Id::dxsawtoothgain:
    case Id::dxtrianglegain:
        return editing::percentText(int(v));
    case Id::bumbstoprange:
        return editing::lockToLockText(profile[Id::steeringrange], v);
    case Id::servo_torquebandwidth:
        return torqueBandwidthText(v);
    case Id::servo_peakingnotchfilter:
        return notchText(v);
    case Id::servo_damping:
    case Id::servo_friction:
    case Id::servo_inertia:
    case Id::centerdamping:
        return editing::driveValueText(v);
    case Id::servo_reconfilter1:
        return reconstructionFilterText(v);
    case Id::steeringrange:
        return editing::degreesText(int(v));
    case Id::staticforcereduction:
        return editing::staticForceReductionText(v);
    case Id::staticforcereductionspeed:
        return editing::staticForceReductionSpeedText(int(v));
    case Id::gamma:
        return editing::gammaText(int(v));
    case Id::centerdampinganglespan:
        return editing::offOrDegreesText(int(v));
    case Id::slewratelimit:
        return editing::slewRateText(editing::slewRatePosition(v, slewRateMaximum), slewRateMaximum);
    case Id::ultralowlatency:
        return editing::offOrPercentText(int(v));
    case Id::simplesettings:
        return simpleLevelsText(v);
    case Id::uibits:
        return (v & kUiBitSimpleMode) ? tr("Simple") : tr("Advanced");
    case Id::filteringModes:
        break;
    }
    return QString::number(v);
}

bool rowDiffers(int id, const profDataNew &left, const profDataNew &right)
{
    if (id == kNameRow)
        return left.nameBytes() != right.nameBytes();
    if (Id(id) == Id::uibits)
        return (left[Id::uibits] & kUiBitSimpleMode) != (right[Id::uibits] & kUiBitSimpleMode);
    // Zero means "never set" and reads as the default levels.
    if (Id(id) == Id::simplesettings)
        return encodeSimpleSettings(decodeSimpleSettings(left[Id::simplesettings]))
               != encodeSimpleSettings(decodeSimpleSettings(right[Id::simplesettings]));
    return left.param[std::size_t(id)] != right.param[std::size_t(id)];
}

std::vector<ComparedRow> compareProfiles(const profDataNew &left, const profDataNew &right, int slewRateMaximum)
{
    std::vector<ComparedRow> rows;
    for (int id : comparedRowIds())
        rows.push_back({id, rowLabel(id), valueText(id, left, slewRateMaximum), valueText(id, right, slewRateMaximum),
                        rowDiffers(id, left, right)});
    return rows;
}

CopyOutcome copyRow(int id, const profDataNew &from, profDataNew &to, const CopyRules &rules)
{
    if (!rowDiffers(id, from, to))
        return CopyOutcome::Unchanged;
    if (id == kNameRow) {
        const QString name = profileName(from);
        return setProfileName(to, name) ? CopyOutcome::Copied : CopyOutcome::NameRefused;
    }
    switch (Id(id)) {
    case Id::overallstrength:
        editing::setOverallStrength(to, from[Id::overallstrength]);
        return CopyOutcome::Copied;
    case Id::steeringrange:
        if (!rules.steeringRangeEditable)
            return CopyOutcome::SteeringRangeHeld;
        editing::setSteeringRange(to, from[Id::steeringrange], rules.rampRange);
        return CopyOutcome::Copied;
    case Id::bumbstoprange:
        editing::setEndStop(to, from[Id::bumbstoprange], rules.rampRange);
        return CopyOutcome::Copied;
    case Id::uibits:
        // Only the view bit: the other bits belong to the record they are in.
        to[Id::uibits] = (to[Id::uibits] & ~kUiBitSimpleMode) | (from[Id::uibits] & kUiBitSimpleMode);
        return CopyOutcome::Copied;
    default:
        to.param[std::size_t(id)] = from.param[std::size_t(id)];
        return CopyOutcome::Copied;
    }
}

CopyAllResult copyDiffering(const profDataNew &from, profDataNew &to, const CopyRules &rules)
{
    CopyAllResult result;
    for (int id : comparedRowIds()) {
        // The view last: a simple-mode strength derives drive values, which the following
        // rows then set to the source's own.
        if (Id(id) == Id::uibits)
            continue;
        // Names tell profiles apart (a game's profile is found by its name): only an
        // explicit copy of that row renames.
        if (id == kNameRow)
            continue;
        const CopyOutcome outcome = copyRow(id, from, to, rules);
        if (outcome == CopyOutcome::Copied) {
            ++result.copied;
        } else if (outcome != CopyOutcome::Unchanged) {
            result.held.push_back(id);
            result.outcomes.push_back(outcome);
        }
    }
    if (copyRow(int(Id::uibits), from, to, rules) == CopyOutcome::Copied)
        ++result.copied;
    return result;
}

} // namespace compare
