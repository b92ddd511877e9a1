#pragma once
// The base's event ring: a code and a signed value per entry, the newest at `head`. It
// lives in RAM, so each power-on starts it afresh with the boot entries. While the host
// downloads it the ring stands still, so the chunks fit together; what happens meanwhile
// is not recorded.

#include <array>
#include <cstddef>
#include <cstdint>

namespace basesim {

class CommandTable;
struct BaseState;

constexpr std::size_t kEventLogSize = 1000;
constexpr std::uint8_t kEventLogVerbosityLevels = 3;

struct EventLog {
    std::array<std::uint16_t, kEventLogSize> codes{};
    std::array<std::int32_t, kEventLogSize> values{};
    // Index of the newest entry; an empty ring starts so that its first entry lands at 0.
    std::uint16_t head = kEventLogSize - 1;
    // From the first chunk of a download until the host ends the read.
    bool frozen = false;

    void record(std::uint16_t code, std::int32_t value = 0)
    {
        if (frozen)
            return;
        head = static_cast<std::uint16_t>((head + 1) % kEventLogSize);
        codes[head] = code;
        values[head] = value;
    }
    void clear() { *this = EventLog{}; }
    // Code and value at a ring position; positions past the ring read as empty.
    std::uint16_t codeAt(std::size_t position) const { return position < kEventLogSize ? codes[position] : 0; }
    std::int32_t valueAt(std::size_t position) const { return position < kEventLogSize ? values[position] : 0; }
};

// What the firmware writes first after power-on, into an empty ring.
void logBoot(BaseState &state);

// Log download, its end, and verbosity.
void addEventLogCommands(CommandTable &table);

} // namespace basesim
