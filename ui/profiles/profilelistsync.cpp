#include "profilelistsync.h"

#include "clock.h"
#include "devicecommands.h"
#include "profilelistedits.h"
#include "settingstransfer.h"
#include "statusreport.h"

namespace profilesync {

namespace {

constexpr int kDeleteWritePauseMs = 5;
constexpr int kImportWritePauseMs = 10;
constexpr int kReorderIndexPauseMs = 10;
constexpr int kReorderProfilePauseMs = 50;

profDataNew *entry(int index)
{
    ProfileList &profiles = profileList();
    return index >= 0 && index < int(profiles.size()) ? profiles[std::size_t(index)].get() : nullptr;
}

int listSize() { return int(profileList().size()); }

} // namespace

void setActiveProfile(int index)
{
    deviceStatus().activeProfile = std::uint16_t(index);
    activeProfileIndex() = index;
}

Result appendAndActivate(std::unique_ptr<profDataNew> profile)
{
    ProfileList &profiles = profileList();
    // Without the safe profile in place the new record would become profile 0.
    if (!profile || profiles.empty() || profileedits::freeSlots(profiles) < 1)
        return {};
    profiles.push_back(std::move(profile));
    const int last = listSize() - 1;
    if (!setProfileData(std::uint16_t(last), *profiles.back()) || !setProfileCount(std::uint16_t(last + 1))
        || !activateProfile(std::uint16_t(last)))
        return {Outcome::LinkLost, -1};
    setActiveProfile(last);
    return {Outcome::Done, last};
}

Result copyActiveProfile()
{
    const profDataNew *active = entry(deviceStatus().activeProfile);
    if (!active)
        return {};
    return appendAndActivate(profileedits::copiedProfile(*active));
}

Result deleteActiveProfile()
{
    ProfileList &profiles = profileList();
    const int active = deviceStatus().activeProfile;
    if (profiles.size() < 2 || active < 1 || active >= listSize())
        return {};
    const int defaultIndex = deviceStatus().defaultProfile;
    const int newDefault = profileedits::defaultAfterDelete(active, defaultIndex);
    bool linkUp = true;
    if (newDefault != defaultIndex) {
        linkUp = setDefaultProfile(std::uint16_t(newDefault));
        deviceStatus().defaultProfile = std::uint16_t(newDefault);
    }
    profileedits::removeProfile(profiles, active);
    for (int index = 1; linkUp && index < listSize(); ++index) {
        linkUp = setProfileData(std::uint16_t(index), *profiles[std::size_t(index)]);
        linkclock::sleepMs(kDeleteWritePauseMs);
    }
    linkUp = linkUp && activateProfile(0) && setProfileCount(std::uint16_t(listSize()));
    setActiveProfile(0);
    return {linkUp ? Outcome::Done : Outcome::LinkLost, 0};
}

ImportResult appendImported(ProfileList &incoming)
{
    ImportResult result;
    ProfileList &profiles = profileList();
    if (profiles.empty()) {
        result.leftOut = int(incoming.size());
        return result;
    }
    const int first = listSize();
    result.appended = profileedits::appendWithinLimit(profiles, incoming);
    result.leftOut = int(incoming.size());
    if (result.appended == 0)
        return result;
    bool linkUp = true;
    for (int index = first; linkUp && index < listSize(); ++index) {
        linkUp = setProfileData(std::uint16_t(index), *profiles[std::size_t(index)]);
        linkclock::sleepMs(kImportWritePauseMs);
    }
    result.linkLost = !(linkUp && setProfileCount(std::uint16_t(listSize())));
    return result;
}

Result reorder(const std::vector<const profDataNew *> &rows)
{
    ProfileList &profiles = profileList();
    // The default and the active profile follow their records, not their slots.
    const profDataNew *defaultRecord = entry(deviceStatus().defaultProfile);
    const profDataNew *activeRecord = entry(deviceStatus().activeProfile);
    if (!profileedits::reorder(profiles, rows))
        return {};
    const int newDefault = profileedits::indexOf(profiles, defaultRecord);
    const int newActive = profileedits::indexOf(profiles, activeRecord);
    // The tool's side is complete before the base hears of it, whatever the link does.
    if (newDefault >= 0)
        deviceStatus().defaultProfile = std::uint16_t(newDefault);
    if (newActive >= 0)
        setActiveProfile(newActive);

    Result result{Outcome::Done, -1};
    for (int slot = 1; slot < listSize(); ++slot) {
        if (!setProfileData(std::uint16_t(slot), *profiles[std::size_t(slot)]))
            return {Outcome::LinkLost, result.activated};
        if (slot == newDefault) {
            if (!setDefaultProfile(std::uint16_t(slot)))
                return {Outcome::LinkLost, result.activated};
            linkclock::sleepMs(kReorderIndexPauseMs);
        }
        if (slot == newActive) {
            if (!activateProfile(std::uint16_t(slot)))
                return {Outcome::LinkLost, result.activated};
            result.activated = slot;
            linkclock::sleepMs(kReorderIndexPauseMs);
        }
        linkclock::sleepMs(kReorderProfilePauseMs);
    }
    return result;
}

} // namespace profilesync
