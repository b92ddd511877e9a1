#pragma once
// Command handlers by code. The application firmware and the bootloader each answer from
// a table of their own, so neither can reach the other's commands.

#include "basesim/basetiming.h"
#include "device/wire/bytes.h"
#include "device/wire/frames.h"

#include <array>
#include <cstdint>
#include <random>

namespace basesim {

struct BaseState;

// What a handler acts on. A command may reach across subsystems (most are logged in the
// event ring, many change status flags), so it gets the whole base.
struct CommandContext {
    BaseState &state;
    Milliseconds now;
    // The base's own randomness: drive commutation measurements, high-torque challenges.
    std::mt19937 &random;
};

// Returns true when it filled `reply` (zeroed before the call); false means no answer.
using CommandHandler = bool (*)(CommandContext &, const wire::CommandFrame &, wire::ReplyBuffer &);

class CommandTable {
public:
    void on(std::uint8_t code, CommandHandler handler) { handlers_[code] = handler; }
    void on(DeviceCommand command, CommandHandler handler) { on(static_cast<std::uint8_t>(command), handler); }
    // Null for a code the table does not know: the firmware accepts and ignores it.
    CommandHandler find(std::uint8_t code) const { return handlers_[code]; }
    bool handles(std::uint8_t code) const { return handlers_[code] != nullptr; }

private:
    std::array<CommandHandler, 256> handlers_{};
};

// The 16-bit argument most commands carry after their code.
inline std::uint16_t u16Argument(const wire::CommandFrame &frame)
{
    return wire::getU16(frame.data(), frame.size(), 2);
}

} // namespace basesim
