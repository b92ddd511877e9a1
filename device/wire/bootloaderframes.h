#pragma once
// The bootloader's own little protocol on the same handle: report 0x7B out, 0x7C in,
// and the CRC-32 both sides compute over the image. Pure builders and accessors.

#include "device/wire/frames.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

enum class BootloaderCommand : std::uint8_t {
    Status = 0,
    UnlockErase = 8,
    ImageData = 9,
    Verify = 10,
    StartApplication = 11,
    NoOperation = 200,
};

using BootloaderFrame = CommandFrame;

constexpr std::size_t kFirmwareChunkSize = 55;
constexpr std::size_t kChunkFlagOffset = 2;
constexpr std::size_t kChunkLengthOffset = 3;
constexpr std::size_t kChunkDataOffset = 4;
constexpr std::size_t kVerifyCrcOffset = 2;
constexpr std::size_t kVerifyLengthOffset = 6;

// The part of a reply the tool keeps, and where the bootloader's CRC stands in it.
constexpr std::size_t kBootloaderStatusSize = 28;
constexpr std::size_t kBootloaderCrcOffset = 10;
using BootloaderStatus = std::array<std::uint8_t, kBootloaderStatusSize>;

// The program flash of every model; an image must also be long enough to carry the
// version bytes at 416..418.
constexpr std::size_t kProgramFlashCapacity = 294912;
constexpr std::size_t kMinimumImageSize = 419;

BootloaderFrame bootloaderCommand(BootloaderCommand command);
// `length` is clamped to one chunk; bytes past it stay zero.
BootloaderFrame firmwareChunk(bool firstChunk, const std::uint8_t *data, std::size_t length);
BootloaderFrame verifyRequest(std::uint32_t crc, std::uint32_t imageLength);

inline BootloaderCommand bootloaderCommandOf(const BootloaderFrame &frame)
{
    return static_cast<BootloaderCommand>(frame[1]);
}

inline bool isBootloaderReply(const ReplyBuffer &reply) { return reply[0] == kBootloaderInReportId; }
BootloaderStatus bootloaderStatusOf(const ReplyBuffer &reply);
std::uint32_t bootloaderCrc(const BootloaderStatus &status);

// Reflected, polynomial 0x04C11DB7, initial value and final XOR 0xFFFFFFFF.
// `crc` continues an earlier call; an empty input gives 0.
std::uint32_t crc32(const std::uint8_t *data, std::size_t length, std::uint32_t crc = 0);

} // namespace wire
