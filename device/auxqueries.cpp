// The event ring, the wireless receiver, the servo drive's parameters and the
// high-torque interlock.

#include "device/devicelink.h"

#include "device/hid/clock.h"
#include "device/wire/hightorquechallenge.h"

#include <QDebug>

bool DeviceLink::getLogData(std::uint16_t start)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::u16Command(DeviceCommand::getLogData, start), reply, PacketType::EventLogChunk,
                 "getLogData")) {
        lastError_.prepend(QStringLiteral("reading event log position %1: ").arg(start));
        return false;
    }
    eventLogChunk_ = wire::decodeEventLogChunk(reply.data(), reply.size());
    return true;
}

// Write, read and check, without closing anything: the callers differ in what they close.
DeviceLink::RecordRead DeviceLink::readRecord(const wire::CommandFrame &frame, const char *context,
                                              WirelessDeviceData &record)
{
    if (!writeReport(frame))
        return RecordRead::WriteFailed;
    wire::ReplyBuffer reply{};
    if (!readReply(reply, context))
        return RecordRead::NoReply;
    if (!wire::hasPacketType(reply, PacketType::WirelessDeviceRecord)) {
        fail(FailureKind::Refused, QStringLiteral("unexpected reply of packet type 0x%1").arg(reply[1], 2, 16, QLatin1Char('0')));
        return RecordRead::WrongReply;
    }
    record = wire::decodeWirelessDeviceData(reply.data(), reply.size());
    return RecordRead::Ok;
}

bool DeviceLink::getNumWirelessDevices(std::uint16_t &count)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::bareCommand(DeviceCommand::getNumWirelessDevices), reply, PacketType::WirelessDeviceCount,
                 "getNumWirelessDevices")) {
        lastError_.prepend(QLatin1String("counting wireless wheels: "));
        return false;
    }
    count = static_cast<std::uint16_t>(reply[2] | (reply[3] << 8));
    return true;
}

bool DeviceLink::getWirelessDeviceData(std::uint16_t index, WirelessDeviceData &record)
{
    if (!connected_) {
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
        return false;
    }
    switch (readRecord(wire::u16Command(DeviceCommand::getWirelessDeviceData, index), "getWirelessDeviceData",
                       record)) {
    case RecordRead::Ok:
        return true;
    case RecordRead::WriteFailed:
        qDebug() << "disconnection2wireless";
        break;
    case RecordRead::NoReply:
        qDebug() << "disconnection3wireless";
        break;
    case RecordRead::WrongReply:
        qDebug() << "disconnectiongetBleDeviceData3";
        break;
    }
    lastError_.prepend(QStringLiteral("reading wireless wheel %1: ").arg(index));
    closeLinkAfterFailure();
    return false;
}

bool DeviceLink::getCurrentWirelessDeviceData()
{
    if (!connected_) {
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
        return false;
    }
    switch (readRecord(wire::bareCommand(DeviceCommand::getCurrentWirelessDeviceData),
                       "getCurrentWirelessDeviceData", currentWirelessDevice_)) {
    case RecordRead::Ok:
        return true;
    case RecordRead::NoReply:
        return false;
    case RecordRead::WriteFailed:
        qDebug() << "disconnection2wirelesscurrent";
        break;
    case RecordRead::WrongReply:
        qDebug() << "disconnectiongetCurrentBleDeviceData3";
        break;
    }
    lastError_.prepend(QLatin1String("reading the connected wireless wheel: "));
    closeLinkAfterFailure();
    return false;
}

bool DeviceLink::sendDriveFrame(DeviceCommand code, const DriveParameterFrame &frame)
{
    DriveParameterFrame out = frame;
    out.setCommand(code);
    return sendRequest(out.bytes);
}

bool DeviceLink::requestDriveParameters(const DriveParameterFrame &frame)
{
    return sendDriveFrame(DeviceCommand::requestDriveParameters, frame);
}

bool DeviceLink::writeDriveParameters(const DriveParameterFrame &frame)
{
    return sendDriveFrame(DeviceCommand::writeDriveParameters, frame);
}

bool DeviceLink::requestReadDriveParameters(DriveParameterFrame &frame)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::bareCommand(DeviceCommand::requestReadDriveParameters), reply,
                 PacketType::DriveParameterBlock, "requestReadDriveParameters")) {
        lastError_.prepend(QLatin1String("reading drive parameters: "));
        return false;
    }
    wire::storeDriveParameterReply(reply.data(), reply.size(), frame);
    return true;
}

bool DeviceLink::readDriveParameters(const DriveAddresses &addresses, DriveParameterFrame &frame)
{
    frame = wire::driveParameterRequest(addresses);
    const bool requested = requestDriveParameters(frame);
    linkclock::sleepMs(kDriveParameterSettleMs);
    return requested && requestReadDriveParameters(frame);
}

// Slot 0 of every frame of the interlock: address 6071 with the marker in byte 3.
void DeviceLink::markInterlockSlot(std::int32_t value)
{
    highTorqueFrame_.setAddress(0, wire::kHighTorqueAddress);
    highTorqueFrame_.setValue(0, value);
    highTorqueFrame_.setHighTorqueMarker(true);
}

bool DeviceLink::sendInterlockWrite()
{
    highTorqueFrame_.setCommand(DeviceCommand::writeDriveParameters);
    return sendRequest(highTorqueFrame_.bytes);
}

bool DeviceLink::requestHighTorqueChallenge()
{
    wire::ReplyBuffer reply{};
    if (!request(wire::bareCommand(DeviceCommand::requestReadDriveParameters), reply,
                 PacketType::DriveParameterBlock, "requestHighTorqueChallenge"))
        return false;
    wire::storeDriveParameterReply(reply.data(), reply.size(), highTorqueFrame_);
    return true;
}

bool DeviceLink::enterHighTorqueMode()
{
    for (std::size_t slot = 1; slot < wire::kDriveParameterSlots; ++slot) {
        highTorqueFrame_.setAddress(slot, 0);
        highTorqueFrame_.setValue(slot, 0);
    }
    markInterlockSlot(0);
    highTorqueFrame_.setCommand(DeviceCommand::requestDriveParameters);
    const bool requested = sendRequest(highTorqueFrame_.bytes);
    linkclock::sleepMs(kDriveParameterSettleMs);
    if (!requested || !requestHighTorqueChallenge())
        return false;
    const auto challenge = static_cast<std::uint32_t>(highTorqueFrame_.value(0));
    markInterlockSlot(static_cast<std::int32_t>(wire::highTorqueResponse(challenge)));
    return sendInterlockWrite();
}

bool DeviceLink::leaveHighTorqueMode()
{
    markInterlockSlot(0);
    return sendInterlockWrite();
}
