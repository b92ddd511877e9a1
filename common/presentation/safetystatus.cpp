#include "common/presentation/safetystatus.h"

#include "common/presentation/colours.h"
#include "common/presentation/presentationtext.h"

namespace presentation {
namespace {

struct FaultName {
    std::uint32_t bit;
    const char *name;
};

const FaultName kFaultsBeforeVoltage[] = {
    {1, QT_TRANSLATE_NOOP("MW2", "Tracking Error!")},
    {2, QT_TRANSLATE_NOOP("MW2", "Over Current!")},
    {3, QT_TRANSLATE_NOOP("MW2", "Communication Fault")},
    {4, QT_TRANSLATE_NOOP("MW2", "Encoder Fault")},
    {5, QT_TRANSLATE_NOOP("MW2", "Over Temperature")},
};

const FaultName kFaultsAfterVoltage[] = {
    {8, QT_TRANSLATE_NOOP("MW2", "Program Fault")},
    {9, QT_TRANSLATE_NOOP("MW2", "Hardware Fault")},
    {10, QT_TRANSLATE_NOOP("MW2", "Overvelocity")},
    {11, QT_TRANSLATE_NOOP("MW2", "Initialization Fault")},
    {12, QT_TRANSLATE_NOOP("MW2", "Motion Fault")},
    {13, QT_TRANSLATE_NOOP("MW2", "Motion Range Fault")},
    {14, QT_TRANSLATE_NOOP("MW2", "Power Stage Forced Off")},
    {15, QT_TRANSLATE_NOOP("MW2", "Error with Host Communication")},
};

constexpr std::uint32_t kUndervoltage = 1u << 6;
constexpr std::uint32_t kOvervoltage = 1u << 7;

template <std::size_t N>
void appendFaults(QString &text, std::uint32_t driveFaults, const FaultName (&faults)[N])
{
    for (const FaultName &fault : faults)
        if (driveFaults & (1u << fault.bit))
            text += windowText(fault.name) + QLatin1Char(' ');
}

} // namespace

QString faultLocationLink(std::uint32_t faultLocation)
{
    // The span carries the colour: a label draws bare links in the palette's link colour.
    return QStringLiteral("<a href=\"%1\"><span style=\"color: %2;\">%3</span></a>")
        .arg(QLatin1String(kFaultLocationHelpUrl), QLatin1String(kColourNormal),
             windowText(QT_TRANSLATE_NOOP("MW2", "Fault Location ID: ")) + QString::number(faultLocation));
}

QString motorFaultText(std::uint32_t driveFaults, std::uint32_t faultLocation)
{
    QString text = QLatin1Char(' ') + windowText(QT_TRANSLATE_NOOP("MW2", "Motor Faults (cycle E-stop to clear):")) + QLatin1Char(' ');
    appendFaults(text, driveFaults, kFaultsBeforeVoltage);
    switch (driveFaults & (kUndervoltage | kOvervoltage)) {
    case kUndervoltage:
        text += windowText(QT_TRANSLATE_NOOP("MW2", "Undervoltage")) + QLatin1Char(' ');
        break;
    case kOvervoltage:
        text += windowText(QT_TRANSLATE_NOOP("MW2", "Overvoltage")) + QLatin1Char(' ');
        break;
    case kUndervoltage | kOvervoltage:
        // Both at once means the threshold itself is set wrong; that is the one thing to say.
        text = windowText(QT_TRANSLATE_NOOP("MW2", "Overvoltage threshold [FOV] must be > 102% of HV BUS voltage"));
        break;
    default:
        break;
    }
    appendFaults(text, driveFaults, kFaultsAfterVoltage);
    return text + faultLocationLink(faultLocation);
}

EstopView estopView(const wire::DeviceStatus &status)
{
    EstopView view;
    if (status.estopPressed()) {
        view.text = windowText(QT_TRANSLATE_NOOP("MW2", "E-Stop is PRESSED. "));
        view.colour = QLatin1String(kColourAttention);
        return view;
    }
    view.text = windowText(QT_TRANSLATE_NOOP("MW2", "E-Stop is released. "));
    if (status.driveReportsFaults()) {
        view.text += motorFaultText(status.driveFaults, status.faultLocation);
        view.colour = QLatin1String(kColourAttention);
        view.richText = true;
    } else {
        view.colour = QLatin1String(status.operatingMode == wire::ModeOperational ? kColourNormal
                                                                                  : kColourAttention);
    }
    return view;
}

} // namespace presentation
