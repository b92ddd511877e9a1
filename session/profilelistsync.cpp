#include "session/profilelistsync.h"

#include "session/basesession.h"
#include "device/hid/clock.h"
#include "session/safetycheck.h"
#include "settings/profilelistedits.h"

#include <QDebug>

#include <algorithm>

namespace profilesync {

namespace {

constexpr int kActivationSettleMs = 5;
constexpr int kDeleteWritePauseMs = 5;
constexpr int kImportWritePauseMs = 10;
constexpr int kReorderIndexPauseMs = 10;
constexpr int kReorderProfilePauseMs = 50;

int listSize(const BaseSession &session) { return int(session.profiles().size()); }

// A list change while another operation holds the link would interleave with it.
bool refusedAsBusy(const BaseSession &session, QString &busyWith)
{
    if (!session.gate().busy())
        return false;
    busyWith = session.gate().holder();
    qDebug() << "profile list change refused: the link is busy:" << busyWith;
    return true;
}

Result busyResult(const QString &holder) { return {Outcome::Busy, -1, holder}; }

} // namespace

bool activate(BaseSession &session, int index) { return session.link().activateProfile(std::uint16_t(index)); }

Activation activateAsChosen(BaseSession &session, int index)
{
    if (index == session.lastActivatedProfile()) {
        qDebug() << "same profile selected, do nothing.";
        return Activation::AlreadyChosen;
    }
    // The link serves one operation at a time; the choice is not kept for later, since
    // the base may run another profile by the time the link is free.
    if (session.gate().busy())
        return Activation::Busy;
    // Another profile runs its own steering range and end stop from the moment it is active.
    const profDataNew *target = session.profileAt(index);
    if (target && !editing::immediateApplyAllowed(session.link(), *target))
        return Activation::Unsafe;
    const bool activated = activate(session, index);
    if (!activated) {
        qDebug() << "activateprofile failed";
        session.announceActiveProfile(-1);
    }
    session.setLastActivatedProfile(index);
    linkclock::sleepMs(kActivationSettleMs);
    session.refreshAfterListChange();
    if (activated)
        session.announceActiveProfile(index);
    return activated ? Activation::Activated : Activation::Failed;
}

OperationResult makeActiveDefault(BaseSession &session)
{
    const QString context = QStringLiteral("setting the default profile");
    if (session.gate().busy())
        return session.gate().check().within(context);
    if (session.link().setDefaultProfile(session.status().activeProfile))
        return OperationResult::done();
    return session.link().lastFailure().within(context);
}

Result appendAndActivate(BaseSession &session, std::unique_ptr<profDataNew> profile)
{
    DeviceLink &link = session.link();
    ProfileList &profiles = session.profiles();
    QString busyWith;
    if (refusedAsBusy(session, busyWith))
        return busyResult(busyWith);
    // Without the safe profile in place the new record would become profile 0.
    if (!profile || profiles.empty() || profileedits::freeSlots(profiles) < 1)
        return {};
    if (!editing::immediateApplyAllowed(link, *profile))
        return {Outcome::Unsafe, -1};
    ListChangeRecovery &recovery = session.listChangeRecovery();
    recovery.begin(session);
    // The list as it stood, in case the change is cut off.
    session.applier().writeAutomaticBackup();
    profiles.push_back(std::move(profile));
    const int last = listSize(session) - 1;
    const int activeBefore = session.status().activeProfile;
    session.setActiveProfile(last);
    recovery.setMeant(session);
    session.setActiveProfile(activeBefore);
    if (!link.setProfileData(std::uint16_t(last), *profiles.back()) || !link.setProfileCount(std::uint16_t(last + 1))
        || !link.activateProfile(std::uint16_t(last))) {
        session.applier().setListTorn(true);
        return {Outcome::LinkLost, -1};
    }
    session.setActiveProfile(last);
    recovery.finish();
    return {Outcome::Done, last};
}

Result copyActiveProfile(BaseSession &session)
{
    QString busyWith;
    if (refusedAsBusy(session, busyWith))
        return busyResult(busyWith);
    const profDataNew *active = session.profileAt(session.status().activeProfile);
    if (!active)
        return {};
    return appendAndActivate(session, profileedits::copiedProfile(*active));
}

Result deleteActiveProfile(BaseSession &session)
{
    DeviceLink &link = session.link();
    ProfileList &profiles = session.profiles();
    const int active = link.status().activeProfile;
    QString busyWith;
    if (refusedAsBusy(session, busyWith))
        return busyResult(busyWith);
    if (profiles.size() < 2 || active < 1 || active >= listSize(session))
        return {};
    ListChangeRecovery &recovery = session.listChangeRecovery();
    recovery.begin(session);
    // The list as it stood, in case the rewrite is cut off.
    session.applier().writeAutomaticBackup();
    const int defaultIndex = link.status().defaultProfile;
    const int newDefault = profileedits::defaultAfterDelete(active, defaultIndex);
    {
        profileedits::removeProfile(profiles, active);
        link.noteDefaultProfile(std::uint16_t(newDefault));
        session.setActiveProfile(0);
        recovery.setMeant(session);
        link.noteDefaultProfile(std::uint16_t(defaultIndex));
    }
    bool linkUp = true;
    if (newDefault != defaultIndex) {
        linkUp = link.setDefaultProfile(std::uint16_t(newDefault));
        link.noteDefaultProfile(std::uint16_t(newDefault));
    }
    for (int index = 1; linkUp && index < listSize(session); ++index) {
        linkUp = link.setProfileData(std::uint16_t(index), *profiles[std::size_t(index)]);
        linkclock::sleepMs(kDeleteWritePauseMs);
    }
    linkUp = linkUp && link.activateProfile(0) && link.setProfileCount(std::uint16_t(listSize(session)));
    session.setActiveProfile(0);
    // Cut off, the base holds a profile twice or one half-written: nothing to save.
    if (!linkUp)
        session.applier().setListTorn(true);
    else
        recovery.finish();
    return {linkUp ? Outcome::Done : Outcome::LinkLost, 0};
}

ImportResult appendImported(BaseSession &session, ProfileList &incoming)
{
    DeviceLink &link = session.link();
    ImportResult result;
    if (refusedAsBusy(session, result.busyWith))
        return result;
    ProfileList &profiles = session.profiles();
    if (profiles.empty()) {
        result.leftOut = int(incoming.size());
        return result;
    }
    const int first = listSize(session);
    ListChangeRecovery &recovery = session.listChangeRecovery();
    recovery.begin(session);
    result.appended = profileedits::appendWithinLimit(profiles, incoming);
    result.leftOut = int(incoming.size());
    if (result.appended == 0) {
        recovery.finish();
        return result;
    }
    recovery.setMeant(session);
    // The list as it stood, in case the change is cut off.
    {
        ProfileList added;
        while (listSize(session) > first) {
            added.insert(added.begin(), std::move(profiles.back()));
            profiles.pop_back();
        }
        session.applier().writeAutomaticBackup();
        for (auto &profile : added)
            profiles.push_back(std::move(profile));
    }
    bool linkUp = true;
    for (int index = first; linkUp && index < listSize(session); ++index) {
        linkUp = link.setProfileData(std::uint16_t(index), *profiles[std::size_t(index)]);
        linkclock::sleepMs(kImportWritePauseMs);
    }
    result.linkLost = !(linkUp && link.setProfileCount(std::uint16_t(listSize(session))));
    if (result.linkLost)
        session.applier().setListTorn(true);
    else
        recovery.finish();
    return result;
}

Result reorder(BaseSession &session, const std::vector<const profDataNew *> &rows)
{
    DeviceLink &link = session.link();
    ProfileList &profiles = session.profiles();
    QString busyWith;
    if (refusedAsBusy(session, busyWith))
        return busyResult(busyWith);
    // The default and the active profile follow their records, not their slots.
    const profDataNew *defaultRecord = session.profileAt(link.status().defaultProfile);
    const profDataNew *activeRecord = session.profileAt(link.status().activeProfile);
    std::vector<const profDataNew *> before;
    for (const auto &profile : profiles)
        before.push_back(profile.get());
    ListChangeRecovery &recovery = session.listChangeRecovery();
    // The list as it stood, in case the rewrite is cut off.
    session.applier().writeAutomaticBackup();
    recovery.begin(session);
    if (!profileedits::reorder(profiles, rows)) {
        recovery.finish();
        return {};
    }
    const int newDefault = profileedits::indexOf(profiles, defaultRecord);
    const int newActive = profileedits::indexOf(profiles, activeRecord);
    // The tool's side is complete before the base hears of it, whatever the link does.
    if (newDefault >= 0)
        link.noteDefaultProfile(std::uint16_t(newDefault));
    if (newActive >= 0)
        session.setActiveProfile(newActive);
    recovery.setMeant(session);

    const int count = listSize(session);
    const auto failed = [&session](int activated) {
        session.applier().setListTorn(true);
        return Result{Outcome::LinkLost, activated};
    };
    // Every slot is overwritten only once its record is on the base elsewhere: each cycle
    // of the permutation starts by copying its first record into a spare slot, visible
    // under a raised count, so a cut at any frame leaves every profile on the base (at
    // worst twice, or one copy half-written while its source is whole).
    std::vector<int> source(std::size_t(count), 0);
    for (int slot = 0; slot < count; ++slot)
        source[std::size_t(slot)] = int(std::find(before.begin(), before.end(), profiles[std::size_t(slot)].get())
                                        - before.begin());
    const bool spare = count < profileedits::kAddressableProfiles;
    std::vector<bool> placed(std::size_t(count), false);
    bool spareInUse = false;
    for (int start = 1; start < count; ++start) {
        if (placed[std::size_t(start)] || source[std::size_t(start)] == start)
            continue;
        if (spare) {
            if (!spareInUse && !link.setProfileCount(std::uint16_t(count + 1)))
                return failed(-1);
            spareInUse = true;
            if (!link.setProfileData(std::uint16_t(count), *before[std::size_t(start)]))
                return failed(-1);
        }
        for (int slot = start; !placed[std::size_t(slot)]; slot = source[std::size_t(slot)]) {
            if (!link.setProfileData(std::uint16_t(slot), *profiles[std::size_t(slot)]))
                return failed(-1);
            placed[std::size_t(slot)] = true;
            linkclock::sleepMs(kReorderProfilePauseMs);
        }
    }
    if (spareInUse && !link.setProfileCount(std::uint16_t(count)))
        return failed(-1);

    Result result{Outcome::Done, -1};
    if (newDefault >= 0) {
        if (!link.setDefaultProfile(std::uint16_t(newDefault)))
            return failed(-1);
        linkclock::sleepMs(kReorderIndexPauseMs);
    }
    if (newActive >= 0) {
        if (!link.activateProfile(std::uint16_t(newActive)))
            return failed(-1);
        result.activated = newActive;
        linkclock::sleepMs(kReorderIndexPauseMs);
    }
    recovery.finish();
    return result;
}

} // namespace profilesync
