#pragma once
// Status and modes: the boot sequence over time, the operating mode, the E-stop and the
// drive's faults, flash saves (mode 12), effects, and the status record built from them.

#include "basesim/basetiming.h"
#include "device/wire/devicestatus.h"

#include <cstdint>

namespace basesim {

class CommandTable;
struct BaseState;

// The timed run of modes the base is in, if any.
enum class Sequence { None, Boot, DriveRestart };

struct ModeSequence {
    Sequence running = Sequence::None;
    Milliseconds stepEndsAt = 0;
    // Pressed while running: its release clears the drive faults.
    bool estopCycling = false;
    // A flash save freezes any running sequence; it resumes with the time it had left.
    bool saving = false;
    Milliseconds saveEndsAt = 0;
    std::uint32_t modeAfterSave = 0;
    Milliseconds frozenStepRemaining = 0;
};

// Runs every timed transition due up to `now`, each at its own due time.
void advanceModes(BaseState &state, Milliseconds now);
// The state the boot sequence ends in, reached at once from its start.
void finishBootAtOnce(BaseState &state);
// Mode 12: RAM settings go to flash while the running sequence waits.
void startSave(BaseState &state, Milliseconds now);
// The drive starts over: forces off, modes 2 and 3, then operational again.
void startDriveRestart(BaseState &state, Milliseconds now);

wire::DeviceStatus deviceStatus(const BaseState &state);

// The status record, forces and effects, and the no-op.
void addStatusCommands(CommandTable &table);

} // namespace basesim
