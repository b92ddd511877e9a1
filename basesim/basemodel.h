#pragma once
// The behaviour of a Veltrane 2 base: its boot sequence over time, the effect of each
// command on its state, and the status record and game reports it builds from that state.
// Each command code belongs to one subsystem (status and modes, settings, event log,
// wireless receiver, drive, inputs, bootloader); the model hands it to the table of the
// firmware running now. Passive: time moves only when the caller hands in `now`.

#include "basesim/baseconfig.h"
#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "device/wire/devicestatus.h"
#include "device/wire/frames.h"
#include "device/wire/wheelsample.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>

namespace basesim {

using GameReport = std::array<std::uint8_t, 1 + wire::kWheelSampleSize>;

class BaseModel {
public:
    BaseModel(const BaseConfig &config, Milliseconds now);

    BaseState &state() { return state_; }
    const BaseState &state() const { return state_; }

    // Runs every timed transition due up to `now`, each at its own due time.
    void advance(Milliseconds now);

    // The application firmware starts from scratch: RAM rebuilt from what the base keeps
    // (settings from flash, the default profile active, the temporary centre gone), then
    // the boot sequence from mode 0.
    void powerOn(Milliseconds now);
    // The state the boot sequence ends in, reached at once.
    void becomeOperational(Milliseconds now);
    // The application stops and the bootloader runs; it answers only its own commands.
    void enterBootloader();

    // A frame from the host. True when the base answers; `reply` then holds the 61 bytes.
    bool handleCommand(const wire::CommandFrame &frame, Milliseconds now, wire::ReplyBuffer &reply);

    wire::DeviceStatus status() const;
    bool streamsGameReports() const;
    GameReport gameReport(Milliseconds now) const;

    // Set by the bootloader command: when the base leaves the bus to restart in its bootloader.
    std::optional<Milliseconds> bootloaderJumpAt() const { return state_.bootloaderJumpAt; }
    bool saving() const { return state_.sequence.saving; }

    // What each firmware answers.
    static const CommandTable &applicationCommands();
    static const CommandTable &bootloaderCommands();

private:
    BaseState state_;
    Milliseconds driftedAt_ = -1;
    // Source of high-torque challenges and commutation offsets; each base draws its own.
    std::mt19937 random_;
};

} // namespace basesim
