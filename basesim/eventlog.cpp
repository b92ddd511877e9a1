#include "basesim/eventlog.h"

#include "basesim/basedrive.h"
#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"
#include "device/wire/eventlogchunk.h"

namespace basesim {
namespace {

bool replyEventLogChunk(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const std::uint16_t start = u16Argument(frame);
    EventLog &log = base.state.eventLog;
    // A download from the start logs itself once, as the last entry before the ring
    // stands still until the host ends the read.
    if (start == 0)
        log.record(event::CmdEventLogDownload, start);
    log.frozen = true;
    wire::EventCodes codes{};
    wire::EventValues values{};
    for (std::size_t k = 0; k < wire::kEventLogChunkEntries; ++k) {
        codes[k] = log.codeAt(start + k);
        values[k] = log.valueAt(start + k);
    }
    reply = wire::encodeEventLogChunk(log.head, codes, values);
    return true;
}

bool endEventLogRead(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    base.state.eventLog.frozen = false;
    return false;
}

// A level outside the verbosity list is ignored.
bool setEventLogVerbosity(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    const std::uint16_t level = u16Argument(frame);
    base.state.eventLog.record(event::CmdSetVerbosity, level);
    if (level < kEventLogVerbosityLevels)
        base.state.eventLogVerbosity = static_cast<std::uint8_t>(level);
    return false;
}

} // namespace

void logBoot(BaseState &state)
{
    EventLog &log = state.eventLog;
    log.record(event::Boot, state.firmwareMajor * 10000 + state.firmwareMinor * 100 + state.firmwarePatch);
    log.record(event::FlashSettingsLoaded, state.ram.profileCount);
    log.record(event::InitialConfigDone);
    log.record(event::SerialNumber, state.drive.parameters[drive::SerialNumber]);
}

void addEventLogCommands(CommandTable &table)
{
    table.on(DeviceCommand::getLogData, replyEventLogChunk);
    table.on(DeviceCommand::endEventLogRead, endEventLogRead);
    table.on(DeviceCommand::setEventLogVerbosity, setEventLogVerbosity);
}

} // namespace basesim
