#pragma once
// The hardware settings and analog input records the link reads and writes: numbered
// 32-bit words addressed by field id, as they travel.

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

constexpr int kHardwareWordCount = 64;   // ids 1..63; word 0 never travels
constexpr int kAnalogAxisCount = 7;
constexpr int kAnalogAxisWords = 11;      // ids 1..10 per axis; word 0 never travels
constexpr int kAnalogRecordCount = 21;
constexpr int kAnalogNameSize = 32;

// Axis blocks in record order.
enum AnalogAxis { AxisY = 0, AxisZ, AxisBrake, AxisThrottle, AxisClutch, AxisRudder, AxisHat };

// Field ids inside an axis block that the tool interprets; the others are carried unchanged.
enum AnalogFieldId { AnalogPin = 1, AnalogMin = 3, AnalogMax = 4, AnalogInvert = 5 };

struct HardwareSettings {
    std::array<std::uint32_t, kHardwareWordCount> word{};
};

#pragma pack(push, 1)
struct AnalogSettings {
    std::array<std::uint32_t, kAnalogAxisCount * kAnalogAxisWords> word{};
    std::array<char, kAnalogNameSize> name{};

    std::uint32_t &field(int axis, int id) { return word[std::size_t(kAnalogAxisWords * axis + id)]; }
    std::uint32_t field(int axis, int id) const { return word[std::size_t(kAnalogAxisWords * axis + id)]; }
};
#pragma pack(pop)
static_assert(sizeof(AnalogSettings) == 340, "an analog record is 340 bytes");

} // namespace wire
