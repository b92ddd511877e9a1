#include "common/presentation/operatingmode.h"

#include "common/presentation/colours.h"
#include "common/presentation/presentationtext.h"

#include <array>

namespace presentation {
namespace {

enum ModeEffect { NoEffect, HardwareGroup, MainGroupsOff };

struct ModeRow {
    const char *text;
    const char *colour; // nullptr: leave the colour
    ModeEffect effect;
};

const char kUnknownMode[] = QT_TRANSLATE_NOOP("MW2", "Unknown operating mode!");

// Modes 0..23; mode 11 is built from the status bits instead, 20 never comes from a base.
const std::array<ModeRow, 24> kModes = {{
    {QT_TRANSLATE_NOOP("MW2", "Booting"), kColourAttention, NoEffect},
    {kUnknownMode, kColourError, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Trying to initialize drive"), kColourAttention, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Successfully initialized drive."), nullptr, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Turn the wheel to find index point"), kColourAttention, HardwareGroup},
    {QT_TRANSLATE_NOOP("MW2", "Couldn't connect to Servo Drive, reconnecting.."), kColourError, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Waiting for faults to clear. Release E-stop?"), kColourAttention, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Waiting for drive to get ready"), kColourAttention, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Autoupdating Servo Drive Firmware. %1 %"), kColourAttention, MainGroupsOff},
    {QT_TRANSLATE_NOOP("MW2", "Hardware settings not yet configured."), kColourError, HardwareGroup},
    {QT_TRANSLATE_NOOP("MW2", "Initializing parameters"), kColourAttention, HardwareGroup},
    {nullptr, nullptr, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Saving settings to Veltrane flash memory"), nullptr, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Resetting all settings to default."), nullptr, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Flash Memory Fault"), kColourError, NoEffect},
    {kUnknownMode, kColourError, NoEffect},
    {kUnknownMode, kColourError, NoEffect},
    {kUnknownMode, kColourError, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Applying DRC settings to drive"), nullptr, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Error applying DRC settings to drive"), kColourError, NoEffect},
    {kUnknownMode, kColourError, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Drive firmware update error. Turn system off and on again."), kColourError, NoEffect},
    {kUnknownMode, kColourError, NoEffect},
    {QT_TRANSLATE_NOOP("MW2", "Paused after drive init. Waiting for wizard."), kColourAttention, NoEffect},
}};

OperatingModeView operationalView(std::uint16_t statusFlags)
{
    OperatingModeView view;
    view.mainGroupsEnabled = true;
    const TorqueOffView off = torqueOffReasons(statusFlags);
    view.torqueButtonVisible = off.torqueButtonVisible;
    if (off.reasons.isEmpty()) {
        view.text = windowText(QT_TRANSLATE_NOOP("MW2", "Operational"));
        view.colour = QLatin1String(kColourNormal);
    } else {
        // No colour of its own: the label keeps the one it had.
        view.text = windowText(QT_TRANSLATE_NOOP("MW2", "Operational - Torque Off due to:")) + QLatin1Char(' ')
                    + off.reasons.join(QStringLiteral(" & "));
    }
    return view;
}

} // namespace

TorqueOffView torqueOffReasons(std::uint16_t statusFlags)
{
    TorqueOffView view;
    if (statusFlags & wire::wirelessTorqueOffEvent) {
        view.reasons << windowText(QT_TRANSLATE_NOOP("MW2", "Wheel Disconnection"));
        view.torqueButtonVisible = true;
    }
    // The wheel's own button wins over standby: re-enabling from the tool would not help.
    if (statusFlags & wire::wirelessTorqueOffButton) {
        view.reasons << windowText(QT_TRANSLATE_NOOP("MW2", "Wheel Torque Off button"));
        view.torqueButtonVisible = false;
    } else if (statusFlags & wire::standbyMode) {
        view.reasons << windowText(QT_TRANSLATE_NOOP("MW2", "Standby Mode"));
        view.torqueButtonVisible = true;
    }
    return view;
}

OperatingModeView operatingModeView(std::uint32_t mode, std::uint8_t driveUpdateProgress,
                                    std::uint16_t statusFlags)
{
    if (mode == wire::ModeOperational)
        return operationalView(statusFlags);

    OperatingModeView view;
    if (mode >= kModes.size()) {
        view.text = windowText(kUnknownMode);
        view.colour = QLatin1String(kColourError);
        return view;
    }
    const ModeRow &row = kModes[mode];
    view.text = windowText(row.text);
    if (mode == wire::ModeAutoupdatingDrive)
        view.text = view.text.arg(int(driveUpdateProgress));
    if (row.colour)
        view.colour = QLatin1String(row.colour);
    view.hardwareGroupEnabled = view.bumpStopRefresh = row.effect == HardwareGroup;
    view.mainGroupsDisabled = row.effect == MainGroupsOff;
    return view;
}

OperatingModeView operatingModeView(const wire::DeviceStatus &status)
{
    return operatingModeView(status.operatingMode, status.driveUpdateProgress, status.statusFlags);
}

QString torqueButtonBorderStyle(bool lit)
{
    return lit ? QStringLiteral("QPushButton { border: 2px solid QLinearGradient( x1: 0, y1: 0, x2: 0, y2: 1, "
                                "stop: 0 #ffa02f, stop: 1 #e84e0f);}")
               : QStringLiteral("QPushButton { border: 2px solid QLinearGradient( x1: 0, y1: 0, x2: 0, y2: 1, "
                                "stop: 0 #02232b, stop: 1 #02232b);}");
}

} // namespace presentation
