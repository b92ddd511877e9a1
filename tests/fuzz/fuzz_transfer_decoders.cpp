// Any bytes as a reply to each settings transfer and auxiliary query. ASan checks that no
// decoder reads or writes outside its buffers and records; the checks below hold the
// decoders to what they promise about where each byte goes.

#include "device/wire/driveparameterframe.h"
#include "device/wire/eventlogchunk.h"
#include "device/wire/hightorquechallenge.h"
#include "device/wire/indexedframes.h"
#include "device/wire/settingsids.h"
#include "device/wire/wirelessdevicedata.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::uint8_t byteAt(const std::uint8_t *data, std::size_t size, std::size_t offset)
{
    return offset < size ? data[offset] : 0;
}

constexpr std::uint32_t kMarker = 0xA5A5A5A5u;

// After a store, a word differs from the marker only where some slot named its id within
// the limit, and then it holds the value of the last slot naming it.
void checkStore(const wire::IndexedSlots &reply, const std::uint32_t *words, std::size_t count, std::uint16_t maxId,
                std::size_t stored)
{
    check(stored <= wire::kIndexedSlots);
    std::size_t named = 0;
    for (std::size_t id = 0; id < count; ++id) {
        std::uint32_t expected = kMarker;
        for (std::size_t k = 0; k < wire::kIndexedSlots; ++k) {
            if (reply.ids[k] == id && id != 0 && id <= maxId) {
                expected = reply.values[k];
                ++named;
            }
        }
        check(words[id] == expected);
    }
    check(named == stored);
}

void indexedReplies(const std::uint8_t *data, std::size_t size)
{
    const wire::IndexedSlots reply = wire::decodeIndexedReply(data, size);

    // Heap records, so that a write past one is caught at its exact edge.
    auto profile = std::make_unique<profDataNew>();
    profile->param.fill(kMarker);
    profile->name.fill('n');
    profile->reservedText.fill('r');
    profile->changed = 0x5A;
    const std::size_t profileStored = wire::storeProfileValues(reply, *profile);
    checkStore(reply, profile->param.data(), profile->param.size(), wire::kProfileMaxId, profileStored);
    check(profile->changed == 0x5A);
    check(std::all_of(profile->name.begin(), profile->name.end(), [](char c) { return c == 'n'; }));
    check(std::all_of(profile->reservedText.begin(), profile->reservedText.end(), [](char c) { return c == 'r'; }));

    auto hardware = std::make_unique<wire::HardwareSettings>();
    hardware->word.fill(kMarker);
    const std::size_t hardwareStored = wire::storeHardwareValues(reply, *hardware);
    checkStore(reply, hardware->word.data(), hardware->word.size(), wire::kHardwareMaxId, hardwareStored);

    // Axes -1..7: the two outside the record must store nothing.
    const int axis = int(byteAt(data, size, 0) % 9) - 1;
    auto analog = std::make_unique<wire::AnalogSettings>();
    analog->word.fill(kMarker);
    analog->name.fill('a');
    const std::size_t analogStored = wire::storeAnalogValues(reply, *analog, axis);
    for (int a = 0; a < wire::kAnalogAxisCount; ++a) {
        const std::uint32_t *words = analog->word.data() + wire::kAnalogAxisWords * a;
        if (a == axis)
            checkStore(reply, words, wire::kAnalogAxisWords, wire::kAnalogMaxId, analogStored);
        else
            check(std::all_of(words, words + wire::kAnalogAxisWords, [](std::uint32_t w) { return w == kMarker; }));
    }
    if (axis < 0 || axis >= wire::kAnalogAxisCount)
        check(analogStored == 0);
    check(std::all_of(analog->name.begin(), analog->name.end(), [](char c) { return c == 'a'; }));

    // A well-formed reply re-encodes to the same ids and values.
    const wire::ReplyBuffer encoded = wire::encodeIndexedReply(reply);
    for (std::size_t i = 2; i < 56; ++i)
        check(encoded[i] == byteAt(data, size, i));
}

