#pragma once
// The downloaded ring as text: one line per event, oldest first.

#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>

namespace eventlog {

constexpr std::size_t kEventLogSize = 1000;

// Every position of the base's ring and the index of its newest entry.
struct EventRing {
    std::array<std::uint16_t, kEventLogSize> codes{};
    std::array<std::int32_t, kEventLogSize> values{};
    std::uint16_t head = 0;
};

constexpr bool validHead(std::uint16_t head) { return head < kEventLogSize; }

// From the entry after the head round to the head, empty slots (code 0) skipped. A head
// outside the ring gives no lines: nothing in it can be placed in time.
QStringList decodeEventLog(const EventRing &ring);

} // namespace eventlog
