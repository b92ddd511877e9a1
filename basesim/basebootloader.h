#pragma once
// The bootloader: the application's command that jumps into it, and the bootloader's own
// command table, the only one the base answers from while it sits there. The application's
// commands are unknown to it, as its commands are to the application.

namespace basesim {

class CommandTable;
struct BaseState;

// The application stops and the bootloader runs. What the application left in RAM is not
// looked at again until the next power-on.
void enterBootloader(BaseState &state);

// The application's way in: startBootloader.
void addBootloaderEntryCommand(CommandTable &applicationTable);

// What the bootloader answers.
void addBootloaderCommands(CommandTable &bootloaderTable);

} // namespace basesim
