#pragma once
// A profile-list change (reorder, delete, copy, add, import) is written to the base frame
// by frame; a cable pulled half-way leaves a list that is neither the old one nor the new.
// The recovery remembers the change from before its first write until its last one
// reached the base; on reconnecting to the same base it either completes the change or,
// when the base's list shows writes that are not this change's, puts back the list as
// the automatic backup holds it.

#include "device/wire/profilerecord.h"
#include "session/settingsapplier.h"
#include "settings/profilelist.h"

#include <cstdint>
#include <vector>

class BaseSession;

class ListChangeRecovery {
public:
    enum class Outcome {
        Nothing,   // no unfinished change, or another base
        Completed, // the change is on the base now
        Restored,  // the list as it stood before the change is on the base again
        Failed,    // the repair was cut off too: the change is still remembered
    };

    // The list as it stands (written to the automatic backup alongside) before any write.
    void begin(const BaseSession &session);
    // The list, default and active profile the change leads to, once the tool's side holds it.
    void setMeant(const BaseSession &session);
    // Every write reached the base.
    void finish() { pending_ = false; }
    bool pending() const { return pending_; }

    // Right after the reload of a connection: the session's list holds what the base
    // reports. Writes what is missing and leaves the session's list, default and active
    // profile as the base then holds them.
    Outcome recover(BaseSession &session);

private:
    // The record is packed to the wire's layout: side by side in a vector most would sit
    // at odd addresses, where reading their words is undefined.
    struct alignas(alignof(std::uint32_t)) KeptProfile {
        profDataNew record;
        KeptProfile(const profDataNew &kept) : record(kept) {}
        operator const profDataNew &() const { return record; }
    };
    struct ListState {
        std::vector<KeptProfile> records; // entries 0 .. count − 1
        int defaultProfile = 0;
        int activeProfile = 0;
    };
    static ListState capture(const BaseSession &session);
    // Whether every slot the base now shows holds a record of `before` or `meant` for that
    // slot, or a mix of the two left by a record cut off between its frames.
    bool onlyThisChangeTouched(const ProfileList &onBase) const;
    static bool writeList(BaseSession &session, const ListState &target);

    bool pending_ = false;
    bool meantKnown_ = false;
    SettingsApplier::BaseIdentity base_;
    ListState before_;
    ListState meant_;
};
