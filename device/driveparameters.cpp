#include "driveparameters.h"

#include "clock.h"
#include "devicelink.h"

namespace {

bool sendAs(DeviceCommand code, const DriveParameterFrame &frame)
{
    DriveParameterFrame out = frame;
    out.setCommand(code);
    return sendRequest(out.bytes);
}

} // namespace

bool requestDriveParameters(const DriveParameterFrame &frame)
{
    return sendAs(DeviceCommand::requestDriveParameters, frame);
}

bool writeDriveParameters(const DriveParameterFrame &frame)
{
    return sendAs(DeviceCommand::writeDriveParameters, frame);
}

bool requestReadDriveParameters(DriveParameterFrame &frame)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::bareCommand(DeviceCommand::requestReadDriveParameters), reply,
                 PacketType::DriveParameterBlock, "requestReadDriveParameters"))
        return false;
    wire::storeDriveParameterReply(reply.data(), reply.size(), frame);
    return true;
}

bool readDriveParameters(const DriveAddresses &addresses, DriveParameterFrame &frame)
{
    frame = wire::driveParameterRequest(addresses);
    const bool requested = requestDriveParameters(frame);
    linkclock::sleepMs(kDriveParameterSettleMs);
    return requested && requestReadDriveParameters(frame);
}
