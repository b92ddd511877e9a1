#pragma once
// The base's telemetry store over command 0x9A: requests and their replies. Unlike every
// other command, the numbers of this one travel big-endian. Decoders check what the reply
// claims against what it holds, so a short or lying reply is refused, never read past.

#include "device/wire/frames.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wire::telemetry {

constexpr std::uint8_t kCommand = 0x9A;
enum class Sub : std::uint8_t { Status = 0x00, PartDescriptor = 0x01, ReadData = 0x02, UnlockErase = 0x03 };

constexpr std::size_t kStatusReplyMinimum = 8;   // [4..5] total, [6] parts, [7] tag
constexpr std::size_t kReadDataHeader = 6;       // [3] status, [4..5] length
constexpr std::size_t kMaxChunk = kReplyBufferSize - kReadDataHeader; // 55 data bytes at most
constexpr std::size_t kMaxNameLength = 32;

enum ReadStatus : std::uint8_t { ReadOk = 0, ReadNoMore = 2, ReadLockLost = 3 };

inline std::uint16_t getU16BE(const std::uint8_t *data, std::size_t length, std::size_t offset)
{
    if (offset + 1 >= length)
        return 0;
    return static_cast<std::uint16_t>((data[offset] << 8) | data[offset + 1]);
}

inline void putU16BE(std::uint8_t *data, std::size_t length, std::size_t offset, std::uint16_t value)
{
    if (offset + 1 >= length)
        return;
    data[offset] = static_cast<std::uint8_t>(value >> 8);
    data[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// The request bytes (report id, 0x9A, sub-command, arguments); the link pads them to a frame.
std::vector<std::uint8_t> statusRequest();
std::vector<std::uint8_t> partDescriptorRequest(std::uint8_t index);
std::vector<std::uint8_t> readDataRequest(std::uint16_t offset);
std::vector<std::uint8_t> unlockEraseRequest();

struct StoreStatus {
    std::uint16_t totalSize = 0;
    std::uint8_t partCount = 0;
    std::uint8_t dataTag = 0;
};
struct PartDescriptor {
    std::uint16_t size = 0;
    std::string name;   // UTF-8
};
struct Chunk {
    std::uint8_t status = 0;
    std::vector<std::uint8_t> data;
};

// False when the reply is too short or not consistent with itself.
bool decodeStatus(const std::uint8_t *reply, std::size_t length, StoreStatus &status);
// Status 0, a name length of 1..32 and the whole name inside the reply.
bool decodePartDescriptor(const std::uint8_t *reply, std::size_t length, PartDescriptor &part);
// At least the status; with status 0 also a length whose data lies inside the reply.
bool decodeChunk(const std::uint8_t *reply, std::size_t length, Chunk &chunk);

// The base's side.
ReplyBuffer encodeStatus(const StoreStatus &status);
ReplyBuffer encodePartDescriptor(std::uint8_t status, std::uint16_t size, const std::string &name);
ReplyBuffer encodeChunk(std::uint8_t status, const std::uint8_t *data, std::size_t length);
ReplyBuffer encodeUnlockErase(std::uint8_t status);

} // namespace wire::telemetry
