#include "device/wire/eventlogchunk.h"

#include "device/wire/bytes.h"

#include <algorithm>

namespace wire {

std::uint16_t EventLogChunk::head() const { return getU16(bytes.data(), bytes.size(), kEventLogHeadOffset); }

std::uint16_t EventLogChunk::code(std::size_t k) const
{
    return k < kEventLogChunkEntries ? getU16(bytes.data(), bytes.size(), kEventLogCodesOffset + 2 * k) : 0;
}

std::int32_t EventLogChunk::value(std::size_t k) const
{
    if (k >= kEventLogChunkEntries)
        return 0;
    return static_cast<std::int32_t>(getU32(bytes.data(), bytes.size(), kEventLogValuesOffset + 4 * k));
}

EventLogChunk decodeEventLogChunk(const std::uint8_t *reply, std::size_t length)
{
    EventLogChunk chunk;
    std::copy(reply, reply + std::min(length, chunk.bytes.size()), chunk.bytes.begin());
    return chunk;
}

ReplyBuffer encodeEventLogChunk(std::uint16_t head, const EventCodes &codes, const EventValues &values)
{
    ReplyBuffer reply{};
    reply[0] = kReplyReportId;
    reply[1] = static_cast<std::uint8_t>(PacketType::EventLogChunk);
    putU16(reply.data(), reply.size(), kEventLogHeadOffset, head);
    for (std::size_t k = 0; k < kEventLogChunkEntries; ++k) {
        putU16(reply.data(), reply.size(), kEventLogCodesOffset + 2 * k, codes[k]);
        putU32(reply.data(), reply.size(), kEventLogValuesOffset + 4 * k, static_cast<std::uint32_t>(values[k]));
    }
    return reply;
}

} // namespace wire
