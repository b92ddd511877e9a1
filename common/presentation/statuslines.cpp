#include "common/presentation/statuslines.h"

#include "common/presentation/colours.h"
#include "common/presentation/presentationtext.h"

#include <iterator>

namespace presentation {
namespace {

// Bit 7 (receiver scanning) and bit 14 (standby) are not listed.
const char *const kStatusBitNames[14] = {
    "Unsaved", "IndexpointFound", "InitSuccess", "tempSteeringAngle", "ForcesEnabled",
    "wirelessFound", "wirelessConn", nullptr, "wirelessTorqueOffEvent", "stoActivated",
    "highTorque", "torqOffSaving", "smPermanentFault", "wirelessTorqueOffButton",
};

} // namespace

ModelView modelView(bool connected, std::uint32_t modelIndex)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("MW2", "Veltrane 2 Ardex"),
        QT_TRANSLATE_NOOP("MW2", "Veltrane 2 Brivo"),
        QT_TRANSLATE_NOOP("MW2", "Veltrane 2 Cendra"),
    };
    ModelView view;
    if (!connected || modelIndex >= std::size(names)) {
        view.text = windowText(QT_TRANSLATE_NOOP("MW2", "Unknown"));
        return view;
    }
    view.text = windowText(names[modelIndex]);
    view.cendraSettingsShown = modelIndex == 2;
    return view;
}

QString firmwareVersionText(const wire::DeviceStatus &status)
{
    return QStringLiteral("%1.%2.%3")
        .arg(int(status.firmwareMajor))
        .arg(int(status.firmwareMinor))
        .arg(int(status.firmwarePatch));
}

QString driveFirmwareText(std::uint16_t driveFirmwareVersion)
{
    return driveFirmwareVersion == 0 ? windowText(QT_TRANSLATE_NOOP("MW2", "Unknown")) : QString::number(driveFirmwareVersion);
}

QString statusBitsText(std::uint16_t statusFlags)
{
    QString text;
    for (int bit = 0; bit < 14; ++bit)
        if (kStatusBitNames[bit] && (statusFlags & (1u << bit)))
            text += QLatin1String(kStatusBitNames[bit]) + QLatin1Char(' ');
    return text;
}

HighTorqueView highTorqueView(std::uint16_t statusFlags)
{
    if (statusFlags & wire::highTorque)
        return {windowText(QT_TRANSLATE_NOOP("MW2", "ENABLED")), QLatin1String(kColourError), windowText(QT_TRANSLATE_NOOP("MW2", "Disable High Torque Mode"))};
    return {windowText(QT_TRANSLATE_NOOP("MW2", "DISABLED")), QLatin1String(kColourNormal), windowText(QT_TRANSLATE_NOOP("MW2", "   Enable High Torque Mode   "))};
}

TemporarySteeringAngleView temporarySteeringAngleView(std::uint16_t statusFlags)
{
    TemporarySteeringAngleView view;
    if (statusFlags & wire::tempSteeringAngle) {
        view.text = windowText(QT_TRANSLATE_NOOP("MW2", "Angle set by game"));
        view.toolTip = windowText(QT_TRANSLATE_NOOP("MW2", "Steering angle is set by game."));
        view.colour = QLatin1String(kColourNormal);
        view.steeringAngleEditable = false;
        view.unsetButtonsEnabled = true;
    }
    return view;
}

QString debugValueText(std::uint32_t debugValue) { return QString::number(debugValue); }

QString modeValueText(std::uint32_t modeValue)
{
    return windowText(QT_TRANSLATE_NOOP("MW2", "Debugvalue: %1")).arg(modeValue);
}

EndstopDialogAction endstopDialogAction(const wire::DeviceStatus &status, bool dialogOpen)
{
    const bool forcesEnabled = status.hasFlag(wire::ForcesEnabled);
    if (!forcesEnabled && status.operatingMode == wire::ModeOperational && !dialogOpen)
        return EndstopDialogAction::Open;
    if (forcesEnabled && dialogOpen)
        return EndstopDialogAction::Close;
    return EndstopDialogAction::None;
}

DisconnectedView disconnectedView()
{
    const QString attention = QLatin1String(kColourAttention);
    return {{windowText(QT_TRANSLATE_NOOP("MW2", "Disconnected")), attention},
            {windowText(QT_TRANSLATE_NOOP("MW2", "Unknown")), attention},
            {QStringLiteral("???.?? ") + QChar(0x00B0), attention},
            windowText(QT_TRANSLATE_NOOP("MW2", "Unknown"))};
}

} // namespace presentation