void blockReply(const std::uint8_t *data, std::size_t size)
{
    const wire::BlockText text = wire::decodeBlockText(data, size);
    for (std::size_t i = 0; i < text.size(); ++i)
        check(text[i] == byteAt(data, size, 6 + i));
}

void wirelessRecord(const std::uint8_t *data, std::size_t size)
{
    const wire::WirelessDeviceData record = wire::decodeWirelessDeviceData(data, size);
    const std::size_t nul = wire::kWirelessNameOffset + std::min<std::size_t>(byteAt(data, size, 48), 31);
    for (std::size_t i = 0; i < record.bytes.size(); ++i)
        check(record.bytes[i] == (i == nul ? 0 : byteAt(data, size, i)));
    const std::string name = record.name();
    check(name.size() <= wire::kWirelessNameMaxLength);
    check(name.find('\0') == std::string::npos);
}

void eventChunk(const std::uint8_t *data, std::size_t size)
{
    const wire::EventLogChunk chunk = wire::decodeEventLogChunk(data, size);
    wire::EventCodes codes{};
    wire::EventValues values{};
    for (std::size_t k = 0; k < wire::kEventLogChunkEntries; ++k) {
        codes[k] = chunk.code(k);
        values[k] = chunk.value(k);
    }
    check(chunk.code(wire::kEventLogChunkEntries) == 0 && chunk.value(wire::kEventLogChunkEntries) == 0);
    const wire::ReplyBuffer encoded = wire::encodeEventLogChunk(chunk.head(), codes, values);
    for (std::size_t i = 2; i < wire::kEventLogChunkSize; ++i)
        check(encoded[i] == byteAt(data, size, i));
}

void driveParameters(const std::uint8_t *data, std::size_t size)
{
    wire::DriveParameterFrame frame;
    frame.bytes.fill(0xEE);
    wire::storeDriveParameterReply(data, size, frame);
    check(frame.bytes[58] == 0xEE && frame.bytes[59] == 0xEE);
    for (std::size_t i = 0; i < wire::kDriveParameterReplySize; ++i)
        check(frame.bytes[i] == byteAt(data, size, i));
    const std::size_t used = frame.usedSlots();
    check(used <= wire::kDriveParameterSlots);
    for (std::size_t slot = 0; slot < used; ++slot)
        check(frame.address(slot) != 0);

    // Slot writes stay in their slot; slots past the frame are ignored.
    const std::size_t slot = byteAt(data, size, 0) % 12;
    const std::array<std::uint8_t, wire::kCommandFrameSize> before = frame.bytes;
    frame.setAddress(slot, 0xFFFF);
    frame.setValue(slot, -1);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const bool inSlot = slot < wire::kDriveParameterSlots
            && ((i >= 4 + 2 * slot && i < 6 + 2 * slot) || (i >= 22 + 4 * slot && i < 26 + 4 * slot));
        check(inSlot ? frame.bytes[i] == 0xFF : frame.bytes[i] == before[i]);
    }
}

void challenge(const std::uint8_t *data, std::size_t size)
{
    const std::uint32_t c = std::uint32_t(byteAt(data, size, 22)) | std::uint32_t(byteAt(data, size, 23)) << 8
        | std::uint32_t(byteAt(data, size, 24)) << 16 | std::uint32_t(byteAt(data, size, 25)) << 24;
    const std::uint32_t response = wire::highTorqueResponse(c);
    check(response == 1 || response < (1u << 29));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // An exact-size copy: a decoder reading past `size` hits ASan's red zone.
    const std::vector<std::uint8_t> input(data, data + size);
    const std::uint8_t *bytes = input.empty() ? nullptr : input.data();
    indexedReplies(bytes, size);
    blockReply(bytes, size);
    wirelessRecord(bytes, size);
    eventChunk(bytes, size);
    driveParameters(bytes, size);
    challenge(bytes, size);
    return 0;
}
