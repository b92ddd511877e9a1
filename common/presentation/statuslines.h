#pragma once
// The smaller lines of the status refresh: model and versions, the status bits, high
// torque, the game-set steering angle, diagnostic numbers, the endstop safety dialog,
// and what the window shows while no base is connected.

#include "device/wire/devicestatus.h"

#include <QString>

#include <cstdint>

namespace presentation {

struct ModelView {
    QString text;                     // `veltrane2versionlabel`
    bool cendraSettingsShown = false; // `vt2cendrasettingsgroupbox` shown and enabled
};

// "Veltrane 2 Ardex" / "Brivo" / "Cendra" by model index, "Unknown" when not connected or unknown.
ModelView modelView(bool connected, std::uint32_t modelIndex);

// `fwversionLabel`: major.minor.patch.
QString firmwareVersionText(const wire::DeviceStatus &status);
// `oskafwversionLabel`: the drive firmware number, "Unknown" for 0.
QString driveFirmwareText(std::uint16_t driveFirmwareVersion);

// `statusbitslabel`: names of the set bits 0..13 (bit 7 is not listed), each followed by a blank.
QString statusBitsText(std::uint16_t statusFlags);

struct HighTorqueView {
    QString text;       // `hightorquemodetextlabel`
    QString colour;     // colour variable
    QString buttonText; // `activateHighTorquepushbutton`
};
HighTorqueView highTorqueView(std::uint16_t statusFlags);

struct TemporarySteeringAngleView {
    QString text;    // `temporarysteeringanglelabel`
    QString toolTip;
    QString colour;  // colour variable; empty keeps the previous colour
    bool steeringAngleEditable = true; // `SteeringAngleSpinBox`
    bool unsetButtonsEnabled = false;  // `unsetTemporarySteeringAnglepushButton`, `simpleunsettemporarysteeringanglepushbutton`
};
TemporarySteeringAngleView temporarySteeringAngleView(std::uint16_t statusFlags);

// `debugvaluetext` and `smbusfaultslabel` ("Debugvalue: %1" with the mode value).
QString debugValueText(std::uint32_t debugValue);
QString modeValueText(std::uint32_t modeValue);

// The non-modal `wheelTooNearEndstopDialog`: opened (and the first tab shown) when forces are
// disabled while operational, closed once they are enabled again.
enum class EndstopDialogAction { None, Open, Close };
EndstopDialogAction endstopDialogAction(const wire::DeviceStatus &status, bool dialogOpen);

struct LabelView {
    QString text;
    QString colour; // colour variable
};

// `setConnectedUi(false)`: what the labels show without a base.
struct DisconnectedView {
    LabelView operatingMode; // `operationalLabel`
    LabelView estop;         // `estopLabel`
    LabelView wheelDegrees;  // `WheelDegreesLabel`
    QString activeProfile;   // `activeprofilestatusfieldlabel`
};
DisconnectedView disconnectedView();

} // namespace presentation
