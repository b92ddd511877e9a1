// The auxiliary queries as the base answers them: chunks of its event ring, the wireless
// receiver's wheels, and the servo drive's parameters with the high-torque interlock.

#include "basemodel.h"

#include "basedefaults.h"
#include "bytes.h"
#include "eventcodes.h"
#include "eventlogchunk.h"
#include "hightorquechallenge.h"
#include "wirelessdevicedata.h"

namespace basesim {
namespace {

std::uint16_t u16Argument(const wire::CommandFrame &frame) { return wire::getU16(frame.data(), frame.size(), 2); }

wire::ReplyBuffer wheelRecord(const WirelessWheel &wheel)
{
    return wire::encodeWirelessDeviceData(wheel.mac, wheel.name, wheel.signalStrength, wheel.batteryRaw,
                                          wheel.connectionQuality);
}

} // namespace

bool BaseModel::replyEventLogChunk(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const std::uint16_t start = u16Argument(frame);
    // Once per download, so reading the ring does not push its own entries through it.
    if (start == 0)
        logEvent(event::CmdEventLogDownload, start);
    const EventLog &log = state_.eventLog;
    wire::EventCodes codes{};
    wire::EventValues values{};
    for (std::size_t k = 0; k < wire::kEventLogChunkEntries; ++k) {
        codes[k] = log.codeAt(start + k);
        values[k] = log.valueAt(start + k);
    }
    reply = wire::encodeEventLogChunk(log.head, codes, values);
    return true;
}

// Without a receiver the base knows no wheels; it still answers.
bool BaseModel::replyWirelessCount(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &reply)
{
    const std::size_t count = state_.wirelessReceiverPresent ? state_.receiver.wheels.size() : 0;
    reply[0] = wire::kReplyReportId;
    reply[1] = static_cast<std::uint8_t>(PacketType::WirelessDeviceCount);
    wire::putU16(reply.data(), reply.size(), 2, static_cast<std::uint16_t>(count));
    return true;
}

bool BaseModel::replyWirelessDevice(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const std::size_t index = u16Argument(frame);
    const auto &wheels = state_.receiver.wheels;
    reply = state_.wirelessReceiverPresent && index < wheels.size() ? wheelRecord(wheels[index])
                                                                    : wire::emptyWirelessDeviceData();
    return true;
}

bool BaseModel::replyCurrentWirelessDevice(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &reply)
{
    const auto &receiver = state_.receiver;
    const bool connected = state_.wirelessReceiverPresent && receiver.connected
        && *receiver.connected < receiver.wheels.size();
    reply = connected ? wheelRecord(receiver.wheels[*receiver.connected]) : wire::emptyWirelessDeviceData();
    return true;
}

bool BaseModel::connectWirelessDevice(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const std::size_t index = u16Argument(frame);
    WirelessReceiver &receiver = state_.receiver;
    if (!state_.wirelessReceiverPresent || index >= receiver.wheels.size())
        return false;
    receiver.wheels[index].paired = true;
    receiver.connected = index;
    state_.setFlag(wire::wirelessConn, true);
    state_.setFlag(wire::wirelessTorqueOffEvent, false);
    logEvent(event::WirelessStateChange, 1);
    return false;
}

// A disconnection the user asked for is no radio loss, so torque stays as it is.
bool BaseModel::disconnectWirelessDevice(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    if (!state_.receiver.connected)
        return false;
    state_.receiver.connected.reset();
    state_.setFlag(wire::wirelessConn, false);
    logEvent(event::WirelessStateChange, 0);
    return false;
}

bool BaseModel::forgetWirelessDevice(const wire::CommandFrame &frame, Milliseconds now, wire::ReplyBuffer &reply)
{
    WirelessReceiver &receiver = state_.receiver;
    if (!receiver.connected)
        return false;
    if (*receiver.connected < receiver.wheels.size())
        receiver.wheels[*receiver.connected].paired = false;
    disconnectWirelessDevice(frame, now, reply);
    logEvent(event::WirelessStateChange, -1);
    return false;
}

// Latches the addresses (up to the first zero) for the next fetch. With the interlock
// marker and address 6071 in slot 0 it is the high-torque request: a fresh challenge.
bool BaseModel::requestDriveParameters(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    wire::DriveParameterFrame request;
    request.bytes = frame;
    DriveState &drive = state_.drive;
    drive.latched = {};
    for (std::size_t slot = 0; slot < request.usedSlots(); ++slot)
        drive.latched[slot] = request.address(slot);
    drive.latchedHighTorque = request.highTorqueMarked() && request.address(0) == wire::kHighTorqueAddress;
    if (drive.latchedHighTorque) {
        // A challenge whose answer is 0 could not be told from "leave high torque".
        do
            drive.challenge = static_cast<std::uint32_t>(random_());
        while (wire::highTorqueResponse(*drive.challenge) == 0);
    }
    return false;
}

bool BaseModel::replyDriveParameters(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &reply)
{
    const DriveState &drive = state_.drive;
    std::array<std::int32_t, wire::kDriveParameterSlots> values{};
    for (std::size_t slot = 0; slot < values.size() && drive.latched[slot] != 0; ++slot)
        values[slot] = driveParameter(drive.latched[slot]);
    if (drive.latchedHighTorque)
        values[0] = static_cast<std::int32_t>(drive.challenge.value_or(0));
    reply = wire::encodeDriveParameterReply(drive.latched, values, drive.latchedHighTorque);
    return true;
}

bool BaseModel::writeDriveParameters(const wire::CommandFrame &frame, Milliseconds now, wire::ReplyBuffer &)
{
    wire::DriveParameterFrame write;
    write.bytes = frame;
    if (write.usedSlots() > 0)
        logEvent(event::CmdSetDriveParameters, write.address(0));
    for (std::size_t slot = 0; slot < write.usedSlots(); ++slot)
        writeDriveParameter(write.address(slot), write.value(slot), write.highTorqueMarked(), now);
    return false;
}

// Some addresses show the base's own state rather than a stored value.
std::int32_t BaseModel::driveParameter(std::uint16_t address) const
{
    switch (address) {
    case drive::StatusWord:
        return state_.estopPressed ? drive::StatusEstopBit : 0;
    case drive::FaultActive:
        return static_cast<std::int32_t>(state_.driveFaults);
    case drive::FaultLocation:
        return static_cast<std::int32_t>(state_.faultLocation);
    case wire::kHighTorqueAddress:
        return state_.hasFlag(wire::highTorque) ? 1 : 0;
    default:
        break;
    }
    const auto it = state_.drive.parameters.find(address);
    return it != state_.drive.parameters.end() ? it->second : 0;
}

void BaseModel::writeDriveParameter(std::uint16_t address, std::int32_t value, bool interlockMarked, Milliseconds now)
{
    switch (address) {
    case wire::kHighTorqueAddress:
        // Outside the interlock's frames the address is not writable.
        if (interlockMarked)
            answerHighTorque(value);
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
            auto &parameters = state_.drive.parameters;
            if (parameters[drive::CommutationInitSource] == 0)
                parameters[drive::CommutationOffset] = static_cast<std::int32_t>(random_() % 4096);
            startDriveRestart(now);
        }
        return;
    default:
        state_.drive.parameters[address] = value;
    }
}

// 0 always leaves high torque; anything else must answer the one outstanding challenge.
void BaseModel::answerHighTorque(std::int32_t response)
{
    DriveState &drive = state_.drive;
    if (response == 0) {
        state_.setFlag(wire::highTorque, false);
        logEvent(event::HighTorqueChange, 0);
        return;
    }
    const bool correct = drive.challenge
        && static_cast<std::uint32_t>(response) == wire::highTorqueResponse(*drive.challenge);
    drive.challenge.reset();
    state_.setFlag(wire::highTorque, correct);
    logEvent(event::HighTorqueChange, correct ? 1 : -1);
}

} // namespace basesim
