#include "device/wire/wirelessdevicedata.h"

#include <algorithm>

namespace wire {

MacAddress WirelessDeviceData::mac() const
{
    MacAddress mac{};
    std::copy_n(bytes.begin() + kWirelessMacOffset, kWirelessMacSize, mac.begin());
    return mac;
}

std::string WirelessDeviceData::name() const
{
    const std::size_t limit = std::min<std::size_t>(nameLength(), kWirelessNameMaxLength);
    const auto first = bytes.begin() + kWirelessNameOffset;
    const auto end = std::find(first, first + limit, std::uint8_t{0});
    return std::string(first, end);
}

WirelessDeviceData decodeWirelessDeviceData(const std::uint8_t *reply, std::size_t length)
{
    WirelessDeviceData record;
    std::copy(reply, reply + std::min(length, record.bytes.size()), record.bytes.begin());
    const std::size_t nameLength = std::min<std::size_t>(record.nameLength(), kWirelessNameMaxLength);
    record.bytes[kWirelessNameOffset + nameLength] = 0;
    return record;
}

ReplyBuffer emptyWirelessDeviceData()
{
    ReplyBuffer reply{};
    reply[0] = kReplyReportId;
    reply[1] = static_cast<std::uint8_t>(PacketType::WirelessDeviceRecord);
    return reply;
}

ReplyBuffer encodeWirelessDeviceData(const MacAddress &mac, const std::string &name, std::int8_t signalStrength,
                                     std::uint8_t batteryRaw, std::uint8_t connectionQuality)
{
    ReplyBuffer reply = emptyWirelessDeviceData();
    std::copy(mac.begin(), mac.end(), reply.begin() + kWirelessMacOffset);
    const std::size_t nameLength = std::min(name.size(), kWirelessNameMaxLength);
    std::copy_n(name.begin(), nameLength, reply.begin() + kWirelessNameOffset);
    reply[kWirelessSignalOffset] = static_cast<std::uint8_t>(signalStrength);
    reply[kWirelessNameLengthOffset] = static_cast<std::uint8_t>(nameLength);
    reply[kWirelessBatteryOffset] = batteryRaw;
    reply[kWirelessQualityOffset] = connectionQuality;
    return reply;
}

} // namespace wire
