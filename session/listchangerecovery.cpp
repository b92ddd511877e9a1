#include "session/listchangerecovery.h"

#include "session/basesession.h"
#include "session/safetycheck.h"
#include "device/hid/clock.h"

#include <QDebug>

#include <algorithm>

namespace {

constexpr int kRepairWritePauseMs = 5;

bool sameRecord(const profDataNew &a, const profDataNew &b) { return a.param == b.param && a.name == b.name; }

// A record cut off between its frames: every word and the name from one of the two.
bool mixOf(const profDataNew &slot, const profDataNew &a, const profDataNew &b)
{
    for (std::size_t word = 0; word < slot.param.size(); ++word)
        if (slot.param[word] != a.param[word] && slot.param[word] != b.param[word])
            return false;
    return slot.name == a.name || slot.name == b.name;
}

} // namespace

ListChangeRecovery::ListState ListChangeRecovery::capture(const BaseSession &session)
{
    ListState state;
    for (const auto &profile : session.profiles())
        state.records.push_back(*profile);
    state.defaultProfile = session.status().defaultProfile;
    state.activeProfile = session.status().activeProfile;
    return state;
}

void ListChangeRecovery::begin(const BaseSession &session)
{
    before_ = capture(session);
    meant_ = before_;
    meantKnown_ = false;
    base_ = session.applier().connectedBase();
    pending_ = true;
}

void ListChangeRecovery::setMeant(const BaseSession &session)
{
    meant_ = capture(session);
    meantKnown_ = true;
}

bool ListChangeRecovery::onlyThisChangeTouched(const ProfileList &onBase) const
{
    const std::size_t beforeCount = before_.records.size();
    const std::size_t meantCount = meant_.records.size();
    for (std::size_t slot = 1; slot < onBase.size(); ++slot) {
        const profDataNew &now = *onBase[slot];
        const profDataNew *was = slot < beforeCount ? &before_.records[slot].record : nullptr;
        const profDataNew *meant = slot < meantCount ? &meant_.records[slot].record : nullptr;
        if (was && meant) {
            if (!mixOf(now, *was, *meant))
                return false;
        } else if (meant) {
            if (!sameRecord(now, *meant))
                return false;
        } else if (was) {
            if (!sameRecord(now, *was))
                return false;
        }
        // Beyond both lists: the spare slot a reorder shows under its raised count.
    }
    return true;
}

bool ListChangeRecovery::writeList(BaseSession &session, const ListState &target)
{
    DeviceLink &link = session.link();
    ProfileList &onBase = session.profiles();
    const int count = int(target.records.size());
    // Slots past the base's count stay out of sight until the count is written.
    for (int slot = 1; slot < count; ++slot) {
        const profDataNew &record = target.records[std::size_t(slot)];
        if (slot < int(onBase.size()) && sameRecord(*onBase[std::size_t(slot)], record))
            continue;
        if (!link.setProfileData(std::uint16_t(slot), record))
            return false;
        linkclock::sleepMs(kRepairWritePauseMs);
    }
    if (count != int(onBase.size()) && !link.setProfileCount(std::uint16_t(count)))
        return false;
    if (target.defaultProfile != link.status().defaultProfile) {
        if (!link.setDefaultProfile(std::uint16_t(target.defaultProfile)))
            return false;
        link.noteDefaultProfile(std::uint16_t(target.defaultProfile));
    }
    // The profile the change left active runs only where the wheel allows it; otherwise
    // the base keeps what it runs, or the safe profile when that slot is gone.
    int active = target.activeProfile;
    link.readWheelReport();
    if (active >= count || !editing::immediateApplyAllowed(link, target.records[std::size_t(active)]))
        active = link.status().activeProfile < count ? int(link.status().activeProfile) : 0;
    if (active != link.status().activeProfile && !link.activateProfile(std::uint16_t(active)))
        return false;
    link.noteProfileCount(std::uint16_t(count));
    session.setActiveProfile(active);
    onBase.clear();
    for (const profDataNew &record : target.records)
        onBase.push_back(std::make_unique<profDataNew>(record));
    return true;
}

ListChangeRecovery::Outcome ListChangeRecovery::recover(BaseSession &session)
{
    if (!pending_)
        return Outcome::Nothing;
    if (!(session.applier().connectedBase() == base_)) {
        // Another base: the change was meant for the one that went.
        qDebug() << "another base connected; the unfinished profile-list change is dropped";
        pending_ = false;
        return Outcome::Nothing;
    }
    ProfileList &onBase = session.profiles();
    if (onBase.empty())
        return Outcome::Failed;
    const bool complete = meantKnown_ && onlyThisChangeTouched(onBase);
    qDebug() << (complete ? "completing the unfinished profile-list change"
                          : "restoring the profile list from the automatic backup");
    if (!writeList(session, complete ? meant_ : before_))
        return Outcome::Failed;
    pending_ = false;
    return complete ? Outcome::Completed : Outcome::Restored;
}
