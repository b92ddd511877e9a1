#include "device/wire/bootloaderframes.h"

#include "device/wire/bytes.h"

#include <algorithm>

namespace wire {
namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

} // namespace

BootloaderFrame bootloaderCommand(BootloaderCommand command)
{
    BootloaderFrame frame{};
    frame[0] = kBootloaderOutReportId;
    frame[1] = static_cast<std::uint8_t>(command);
    return frame;
}

BootloaderFrame firmwareChunk(bool firstChunk, const std::uint8_t *data, std::size_t length)
{
    BootloaderFrame frame = bootloaderCommand(BootloaderCommand::ImageData);
    const std::size_t n = data ? std::min(length, kFirmwareChunkSize) : 0;
    frame[kChunkFlagOffset] = firstChunk ? 1 : 0;
    frame[kChunkLengthOffset] = static_cast<std::uint8_t>(n);
    std::copy(data, data + n, frame.begin() + kChunkDataOffset);
    return frame;
}

BootloaderFrame verifyRequest(std::uint32_t crc, std::uint32_t imageLength)
{
    BootloaderFrame frame = bootloaderCommand(BootloaderCommand::Verify);
    putU32(frame.data(), frame.size(), kVerifyCrcOffset, crc);
    putU32(frame.data(), frame.size(), kVerifyLengthOffset, imageLength);
    return frame;
}

BootloaderStatus bootloaderStatusOf(const ReplyBuffer &reply)
{
    BootloaderStatus status{};
    std::copy(reply.begin(), reply.begin() + kBootloaderStatusSize, status.begin());
    return status;
}

std::uint32_t bootloaderCrc(const BootloaderStatus &status)
{
    return getU32(status.data(), status.size(), kBootloaderCrcOffset);
}

std::uint32_t crc32(const std::uint8_t *data, std::size_t length, std::uint32_t crc)
{
    if (!data || length == 0)
        return crc;
    std::uint32_t c = crc ^ 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i)
        c = kCrcTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

} // namespace wire
