#pragma once
// What a profile or hardware control stores for a position, where a stored value puts the
// control back, and the texts of the labels beside the controls.

#include <QString>

#include <cstdint>

namespace editing {

// Drive-side sliders move in percent; the record holds tenths of a percent.
constexpr double kDriveSliderScale = 10.0;
// The drive accepts at most 70 % of static force reduction.
constexpr std::uint32_t kStaticForceReductionMax = 7000;

// Nearest integer, halves up; for the non-negative values of the controls (negative gives 0).
std::uint32_t roundHalfUp(double value);

// `servo_damping`, `servo_friction`, `servo_inertia`, `centerdamping`.
std::uint32_t driveStoredValue(int position);
int driveSliderPosition(std::uint32_t stored);
// "Off" at 0, else stored / 10 in shortest form and "%" ("8.1%").
QString driveValueText(std::uint32_t stored);

// `staticforcereduction`: hundredths of a percent, at most 7000.
std::uint32_t staticForceReductionStored(int position);
int staticForceReductionPosition(std::uint32_t stored);
QString staticForceReductionText(std::uint32_t stored);

// `staticforcereductionspeed` shown as seconds: 1 / (v / 1000), two decimals, " s".
QString staticForceReductionSpeedText(int value);

// `slewratelimit`: the slider's top position means "no limit" and stores 0.
std::uint32_t slewRateStored(int position, int maximum);
int slewRatePosition(std::uint32_t stored, int maximum);
QString slewRateText(int position, int maximum);

// `gamma` as value / 1000 with two decimals.
QString gammaText(int value);

QString percentText(int value);       // "15%"
QString offOrPercentText(int value);  // "Off" at 0
QString degreesText(int value);       // "10°"
QString offOrDegreesText(int value);  // "Off" at 0
QString bumpStopStrengthText(int value); // "Off" below 1

// `endstoplocktolocklabel`: the angle left between the two end stops.
QString lockToLockText(std::uint32_t steeringRange, std::uint32_t endStop);

// Hands-off detection levels 0..3: "Off", "Low", "Medium", "High".
QString handsOffText(int level);

// The drive's peak current, milliamperes shown in amperes.
QString peakCurrentText(std::uint32_t milliamperes);

// `simplesteeringrangelabel`: degrees of a simple range index.
QString simpleRangeText(int index);

} // namespace editing
