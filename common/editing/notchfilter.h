#pragma once
// `servo_peakingnotchfilter` in its three parts: attenuation (byte 0), Q (byte 1) and
// centre frequency (bits 16..27), each edited by its own box.

#include <cstdint>

namespace editing {

struct NotchCodes {
    std::uint32_t attenuation = 0; // 255 − 10 × |dB|
    std::uint32_t q = 0;           // 10 × Q
    std::uint32_t centre = 0;      // 10 × Hz
};

NotchCodes unpackNotchFilter(std::uint32_t packed);
// (centre << 16, 12 bits) + (q << 8, 8 bits) + attenuation (8 bits); bits 28..31 zero.
std::uint32_t packNotchFilter(const NotchCodes &codes);

// Box value (negative dB) to code: 255 − round(−dB × 10), kept within a byte.
std::uint32_t attenuationCode(double decibels);
// Box value to code: round(Q × 10), kept within a byte.
std::uint32_t qCode(double q);
// Box value to code: Hz × 10 with the fraction dropped, within 12 bits.
std::uint32_t centreCode(double hertz);

double attenuationDecibels(std::uint32_t code);
double qFactor(std::uint32_t code);
double centreHertz(std::uint32_t code);

// Below 1.1 Hz the filter has no shape to tune: Q and attenuation are not editable.
bool notchShapeEditable(std::uint32_t centreCode);

} // namespace editing
