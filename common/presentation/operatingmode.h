#pragma once
// The operating-mode line (`operationalLabel`): its text and colour, why torque is off
// while operational, and what each mode enables or disables in the window.

#include "device/wire/devicestatus.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace presentation {

struct TorqueOffView {
    QStringList reasons;              // display order; empty while torque is on
    bool torqueButtonVisible = false; // `enabletorquepushButton`
};

// Reasons from status bits 8 ("Wheel Disconnection"), 13 ("Wheel Torque Off button")
// and 14 ("Standby Mode", only without bit 13).
TorqueOffView torqueOffReasons(std::uint16_t statusFlags);

struct OperatingModeView {
    QString text;
    QString colour; // colour variable; empty keeps the label's previous colour
    // Modes 4, 9, 10: `hardwaresetupgroupBox` enabled and the bump-stop controls refreshed.
    bool hardwareGroupEnabled = false;
    bool bumpStopRefresh = false;
    // Mode 8: `hardwaresetupgroupBox`, `OverviewTab`, `ProfilesTab`, `advancedActionsGroupBox` disabled.
    bool mainGroupsDisabled = false;
    // Mode 11: the same four and `configureanalogspushbutton` enabled.
    bool mainGroupsEnabled = false;
    // Set in mode 11 only; other modes leave `enabletorquepushButton` as it is.
    std::optional<bool> torqueButtonVisible;
};

OperatingModeView operatingModeView(std::uint32_t mode, std::uint8_t driveUpdateProgress,
                                    std::uint16_t statusFlags);
OperatingModeView operatingModeView(const wire::DeviceStatus &status);

// Outside mode 11 the analog configuration dialog is closed and `configureanalogspushbutton` disabled.
inline bool analogConfigurationAllowed(std::uint32_t mode) { return mode == wire::ModeOperational; }

// Style of `enabletorquepushButton` in each blink phase (`torqueoffButtonBlink`, 2500 ms):
// lit is the orange border, otherwise it fades into the background.
QString torqueButtonBorderStyle(bool lit);

} // namespace presentation
