#include "wirelessqueries.h"

#include "devicelink.h"

#include <QDebug>

namespace {

WirelessDeviceData current;

enum class RecordRead { Ok, WriteFailed, NoReply, WrongReply };

// Write, read and check, without closing anything: the callers differ in what they close.
RecordRead readRecord(const wire::CommandFrame &frame, const char *context, WirelessDeviceData &record)
{
    if (!writeReport(frame))
        return RecordRead::WriteFailed;
    wire::ReplyBuffer reply{};
    if (!readReply(reply, context))
        return RecordRead::NoReply;
    if (!wire::hasPacketType(reply, PacketType::WirelessDeviceRecord))
        return RecordRead::WrongReply;
    record = wire::decodeWirelessDeviceData(reply.data(), reply.size());
    return RecordRead::Ok;
}

} // namespace

WirelessDeviceData &currentWirelessDevice() { return current; }

bool getNumWirelessDevices(std::uint16_t &count)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::bareCommand(DeviceCommand::getNumWirelessDevices), reply, PacketType::WirelessDeviceCount,
                 "getNumWirelessDevices"))
        return false;
    count = static_cast<std::uint16_t>(reply[2] | (reply[3] << 8));
    return true;
}

bool getWirelessDeviceData(std::uint16_t index, WirelessDeviceData &record)
{
    if (!deviceLink().connected)
        return false;
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
    closeLinkAfterFailure();
    return false;
}

bool getCurrentWirelessDeviceData()
{
    if (!deviceLink().connected)
        return false;
    switch (readRecord(wire::bareCommand(DeviceCommand::getCurrentWirelessDeviceData),
                       "getCurrentWirelessDeviceData", current)) {
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
    closeLinkAfterFailure();
    return false;
}
