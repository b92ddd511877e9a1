#include "device/wire/frames.h"

#include "device/wire/bytes.h"

#include <algorithm>

namespace wire {

CommandFrame bareCommand(DeviceCommand code)
{
    CommandFrame frame{};
    frame[0] = kCommandReportId;
    frame[1] = static_cast<std::uint8_t>(code);
    return frame;
}

CommandFrame u16Command(DeviceCommand code, std::uint16_t argument)
{
    CommandFrame frame = bareCommand(code);
    putU16(frame.data(), frame.size(), 2, argument);
    return frame;
}

CommandFrame indexedReadCommand(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                                const SlotIds &ids)
{
    CommandFrame frame = bareCommand(code);
    frame[2] = selector;
    frame[3] = subSelector;
    for (std::size_t slot = 0; slot < kIndexedSlots; ++slot)
        putU16(frame.data(), frame.size(), kIndexedIdsOffset + 2 * slot, ids[slot]);
    return frame;
}

CommandFrame indexedWriteCommand(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                                 const SlotIds &ids, const SlotValues &values)
{
    CommandFrame frame = indexedReadCommand(code, selector, subSelector, ids);
    for (std::size_t slot = 0; slot < kIndexedSlots; ++slot)
        putU32(frame.data(), frame.size(), kIndexedWriteValuesOffset + 4 * slot, values[slot]);
    return frame;
}

CommandFrame blockCommand(DeviceCommand code, std::uint16_t selector,
                          const std::array<std::uint8_t, kBlockDataSize> &data)
{
    CommandFrame frame = u16Command(code, selector);
    std::copy(data.begin(), data.end(), frame.begin() + kBlockDataOffset);
    return frame;
}

} // namespace wire
