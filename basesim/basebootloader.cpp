#include "basesim/basebootloader.h"

#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"

namespace basesim {
namespace {

// The base finishes the current USB transfer first, so the wizard's second frame still
// arrives; the virtual base leaves the bus when the jump is due.
bool startBootloader(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    if (!state.bootloaderJumpAt) {
        state.eventLog.record(event::CmdStartBootloader);
        state.eventLog.record(event::StateGoingToBootloader);
        state.bootloaderJumpAt = base.now + kBootloaderJumpMs;
    }
    return false;
}

} // namespace

void enterBootloader(BaseState &state)
{
    state.inBootloader = true;
    state.sequence.running = Sequence::None;
    state.sequence.saving = false;
    state.bootloaderJumpAt.reset();
}

void addBootloaderEntryCommand(CommandTable &applicationTable)
{
    applicationTable.on(DeviceCommand::startBootloader, startBootloader);
}

void addBootloaderCommands(CommandTable &)
{
    // None yet: the tool only recognises the bootloader by its product id, and every frame
    // sent to it goes unanswered. The firmware transfer's commands belong here.
}

} // namespace basesim
