#include "settings/profilelistedits.h"

#include <algorithm>
#include <map>

namespace profileedits {

int freeSlots(const ProfileList &profiles)
{
    return std::max(0, kAddressableProfiles - int(profiles.size()));
}

std::unique_ptr<profDataNew> copiedProfile(const profDataNew &source)
{
    auto copy = std::make_unique<profDataNew>();
    copy->param = source.param;
    copy->reservedText = source.reservedText;
    copy->setName(kCopiedProfileName);
    return copy;
}

int defaultAfterDelete(int deleted, int defaultIndex)
{
    if (deleted == defaultIndex)
        return 0;
    if (deleted < defaultIndex)
        return defaultIndex - 1;
    return defaultIndex;
}

bool removeProfile(ProfileList &profiles, int index)
{
    if (index < 1 || index >= int(profiles.size()))
        return false;
    profiles.erase(profiles.begin() + index);
    return true;
}

int appendWithinLimit(ProfileList &profiles, ProfileList &incoming)
{
    const int moved = std::min<int>(freeSlots(profiles), int(incoming.size()));
    for (int i = 0; i < moved; ++i)
        profiles.push_back(std::move(incoming[std::size_t(i)]));
    incoming.erase(incoming.begin(), incoming.begin() + moved);
    return moved;
}

bool reorder(ProfileList &profiles, const std::vector<const profDataNew *> &rows)
{
    if (profiles.empty() || rows.size() != profiles.size() - 1)
        return false;
    std::map<const profDataNew *, std::size_t> slotOf;
    for (std::size_t i = 1; i < profiles.size(); ++i)
        slotOf[profiles[i].get()] = i;
    std::vector<std::size_t> from;
    from.reserve(rows.size());
    for (const profDataNew *record : rows) {
        const auto found = slotOf.find(record);
        if (found == slotOf.end())
            return false;
        from.push_back(found->second);
        slotOf.erase(found); // a record named twice is not found the second time
    }
    ProfileList reordered;
    reordered.reserve(profiles.size());
    reordered.push_back(std::move(profiles[0]));
    for (std::size_t slot : from)
        reordered.push_back(std::move(profiles[slot]));
    profiles = std::move(reordered);
    return true;
}

int indexOf(const ProfileList &profiles, const profDataNew *record)
{
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        if (profiles[i].get() == record)
            return int(i);
    }
    return -1;
}

} // namespace profileedits
