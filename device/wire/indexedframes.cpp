#include "device/wire/indexedframes.h"

#include "device/wire/bytes.h"

#include <algorithm>

namespace wire {
namespace {

ReplyBuffer replyOfType(PacketType type)
{
    ReplyBuffer reply{};
    reply[0] = kReplyReportId;
    reply[1] = static_cast<std::uint8_t>(type);
    return reply;
}

} // namespace

IndexedSlots decodeIndexedReply(const std::uint8_t *reply, std::size_t length)
{
    IndexedSlots entries;
    for (std::size_t k = 0; k < kIndexedSlots; ++k) {
        entries.ids[k] = getU16(reply, length, kIndexedReplyIdsOffset + 2 * k);
        entries.values[k] = getU32(reply, length, kIndexedReplyValuesOffset + 4 * k);
    }
    return entries;
}

ReplyBuffer encodeIndexedReply(const IndexedSlots &entries)
{
    ReplyBuffer reply = replyOfType(PacketType::IndexedValues);
    for (std::size_t k = 0; k < kIndexedSlots; ++k) {
        putU16(reply.data(), reply.size(), kIndexedReplyIdsOffset + 2 * k, entries.ids[k]);
        putU32(reply.data(), reply.size(), kIndexedReplyValuesOffset + 4 * k, entries.values[k]);
    }
    return reply;
}

IndexedRequest decodeIndexedRequest(const CommandFrame &frame)
{
    IndexedRequest request;
    request.selector = frame[2];
    request.subSelector = frame[3];
    for (std::size_t k = 0; k < kIndexedSlots; ++k) {
        request.entries.ids[k] = getU16(frame.data(), frame.size(), kIndexedIdsOffset + 2 * k);
        request.entries.values[k] = getU32(frame.data(), frame.size(), kIndexedWriteValuesOffset + 4 * k);
    }
    return request;
}

BlockText decodeBlockText(const std::uint8_t *frame, std::size_t length)
{
    BlockText text{};
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = getU8(frame, length, kBlockDataOffset + i);
    return text;
}

ReplyBuffer encodeBlockReply(const BlockText &text)
{
    ReplyBuffer reply = replyOfType(PacketType::BlockData);
    std::copy(text.begin(), text.end(), reply.begin() + kBlockDataOffset);
    return reply;
}

std::size_t storeIndexedValues(const IndexedSlots &entries, std::uint32_t *words, std::size_t wordCount,
                               std::uint16_t maxId)
{
    std::size_t stored = 0;
    for (std::size_t k = 0; k < kIndexedSlots; ++k) {
        const std::uint16_t id = entries.ids[k];
        if (id == 0 || id > maxId || id >= wordCount)
            continue;
        words[id] = entries.values[k];
        ++stored;
    }
    return stored;
}

SlotValues indexedValues(const SlotIds &ids, const std::uint32_t *words, std::size_t wordCount)
{
    SlotValues values{};
    for (std::size_t k = 0; k < kIndexedSlots; ++k)
        values[k] = ids[k] != 0 && ids[k] < wordCount ? words[ids[k]] : 0;
    return values;
}

BlockText toBlockText(const std::array<char, kBlockDataSize> &text)
{
    BlockText bytes{};
    std::transform(text.begin(), text.end(), bytes.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
    return bytes;
}

std::array<char, kBlockDataSize> fromBlockText(const BlockText &text)
{
    std::array<char, kBlockDataSize> chars{};
    std::transform(text.begin(), text.end(), chars.begin(), [](std::uint8_t b) { return static_cast<char>(b); });
    return chars;
}

} // namespace wire
