#include "basesim/basedrive.h"

#include "basesim/basestate.h"
#include "basesim/basestatus.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"
#include "device/wire/hightorquechallenge.h"

namespace basesim {
namespace {

// Some addresses show the base's own state rather than a stored value.
std::int32_t driveParameter(const BaseState &state, std::uint16_t address)
{
    switch (address) {
    case drive::StatusWord:
        return state.estopPressed ? drive::kStatusWordEstopBit : 0;
    case drive::FaultActive:
        return static_cast<std::int32_t>(state.driveFaults);
    case drive::FaultLocation:
        return static_cast<std::int32_t>(state.faultLocation);
    case wire::kHighTorqueAddress:
        return state.hasFlag(wire::highTorque) ? 1 : 0;
    default:
        break;
    }
    const auto it = state.drive.parameters.find(address);
    return it != state.drive.parameters.end() ? it->second : 0;
}

// 0 always leaves high torque; anything else must answer the one outstanding challenge.
void answerHighTorque(BaseState &state, std::int32_t response)
{
    DriveReadLatch &read = state.driveRead;
    if (response == 0) {
        state.setFlag(wire::highTorque, false);
        state.eventLog.record(event::HighTorqueChange, 0);
        return;
    }
    const bool correct = read.challenge
        && static_cast<std::uint32_t>(response) == wire::highTorqueResponse(*read.challenge);
    read.challenge.reset();
    state.setFlag(wire::highTorque, correct);
    state.eventLog.record(event::HighTorqueChange, correct ? 1 : -1);
}

void writeDriveParameter(CommandContext &base, std::uint16_t address, std::int32_t value, bool interlockMarked)
{
    BaseState &state = base.state;
    switch (address) {
    case wire::kHighTorqueAddress:
        // Outside the interlock's frames the address is not writable.
        if (interlockMarked)
            answerHighTorque(state, value);
        return;
    case drive::StatusWord:
    case drive::FaultActive:
    case drive::FaultLocation:
    case drive::SerialNumber:
    case drive::UniqueId:
        return;   // read-only
    case drive::SaveAndRestart:
        if (value == 1) {
            // With the init source cleared the drive measures its commutation afresh.
            auto &parameters = state.drive.parameters;
            if (parameters[drive::CommutationInitSource] == 0)
                parameters[drive::CommutationOffset] = static_cast<std::int32_t>(base.random() % 4096);
            startDriveRestart(state, base.now);
        }
        return;
    default:
        state.drive.parameters[address] = value;
    }
}

// Other numbers belong to the drive itself and change nothing the base reports.
bool driveSystemCommand(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    if (u16Argument(frame) == kDriveSystemRestart) {
        base.state.eventLog.record(event::CmdRestartDrive, kDriveSystemRestart);
        startDriveRestart(base.state, base.now);
    }
    return false;
}

// Latches the addresses (up to the first zero) for the next fetch. With the interlock
// marker and address 6071 in slot 0 it is the high-torque request: a fresh challenge.
bool requestDriveParameters(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    wire::DriveParameterFrame request;
    request.bytes = frame;
    DriveReadLatch &read = base.state.driveRead;
    read.latched = {};
    for (std::size_t slot = 0; slot < request.usedSlots(); ++slot)
        read.latched[slot] = request.address(slot);
    read.latchedHighTorque = request.highTorqueMarked() && request.address(0) == wire::kHighTorqueAddress;
    if (read.latchedHighTorque) {
        // A challenge whose answer is 0 could not be told from "leave high torque".
        do
            read.challenge = static_cast<std::uint32_t>(base.random());
        while (wire::highTorqueResponse(*read.challenge) == 0);
    }
    return false;
}

bool replyDriveParameters(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &reply)
{
    const DriveReadLatch &read = base.state.driveRead;
    std::array<std::int32_t, wire::kDriveParameterSlots> values{};
    for (std::size_t slot = 0; slot < values.size() && read.latched[slot] != 0; ++slot)
        values[slot] = driveParameter(base.state, read.latched[slot]);
    if (read.latchedHighTorque)
        values[0] = static_cast<std::int32_t>(read.challenge.value_or(0));
    reply = wire::encodeDriveParameterReply(read.latched, values, read.latchedHighTorque);
    return true;
}

bool writeDriveParameters(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    wire::DriveParameterFrame write;
    write.bytes = frame;
    if (write.usedSlots() > 0)
        base.state.eventLog.record(event::CmdSetDriveParameters, write.address(0));
    for (std::size_t slot = 0; slot < write.usedSlots(); ++slot)
        writeDriveParameter(base, write.address(slot), write.value(slot), write.highTorqueMarked());
    return false;
}

} // namespace

void addDriveCommands(CommandTable &table)
{
    table.on(DeviceCommand::driveSystemCommand, driveSystemCommand);
    table.on(DeviceCommand::writeDriveParameters, writeDriveParameters);
    table.on(DeviceCommand::requestDriveParameters, requestDriveParameters);
    table.on(DeviceCommand::requestReadDriveParameters, replyDriveParameters);
    // Not modelled, so no reply: the telemetry transfers (0x9A).
}

} // namespace basesim
