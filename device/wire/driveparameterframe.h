#pragma once
// Nine servo drive parameter addresses and values in one frame, in the shape of an
// indexed write: the same 60 bytes go out (0x96 write, 0x97 read request, 0x98 fetch)
// and come back (0x99), so a frame is kept whole and only its slots are interpreted.

#include "device/wire/frames.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

constexpr std::size_t kDriveParameterSlots = 9;
constexpr std::size_t kDriveAddressesOffset = 4;
constexpr std::size_t kDriveValuesOffset = 22;
constexpr std::size_t kDriveParameterReplySize = 58;   // reply bytes 0..57 are kept

// Byte 3 of every frame of the high-torque interlock, and the drive address it uses.
constexpr std::uint8_t kHighTorqueMarker = 0x6B;
constexpr std::uint16_t kHighTorqueAddress = 6071;

using DriveAddresses = std::array<std::uint16_t, kDriveParameterSlots>;

struct DriveParameterFrame {
    std::array<std::uint8_t, kCommandFrameSize> bytes{};

    // Slots outside 0..8 read as 0 and are not written.
    std::uint16_t address(std::size_t slot) const;
    std::int32_t value(std::size_t slot) const;
    void setAddress(std::size_t slot, std::uint16_t address);
    void setValue(std::size_t slot, std::int32_t value);

    // Report id 0x6B and the code in bytes 0..1; the rest stays as it is.
    void setCommand(DeviceCommand code);
    bool highTorqueMarked() const { return bytes[3] == kHighTorqueMarker; }
    void setHighTorqueMarker(bool on) { bytes[3] = on ? kHighTorqueMarker : 0; }

    // Slots in use: up to the first zero address, which ends the list.
    std::size_t usedSlots() const;
};

using HighTorqueFrame = DriveParameterFrame;

// A zeroed frame with the addresses in their slots and every value 0.
DriveParameterFrame driveParameterRequest(const DriveAddresses &addresses);
// Reply bytes 0..57 replace the frame's; bytes 58..59 keep theirs. Missing bytes read as zero.
void storeDriveParameterReply(const std::uint8_t *reply, std::size_t length, DriveParameterFrame &frame);
// The base's 0x99 reply.
ReplyBuffer encodeDriveParameterReply(const DriveAddresses &addresses,
                                      const std::array<std::int32_t, kDriveParameterSlots> &values,
                                      bool highTorqueMarked);

} // namespace wire
