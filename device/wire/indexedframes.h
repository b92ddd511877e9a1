#pragma once
// Indexed value frames and 32-byte block frames seen from both ends: the tool decodes
// replies and stores their values, the virtual base decodes requests and builds replies.
// Requests are built with frames.h.

#include "device/wire/frames.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

// In a reply the nine ids follow the packet type directly, so values start at 20, not 22.
constexpr std::size_t kIndexedReplyIdsOffset = 2;
constexpr std::size_t kIndexedReplyValuesOffset = 20;

using BlockText = std::array<std::uint8_t, kBlockDataSize>;

struct IndexedSlots {
    SlotIds ids{};
    SlotValues values{};
};

struct IndexedRequest {
    std::uint8_t selector = 0;
    std::uint8_t subSelector = 0;
    IndexedSlots entries;   // values are zero in a read request
};

// Reply of packet type 0x78; bytes past `length` read as zero.
IndexedSlots decodeIndexedReply(const std::uint8_t *reply, std::size_t length);
ReplyBuffer encodeIndexedReply(const IndexedSlots &entries);

IndexedRequest decodeIndexedRequest(const CommandFrame &frame);

// Bytes 6..37 of a block reply (packet type 0x79) or of a block write.
BlockText decodeBlockText(const std::uint8_t *frame, std::size_t length);
ReplyBuffer encodeBlockReply(const BlockText &text);
inline std::uint16_t blockSelector(const CommandFrame &frame)
{
    return static_cast<std::uint16_t>(frame[2] | (frame[3] << 8));
}

// Stores each slot's value into words[id] under the id the slot names. Slots naming id 0,
// an id above `maxId` or an id past the words are skipped. Returns how many were stored.
std::size_t storeIndexedValues(const IndexedSlots &entries, std::uint32_t *words, std::size_t wordCount,
                               std::uint16_t maxId);
// words[id] for each id, 0 for id 0 and ids past the words.
SlotValues indexedValues(const SlotIds &ids, const std::uint32_t *words, std::size_t wordCount);

// The records keep their texts as chars; the wire carries raw bytes.
BlockText toBlockText(const std::array<char, kBlockDataSize> &text);
std::array<char, kBlockDataSize> fromBlockText(const BlockText &text);

} // namespace wire
