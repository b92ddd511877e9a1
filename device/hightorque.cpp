#include "hightorque.h"

#include "clock.h"
#include "devicelink.h"
#include "driveparameters.h"
#include "hightorquechallenge.h"

namespace {

HighTorqueFrame frame;

// Slot 0 of every frame of the interlock: address 6071 with the marker in byte 3.
void markInterlockSlot(std::int32_t value)
{
    frame.setAddress(0, wire::kHighTorqueAddress);
    frame.setValue(0, value);
    frame.setHighTorqueMarker(true);
}

bool sendInterlockWrite()
{
    frame.setCommand(DeviceCommand::writeDriveParameters);
    return sendRequest(frame.bytes);
}

} // namespace

HighTorqueFrame &highTorqueFrame() { return frame; }

bool requestHighTorqueChallenge()
{
    wire::ReplyBuffer reply{};
    if (!request(wire::bareCommand(DeviceCommand::requestReadDriveParameters), reply,
                 PacketType::DriveParameterBlock, "requestHighTorqueChallenge"))
        return false;
    wire::storeDriveParameterReply(reply.data(), reply.size(), frame);
    return true;
}

bool enterHighTorqueMode()
{
    for (std::size_t slot = 1; slot < wire::kDriveParameterSlots; ++slot) {
        frame.setAddress(slot, 0);
        frame.setValue(slot, 0);
    }
    markInterlockSlot(0);
    frame.setCommand(DeviceCommand::requestDriveParameters);
    const bool requested = sendRequest(frame.bytes);
    linkclock::sleepMs(kDriveParameterSettleMs);
    if (!requested || !requestHighTorqueChallenge())
        return false;

    const auto challenge = static_cast<std::uint32_t>(frame.value(0));
    markInterlockSlot(static_cast<std::int32_t>(wire::highTorqueResponse(challenge)));
    return sendInterlockWrite();
}

bool leaveHighTorqueMode()
{
    markInterlockSlot(0);
    return sendInterlockWrite();
}
