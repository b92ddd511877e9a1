#include "device/wire/settingsids.h"

namespace wire {
namespace {

bool validAxis(int axis) { return axis >= 0 && axis < kAnalogAxisCount; }

// Consecutive ids from `first` up to `last` (at most nine); the rest of the slots empty.
SlotIds idRange(std::uint16_t first, std::uint16_t last)
{
    SlotIds ids{};
    for (std::size_t k = 0; k < kIndexedSlots && first + k <= last; ++k)
        ids[k] = static_cast<std::uint16_t>(first + k);
    return ids;
}

template <std::size_t Frames>
std::array<SlotIds, Frames> groupsOfNine(std::uint16_t lastId)
{
    std::array<SlotIds, Frames> groups{};
    for (std::size_t g = 0; g < Frames; ++g)
        groups[g] = idRange(static_cast<std::uint16_t>(1 + kIndexedSlots * g), lastId);
    return groups;
}

} // namespace

const ProfileIdGroups &profileIdGroups()
{
    static const ProfileIdGroups groups = groupsOfNine<kProfileValueFrames>(kProfileMaxId);
    return groups;
}

const HardwareIdGroups &hardwareIdGroups()
{
    static const HardwareIdGroups groups = groupsOfNine<kHardwareValueFrames>(kHardwareMaxId);
    return groups;
}

const AnalogIdGroups &analogIdGroups()
{
    static const AnalogIdGroups groups{idRange(1, 9), singleId(kAnalogMaxId)};
    return groups;
}

SlotIds singleId(std::uint16_t id)
{
    SlotIds ids{};
    ids[0] = id;
    return ids;
}

std::size_t storeProfileValues(const IndexedSlots &entries, profDataNew &profile)
{
    return storeIndexedValues(entries, profile.param.data(), profile.param.size(), kProfileMaxId);
}

std::size_t storeHardwareValues(const IndexedSlots &entries, HardwareSettings &settings)
{
    return storeIndexedValues(entries, settings.word.data(), settings.word.size(), kHardwareMaxId);
}

std::size_t storeAnalogValues(const IndexedSlots &entries, AnalogSettings &record, int axis)
{
    if (!validAxis(axis))
        return 0;
    return storeIndexedValues(entries, record.word.data() + kAnalogAxisWords * axis, kAnalogAxisWords,
                              kAnalogMaxId);
}

SlotValues profileValues(const profDataNew &profile, const SlotIds &ids)
{
    return indexedValues(ids, profile.param.data(), profile.param.size());
}

SlotValues hardwareValues(const HardwareSettings &settings, const SlotIds &ids)
{
    return indexedValues(ids, settings.word.data(), settings.word.size());
}

SlotValues analogValues(const AnalogSettings &record, int axis, const SlotIds &ids)
{
    if (!validAxis(axis))
        return {};
    return indexedValues(ids, record.word.data() + kAnalogAxisWords * axis, kAnalogAxisWords);
}

} // namespace wire
