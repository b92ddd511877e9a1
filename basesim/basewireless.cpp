// The receiver's commands as the base answers them. Without a receiver the base knows no
// wheels, and the receiver's status bits read as clear.

#include "basesim/basewireless.h"

#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"

#include <algorithm>

namespace basesim {
namespace {

// Hardware setting id 14, bit 10.
constexpr std::size_t kOptionsHardwareId = 14;
constexpr std::uint32_t kAutoConnectBit = 1u << 10;

wire::ReplyBuffer wheelRecord(const WirelessWheel &wheel)
{
    return wire::encodeWirelessDeviceData(wheel.mac, wheel.name, wheel.signalStrength, wheel.batteryRaw,
                                          wheel.connectionQuality);
}

bool startWirelessScan(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    if (state.wirelessReceiverPresent) {
        state.eventLog.record(event::WirelessTaskChange, 1);
        if (!state.hasFlag(wire::receiverScanning)) {
            state.receiver.scanStartedAt = base.now;
            state.receiver.discoverySteps = 0;
        }
        state.setFlag(wire::receiverScanning, true);
    }
    return false;
}

bool stopWirelessScan(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    if (state.wirelessScanStuck)
        return false;
    if (state.hasFlag(wire::receiverScanning))
        state.eventLog.record(event::WirelessTaskChange, 0);
    state.setFlag(wire::receiverScanning, false);
    return false;
}

// Without a receiver the base knows no wheels; it still answers.
bool replyWirelessCount(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &reply)
{
    const BaseState &state = base.state;
    const std::size_t known = state.wirelessCountOverride ? *state.wirelessCountOverride : state.receiver.wheels.size();
    const std::size_t count = state.wirelessReceiverPresent ? known : 0;
    reply[0] = wire::kReplyReportId;
    reply[1] = static_cast<std::uint8_t>(PacketType::WirelessDeviceCount);
    wire::putU16(reply.data(), reply.size(), 2, static_cast<std::uint16_t>(count));
    return true;
}

bool replyWirelessDevice(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const BaseState &state = base.state;
    const std::size_t index = u16Argument(frame);
    const auto &wheels = state.receiver.wheels;
    reply = state.wirelessReceiverPresent && index < wheels.size() ? wheelRecord(wheels[index])
                                                                   : wire::emptyWirelessDeviceData();
    return true;
}

bool replyCurrentWirelessDevice(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &reply)
{
    const BaseState &state = base.state;
    const auto &wheels = state.receiver.wheels;
    const bool connected =
        state.wirelessReceiverPresent && state.connectedWheel && *state.connectedWheel < wheels.size();
    reply = connected ? wheelRecord(wheels[*state.connectedWheel]) : wire::emptyWirelessDeviceData();
    return true;
}

bool connectWirelessDevice(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    const std::size_t index = u16Argument(frame);
    auto &wheels = state.receiver.wheels;
    if (!state.wirelessReceiverPresent || index >= wheels.size())
        return false;
    // A wheel that stopped announcing does not answer a pairing request.
    if (!wheels[index].paired && base.now >= wheels[index].announcingUntil)
        return false;
    wheels[index].paired = true;
    state.connectedWheel = index;
    state.setFlag(wire::wirelessConn, true);
    state.setFlag(wire::wirelessTorqueOffEvent, false);
    state.eventLog.record(event::WirelessStateChange, 1);
    return false;
}

// A disconnection the user asked for is no radio loss, so torque stays as it is.
bool disconnectWirelessDevice(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    if (!state.connectedWheel)
        return false;
    state.connectedWheel.reset();
    state.setFlag(wire::wirelessConn, false);
    state.eventLog.record(event::WirelessStateChange, 0);
    return false;
}

bool forgetWirelessDevice(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    BaseState &state = base.state;
    if (!state.connectedWheel)
        return false;
    auto &wheels = state.receiver.wheels;
    if (*state.connectedWheel < wheels.size())
        wheels[*state.connectedWheel].paired = false;
    disconnectWirelessDevice(base, frame, reply);
    state.eventLog.record(event::WirelessStateChange, -1);
    return false;
}

} // namespace

void connectAutomatically(BaseState &state)
{
    if (!state.wirelessReceiverPresent || !(state.ram.hardware.word[kOptionsHardwareId] & kAutoConnectBit))
        return;
    const auto &wheels = state.receiver.wheels;
    const auto paired = std::find_if(wheels.begin(), wheels.end(), [](const WirelessWheel &w) { return w.paired; });
    if (paired == wheels.end())
        return;
    state.connectedWheel = static_cast<std::size_t>(paired - wheels.begin());
    state.setFlag(wire::wirelessConn, true);
    state.eventLog.record(event::WirelessStateChange, 1);
}

void wheelsPoweredOn(BaseState &state, std::int64_t now)
{
    for (auto *wheels : {&state.receiver.wheels, &state.receiver.inRange})
        for (WirelessWheel &wheel : *wheels)
            wheel.announcingUntil = now + kWheelAnnouncingMs;
}

void holdPaddles(BaseState &state, std::size_t index, std::int64_t now)
{
    if (index < state.receiver.wheels.size())
        state.receiver.wheels[index].announcingUntil = now + kWheelAnnouncingMs;
}

void holdAllPaddles(BaseState &state, std::int64_t now) { wheelsPoweredOn(state, now); }

void discoverWheels(BaseState &state, std::int64_t now)
{
    WirelessReceiver &receiver = state.receiver;
    if (!state.wirelessReceiverPresent || !state.hasFlag(wire::receiverScanning))
        return;
    const std::int64_t due = (now - receiver.scanStartedAt) / kWheelDiscoveryMs;
    while (receiver.discoverySteps < due) {
        ++receiver.discoverySteps;
        const auto heard = std::find_if(receiver.inRange.begin(), receiver.inRange.end(),
                                        [now](const WirelessWheel &w) { return now < w.announcingUntil; });
        if (heard == receiver.inRange.end())
            continue;
        receiver.wheels.push_back(*heard);
        receiver.inRange.erase(heard);
    }
}

namespace {

// A triangle wave from `low` to `high` and back over `periodMs`, shifted by `phaseMs`.
int triangle(std::int64_t now, std::int64_t periodMs, std::int64_t phaseMs, int low, int high)
{
    const std::int64_t t = (now + phaseMs) % periodMs;
    const std::int64_t half = periodMs / 2;
    const std::int64_t rise = t < half ? t : periodMs - t;
    return low + int(rise * (high - low) / half);
}

} // namespace

void driftWirelessWheels(BaseState &state, std::int64_t now)
{
    std::int64_t phase = 0;
    for (auto *wheels : {&state.receiver.wheels, &state.receiver.inRange}) {
        for (WirelessWheel &wheel : *wheels) {
            wheel.batteryRaw = std::uint8_t(triangle(now, 120000, phase, 62, 110));
            wheel.connectionQuality = std::uint8_t(triangle(now, 40000, phase, 8, 100));
            wheel.signalStrength = std::int8_t(-triangle(now, 40000, phase, 40, 90));
            phase += 17000;
        }
    }
}

void addHostileWheels(BaseState &state, std::int64_t now)
{
    WirelessWheel markup{{0x66, 0x77, 0x88, 0x99, 0xAA, 0xE5}, "<b>Rim</b><img src=x>", -55, 88, 70, false, 0};
    WirelessWheel path{{0x66, 0x77, 0x88, 0x99, 0xAA, 0xF6}, "../../etc/wheel", -60, 90, 80, false, 0};
    markup.announcingUntil = path.announcingUntil = now + kWheelAnnouncingMs;
    state.receiver.wheels.push_back(markup);
    state.receiver.wheels.push_back(path);
}

void loseWirelessWheel(BaseState &state)
{
    if (!state.connectedWheel)
        return;
    state.connectedWheel.reset();
    state.setFlag(wire::wirelessConn, false);
    state.setFlag(wire::wirelessTorqueOffEvent, true);
    state.eventLog.record(event::WirelessStateChange, 0);
}

void addWirelessCommands(CommandTable &table)
{
    table.on(DeviceCommand::startWirelessScan, startWirelessScan);
    table.on(DeviceCommand::stopWirelessScan, stopWirelessScan);
    table.on(DeviceCommand::getNumWirelessDevices, replyWirelessCount);
    table.on(DeviceCommand::getWirelessDeviceData, replyWirelessDevice);
    table.on(DeviceCommand::getCurrentWirelessDeviceData, replyCurrentWirelessDevice);
    table.on(DeviceCommand::connectWirelessDevice, connectWirelessDevice);
    table.on(DeviceCommand::disconnectWirelessDevice, disconnectWirelessDevice);
    table.on(DeviceCommand::forgetWirelessDevice, forgetWirelessDevice);
}

} // namespace basesim
