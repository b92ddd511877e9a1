#include "device/wire/driveparameterframe.h"

#include "device/wire/bytes.h"

#include <algorithm>

namespace wire {

std::uint16_t DriveParameterFrame::address(std::size_t slot) const
{
    return slot < kDriveParameterSlots ? getU16(bytes.data(), bytes.size(), kDriveAddressesOffset + 2 * slot) : 0;
}

std::int32_t DriveParameterFrame::value(std::size_t slot) const
{
    if (slot >= kDriveParameterSlots)
        return 0;
    return static_cast<std::int32_t>(getU32(bytes.data(), bytes.size(), kDriveValuesOffset + 4 * slot));
}

void DriveParameterFrame::setAddress(std::size_t slot, std::uint16_t address)
{
    if (slot < kDriveParameterSlots)
        putU16(bytes.data(), bytes.size(), kDriveAddressesOffset + 2 * slot, address);
}

void DriveParameterFrame::setValue(std::size_t slot, std::int32_t value)
{
    if (slot < kDriveParameterSlots)
        putU32(bytes.data(), bytes.size(), kDriveValuesOffset + 4 * slot, static_cast<std::uint32_t>(value));
}

void DriveParameterFrame::setCommand(DeviceCommand code)
{
    bytes[0] = kCommandReportId;
    bytes[1] = static_cast<std::uint8_t>(code);
}

std::size_t DriveParameterFrame::usedSlots() const
{
    std::size_t n = 0;
    while (n < kDriveParameterSlots && address(n) != 0)
        ++n;
    return n;
}

DriveParameterFrame driveParameterRequest(const DriveAddresses &addresses)
{
    DriveParameterFrame frame;
    for (std::size_t slot = 0; slot < kDriveParameterSlots; ++slot)
        frame.setAddress(slot, addresses[slot]);
    return frame;
}

void storeDriveParameterReply(const std::uint8_t *reply, std::size_t length, DriveParameterFrame &frame)
{
    const std::size_t n = std::min(length, kDriveParameterReplySize);
    std::copy(reply, reply + n, frame.bytes.begin());
    std::fill(frame.bytes.begin() + n, frame.bytes.begin() + kDriveParameterReplySize, std::uint8_t{0});
}

ReplyBuffer encodeDriveParameterReply(const DriveAddresses &addresses,
                                      const std::array<std::int32_t, kDriveParameterSlots> &values,
                                      bool highTorqueMarked)
{
    ReplyBuffer reply{};
    reply[0] = kReplyReportId;
    reply[1] = static_cast<std::uint8_t>(PacketType::DriveParameterBlock);
    reply[3] = highTorqueMarked ? kHighTorqueMarker : 0;
    for (std::size_t slot = 0; slot < kDriveParameterSlots; ++slot) {
        putU16(reply.data(), reply.size(), kDriveAddressesOffset + 2 * slot, addresses[slot]);
        putU32(reply.data(), reply.size(), kDriveValuesOffset + 4 * slot, static_cast<std::uint32_t>(values[slot]));
    }
    return reply;
}

} // namespace wire
