#pragma once
// Command and reply frames: pure builders and accessors, no I/O.

#include "device/wire/devicecommand.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

constexpr std::uint8_t kCommandReportId = 0x6B;  // 'k'
constexpr std::uint8_t kReplyReportId = 0x6C;    // 'l'
constexpr std::uint8_t kGameReportId = 0x04;     // game-controller input report
constexpr std::uint8_t kBootloaderOutReportId = 0x7B;
constexpr std::uint8_t kBootloaderInReportId = 0x7C;

constexpr std::size_t kCommandFrameSize = 60;
constexpr std::size_t kReplyBufferSize = 61;
constexpr std::size_t kGameReportReadSize = 34;
constexpr std::size_t kIndexedSlots = 9;
constexpr std::size_t kBlockDataSize = 32;

using CommandFrame = std::array<std::uint8_t, kCommandFrameSize>;
using ReplyBuffer = std::array<std::uint8_t, kReplyBufferSize>;
using SlotIds = std::array<std::uint16_t, kIndexedSlots>;
using SlotValues = std::array<std::uint32_t, kIndexedSlots>;

// Offsets inside an indexed frame.
constexpr std::size_t kIndexedIdsOffset = 4;
constexpr std::size_t kIndexedWriteValuesOffset = 22;
constexpr std::size_t kBlockDataOffset = 6;

CommandFrame bareCommand(DeviceCommand code);
CommandFrame u16Command(DeviceCommand code, std::uint16_t argument);
CommandFrame indexedReadCommand(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                                const SlotIds &ids);
CommandFrame indexedWriteCommand(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                                 const SlotIds &ids, const SlotValues &values);
CommandFrame blockCommand(DeviceCommand code, std::uint16_t selector,
                          const std::array<std::uint8_t, kBlockDataSize> &data);

inline std::uint8_t commandCode(const CommandFrame &frame) { return frame[1]; }

// A reply report is one of ours when its report id is 0x6C; byte 1 then names its layout.
inline bool isReply(const ReplyBuffer &reply) { return reply[0] == kReplyReportId; }
inline bool hasPacketType(const ReplyBuffer &reply, PacketType type)
{
    return isReply(reply) && reply[1] == static_cast<std::uint8_t>(type);
}

} // namespace wire
