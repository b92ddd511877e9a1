#pragma once
// The game-controller input report (report id 0x04): wheel position, seven axes, 128 buttons.

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

constexpr std::size_t kWheelSampleSize = 32;
constexpr std::size_t kAnalogAxes = 7;
constexpr std::size_t kButtonCount = 128;
constexpr std::uint16_t kWheelCentre = 0x8000;

struct WheelSample {
    std::uint16_t position = 0;
    std::array<std::uint16_t, kAnalogAxes> axes{};
    std::array<std::uint32_t, 4> buttons{};

    bool button(std::size_t n) const
    {
        return n < kButtonCount && ((buttons[n / 32] >> (n % 32)) & 1u);
    }
    void setButton(std::size_t n, bool pressed)
    {
        if (n >= kButtonCount)
            return;
        const std::uint32_t mask = 1u << (n % 32);
        buttons[n / 32] = pressed ? (buttons[n / 32] | mask) : (buttons[n / 32] & ~mask);
    }
};

// `report` starts at the report id byte; the sample is bytes 1..32 (missing bytes read as zero).
WheelSample decodeWheelReport(const std::uint8_t *report, std::size_t length);
// A whole report as the base sends it: id 0x04 followed by the 32 sample bytes.
std::array<std::uint8_t, 1 + kWheelSampleSize> encodeWheelReport(const WheelSample &sample);

// Degrees from centre of a raw position under a steering range, in single precision
// as the window shows it.
inline float wheelAngle(std::uint32_t steeringRange, std::uint16_t position)
{
    const float range = float(steeringRange);
    return range * float(position) / 65535.0f + range * 0.5f - range;
}

} // namespace wire
