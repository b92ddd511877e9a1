#pragma once
// The torque lines: what the drive's peak current and a strength percentage give in
// amperes and newton-metres (`actualcurrentlabel`, `simplestrengthlabel`).

#include <QString>

#include <cstdint>

namespace presentation {

// Peak current in mA × strength percent, in amperes.
double torqueCurrentAmperes(std::uint32_t peakCurrentMilliamperes, std::uint32_t strengthPercent);
// Motor torque constant: 1.1 Nm per ampere.
double torqueNewtonMetres(double amperes);

struct TorqueLinesView {
    QString actualCurrent;  // "6.6 Nm (6.0 A)"
    QString simpleStrength; // "2.6 Nm"
};

// Both lines get " - Limited to 4.4 Nm in safe torque mode" while high torque is off.
TorqueLinesView torqueLinesView(std::uint32_t peakCurrentMilliamperes, std::uint32_t overallStrength,
                                std::uint32_t simpleStrength, bool highTorque);

} // namespace presentation
