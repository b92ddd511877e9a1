#include "common/presentation/wheeltick.h"

#include "common/presentation/presentationtext.h"

#include <cmath>

namespace presentation {

QString wheelDegreesText(float angle)
{
    // Whole hundredths, cut toward zero, so -0.004 reads "0.00" rather than "-0.00".
    const auto hundredths = static_cast<long long>(double(angle) * 100.0);
    return QString::number(double(hundredths) / 100.0, 'f', 2) + QStringLiteral(" ") + QChar(0x00B0);
}

bool wheelNeedsRedraw(float angle, float lastDrawnAngle) { return std::fabs(angle - lastDrawnAngle) > 0.05; }

bool steeringWarningMayClose(float angle) { return angle > -10.0f && angle < 10.0f; }

QString ButtonHoldCounters::rowText(int group, std::uint32_t bits)
{
    static const QChar lit(0x25CF);
    static const QChar dark(0x25CB);
    QString row(32, dark);
    int *counter = counters_.data() + 32 * group;
    for (int bit = 0; bit < 32; ++bit, ++counter) {
        if (bits & (1u << bit)) {
            *counter = kHoldRefreshes;
        } else if (*counter > 0) {
            --*counter;
        }
        if (*counter > 0)
            row[bit] = lit;
    }
    return row;
}

std::array<QString, 4> ButtonHoldCounters::rows(const wire::WheelSample &sample)
{
    return {rowText(0, sample.buttons[0]), rowText(1, sample.buttons[1]), rowText(2, sample.buttons[2]),
            rowText(3, sample.buttons[3])};
}

AnalogRowView analogRowView(std::uint16_t reading, bool enabled)
{
    if (!enabled)
        return {0, QString(), windowText(QT_TRANSLATE_NOOP("MW2", "disabled"))};
    return {reading, QStringLiteral("%p%"), QStringLiteral("%1").arg(reading, 5, 10, QLatin1Char('0'))};
}

WheelView WheelTick::update(const wire::WheelSample &sample, std::optional<std::uint32_t> steeringRange,
                            const std::array<bool, wire::kAnalogAxes> &axisEnabled)
{
    WheelView view;
    view.buttonRows = buttons_.rows(sample);
    view.angle = steeringRange ? wheelAngle(*steeringRange, sample.position) : 0.0f;
    view.degreesText = wheelDegreesText(view.angle);
    view.closeSteeringWarning = steeringWarningMayClose(view.angle);
    if (wheelNeedsRedraw(view.angle, lastDrawnAngle_)) {
        view.redrawWheel = true;
        lastDrawnAngle_ = view.angle;
    }
    for (std::size_t axis = 0; axis < wire::kAnalogAxes; ++axis)
        view.axes[axis] = analogRowView(sample.axes[axis], axisEnabled[axis]);
    return view;
}

} // namespace presentation
