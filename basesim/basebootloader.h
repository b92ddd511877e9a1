#pragma once
// The bootloader: the application's command that jumps into it, and the bootloader's own
// command table, the only one the base answers from while it sits there. The application's
// commands are unknown to it, as its commands are to the application.

#include "basesim/basetiming.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace basesim {

class CommandTable;
struct BaseState;

// The application's program flash, kept without power. An erased program (or one whose
// new image never passed its check) leaves the base in its bootloader at every power-on.
struct ProgramFlash {
    bool intact = true;
    // What the bootloader has written since the last erase (the factory program is not
    // held as bytes).
    std::vector<std::uint8_t> image;
};

// What the bootloader reports in byte 2 of its status.
enum BootloaderError : std::uint8_t {
    BootloaderOk = 0,
    BootloaderDataBeforeErase = 1,
    BootloaderBadChunkLength = 2,
    BootloaderFlashFull = 3,
    BootloaderNotVerified = 4,
};

// Byte 1 of the status.
enum BootloaderPhase : std::uint8_t {
    PhaseIdle = 0,
    PhaseErasing = 1,
    PhaseReceiving = 2,
    PhaseVerifying = 3,
    PhaseVerified = 4,
    PhaseVerifyFailed = 5,
};

// The bootloader's RAM: lost when it leaves or the power goes.
struct BootloaderSession {
    std::optional<Milliseconds> eraseDoneAt;
    std::size_t writePointer = 0;
    std::uint32_t chunksReceived = 0;
    BootloaderError error = BootloaderOk;
    // A verify request: the CRC is computed at once and reported from `crcReadyAt` on.
    std::optional<Milliseconds> crcReadyAt;
    std::uint32_t computedCrc = 0;
    bool imageMatches = false;
    // Set by a start command on a verified image: when the application takes over.
    std::optional<Milliseconds> leaveAt;

    bool erased(Milliseconds now) const { return eraseDoneAt && now >= *eraseDoneAt; }
    bool crcReady(Milliseconds now) const { return crcReadyAt && now >= *crcReadyAt; }
    BootloaderPhase phase(Milliseconds now) const;
};

// The application stops and the bootloader runs. What the application left in RAM is not
// looked at again until the next power-on.
void enterBootloader(BaseState &state);

// The application's way in: startBootloader.
void addBootloaderEntryCommand(CommandTable &applicationTable);

// What the bootloader answers.
void addBootloaderCommands(CommandTable &bootloaderTable);

} // namespace basesim
