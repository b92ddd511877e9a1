#pragma once
// One chunk of the base's event ring (reply packet type 0x50): the index of the newest
// entry and nine consecutive entries from the requested start position.

#include "device/wire/frames.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

constexpr std::size_t kEventLogChunkSize = 58;   // reply bytes 0..57
constexpr std::size_t kEventLogChunkEntries = 9;
constexpr std::size_t kEventLogHeadOffset = 2;
constexpr std::size_t kEventLogCodesOffset = 4;
constexpr std::size_t kEventLogValuesOffset = 22;

using EventCodes = std::array<std::uint16_t, kEventLogChunkEntries>;
using EventValues = std::array<std::int32_t, kEventLogChunkEntries>;

struct EventLogChunk {
    std::array<std::uint8_t, kEventLogChunkSize> bytes{};

    std::uint16_t head() const;
    // Entry k of the chunk (ring position start + k); 0 for k outside the chunk.
    std::uint16_t code(std::size_t k) const;
    std::int32_t value(std::size_t k) const;
};

// Missing bytes read as zero.
EventLogChunk decodeEventLogChunk(const std::uint8_t *reply, std::size_t length);
ReplyBuffer encodeEventLogChunk(std::uint16_t head, const EventCodes &codes, const EventValues &values);

} // namespace wire
