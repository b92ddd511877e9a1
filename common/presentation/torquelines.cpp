#include "common/presentation/torquelines.h"

#include "common/presentation/presentationtext.h"

namespace presentation {

double torqueCurrentAmperes(std::uint32_t peakCurrentMilliamperes, std::uint32_t strengthPercent)
{
    return double(peakCurrentMilliamperes) * strengthPercent / 100.0 / 1000.0;
}

double torqueNewtonMetres(double amperes) { return amperes * 1.1; }

TorqueLinesView torqueLinesView(std::uint32_t peakCurrentMilliamperes, std::uint32_t overallStrength,
                                std::uint32_t simpleStrength, bool highTorque)
{
    const auto oneDecimal = [](double v) { return QString::number(v, 'f', 1); };
    const double current = torqueCurrentAmperes(peakCurrentMilliamperes, overallStrength);
    const double simpleTorque = torqueNewtonMetres(torqueCurrentAmperes(peakCurrentMilliamperes, simpleStrength));

    TorqueLinesView view;
    view.actualCurrent = oneDecimal(torqueNewtonMetres(current)) + QStringLiteral(" Nm") + QStringLiteral(" (")
                         + oneDecimal(current) + QStringLiteral(" A)");
    view.simpleStrength = oneDecimal(simpleTorque) + QStringLiteral(" Nm");
    if (!highTorque) {
        const QString limit = QStringLiteral(" - ") + windowText(QT_TRANSLATE_NOOP("MW2", "Limited to 4.4 Nm in safe torque mode"));
        view.actualCurrent += limit;
        view.simpleStrength += limit;
    }
    return view;
}

} // namespace presentation
