#include "common/editing/notchfilter.h"

#include "common/editing/controlvalues.h"

#include <algorithm>
#include <cmath>

namespace editing {

namespace {
constexpr std::uint32_t kByteMask = 0xFF;
constexpr std::uint32_t kCentreMask = 0xFFF;
constexpr std::uint32_t kShapeEditableFrom = 11;
// A box value with one decimal times 10 may land a hair below its integer (4.6 × 10 =
// 45.99…); dropping the fraction must not lose the tenth the user chose.
constexpr double kTenthsTolerance = 1e-6;
} // namespace

NotchCodes unpackNotchFilter(std::uint32_t packed)
{
    NotchCodes codes;
    codes.attenuation = packed & kByteMask;
    codes.q = (packed >> 8) & kByteMask;
    codes.centre = (packed >> 16) & kCentreMask;
    return codes;
}

std::uint32_t packNotchFilter(const NotchCodes &codes)
{
    return ((codes.centre << 16) & (kCentreMask << 16)) + ((codes.q << 8) & (kByteMask << 8))
         + (codes.attenuation & kByteMask);
}

std::uint32_t attenuationCode(double decibels)
{
    const std::uint32_t tenths = std::min<std::uint32_t>(roundHalfUp(-decibels * 10.0), kByteMask);
    return kByteMask - tenths;
}

std::uint32_t qCode(double q) { return std::min<std::uint32_t>(roundHalfUp(q * 10.0), kByteMask); }

std::uint32_t centreCode(double hertz)
{
    if (!(hertz > 0.0))
        return 0;
    return std::min<std::uint32_t>(std::uint32_t(std::floor(hertz * 10.0 + kTenthsTolerance)), kCentreMask);
}

double attenuationDecibels(std::uint32_t code) { return -double(kByteMask - (code & kByteMask)) / 10.0; }

double qFactor(std::uint32_t code) { return code / 10.0; }

double centreHertz(std::uint32_t code) { return code / 10.0; }

bool notchShapeEditable(std::uint32_t centreCode) { return centreCode >= kShapeEditableFrom; }

} // namespace editing
