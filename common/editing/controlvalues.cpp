#include "common/editing/controlvalues.h"

#include "common/presentation/presentationtext.h"
#include "settings/simplesettings.h"

#include <algorithm>
#include <cmath>

namespace editing {

using presentation::windowText;

namespace {
const QChar kDegreeSign(0x00B0);
} // namespace

std::uint32_t roundHalfUp(double value)
{
    if (!(value > 0.0))
        return 0;
    return std::uint32_t(std::floor(value + 0.5));
}

std::uint32_t driveStoredValue(int position) { return roundHalfUp(position * kDriveSliderScale); }

int driveSliderPosition(std::uint32_t stored) { return int(roundHalfUp(stored / kDriveSliderScale)); }

QString driveValueText(std::uint32_t stored)
{
    if (stored == 0)
        return windowText(QT_TRANSLATE_NOOP("MW2", "Off"));
    return QString::number(stored / kDriveSliderScale) + QLatin1Char('%');
}

std::uint32_t staticForceReductionStored(int position)
{
    return std::min(roundHalfUp(position * 100.0), kStaticForceReductionMax);
}

int staticForceReductionPosition(std::uint32_t stored) { return int(roundHalfUp(stored / 100.0)); }

QString staticForceReductionText(std::uint32_t stored)
{
    if (stored == 0)
        return windowText(QT_TRANSLATE_NOOP("MW2", "Off"));
    return QString::number(stored / 100.0) + QLatin1Char('%');
}

QString staticForceReductionSpeedText(int value)
{
    if (value <= 0)
        return QString();
    return QString::number(1.0 / (value / 1000.0), 'f', 2) + QStringLiteral(" s");
}

std::uint32_t slewRateStored(int position, int maximum)
{
    return position >= maximum ? 0 : std::uint32_t(std::max(position, 0));
}

int slewRatePosition(std::uint32_t stored, int maximum)
{
    return stored == 0 ? maximum : int(std::min<std::uint32_t>(stored, std::uint32_t(maximum)));
}

QString slewRateText(int position, int maximum)
{
    if (position >= maximum)
        return windowText(QT_TRANSLATE_NOOP("MW2", "Off"));
    return QString::number(position / 1000.0, 'f', 2);
}

QString gammaText(int value) { return QString::number(value / 1000.0, 'f', 2); }

QString percentText(int value) { return QString::number(value) + QLatin1Char('%'); }

QString offOrPercentText(int value) { return value == 0 ? windowText(QT_TRANSLATE_NOOP("MW2", "Off")) : percentText(value); }

QString degreesText(int value) { return QString::number(value) + kDegreeSign; }

QString offOrDegreesText(int value) { return value == 0 ? windowText(QT_TRANSLATE_NOOP("MW2", "Off")) : degreesText(value); }

QString bumpStopStrengthText(int value) { return value < 1 ? windowText(QT_TRANSLATE_NOOP("MW2", "Off")) : percentText(value); }

QString lockToLockText(std::uint32_t steeringRange, std::uint32_t endStop)
{
    const qint64 lockToLock = qint64(steeringRange) - 2 * qint64(endStop);
    return QString::number(lockToLock) + kDegreeSign + QStringLiteral(" (") + windowText(QT_TRANSLATE_NOOP("MW2", "lock-to-lock"))
         + QLatin1Char(')');
}

QString handsOffText(int level)
{
    static const char *const names[] = {QT_TRANSLATE_NOOP("MW2", "Off"), QT_TRANSLATE_NOOP("MW2", "Low"),
                                        QT_TRANSLATE_NOOP("MW2", "Medium"), QT_TRANSLATE_NOOP("MW2", "High")};
    return windowText(names[std::clamp(level, 0, 3)]);
}

QString peakCurrentText(std::uint32_t milliamperes)
{
    return QString::number(milliamperes / 1000.0) + QStringLiteral(" A");
}

QString simpleRangeText(int index) { return degreesText(simpleRangeDegrees(index)); }

} // namespace editing
