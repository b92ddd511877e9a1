#include "device/wire/wheelsample.h"

#include "device/wire/bytes.h"
#include "device/wire/frames.h"

namespace wire {

WheelSample decodeWheelReport(const std::uint8_t *report, std::size_t length)
{
    WheelSample s;
    s.position = getU16(report, length, 1);
    for (std::size_t i = 0; i < kAnalogAxes; ++i)
        s.axes[i] = getU16(report, length, 3 + 2 * i);
    for (std::size_t w = 0; w < s.buttons.size(); ++w)
        s.buttons[w] = getU32(report, length, 17 + 4 * w);
    return s;
}

std::array<std::uint8_t, 1 + kWheelSampleSize> encodeWheelReport(const WheelSample &s)
{
    std::array<std::uint8_t, 1 + kWheelSampleSize> out{};
    std::uint8_t *b = out.data();
    const std::size_t len = out.size();
    out[0] = kGameReportId;
    putU16(b, len, 1, s.position);
    for (std::size_t i = 0; i < kAnalogAxes; ++i)
        putU16(b, len, 3 + 2 * i, s.axes[i]);
    for (std::size_t w = 0; w < s.buttons.size(); ++w)
        putU32(b, len, 17 + 4 * w, s.buttons[w]);
    return out;
}

} // namespace wire
