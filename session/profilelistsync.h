#pragma once
// Structural changes of the profile list, told to the base: the tool's list changes
// first, then the base gets every record whose index moved, the count and the active or
// default index. A sequence stops at the first failed transfer; the link is then down,
// nothing is rolled back, and the reload after reconnection rebuilds the list.

#include "device/operationresult.h"
#include "settings/profilelist.h"

#include <QString>

class BaseSession;

#include <memory>
#include <vector>

namespace profilesync {

enum class Outcome {
    Done,
    Refused,  // nothing changed: no room, nothing to act on, or the list changed meanwhile
    LinkLost, // the list changed but the base heard only part of it
    Unsafe,   // nothing changed: the new profile's steering range or end stop would act
              // on the wheel where it stands
    Busy,     // nothing changed or sent: another operation holds the link
};

struct Result {
    Outcome outcome = Outcome::Refused;
    int activated = -1; // profile activated on the base by the change, -1 for none
    QString busyWith;   // who holds the link, when Busy
};

// Activates a profile on the base; false when the link failed.
bool activate(BaseSession &session, int index);
enum class Activation {
    Activated,
    AlreadyChosen, // the profile last activated this way: nothing sent
    Unsafe,        // nothing sent: its steering range or end stop would act on the wheel now
    Busy,          // nothing sent: another operation holds the link, or the flash delay runs
    Failed,        // the link failed; the listeners were told no profile is known
};
// What choosing a profile in the list does: the safety check, the activation, a status
// tick and every control refilled, the listeners told.
Activation activateAsChosen(BaseSession &session, int index);

// Makes the active profile the base's default; refused while the link is held.
OperationResult makeActiveDefault(BaseSession &session);

// Every change below is refused as Busy, nothing changed or sent, while the link is held.

// Appends the record as the new last profile, sends it and the new count, and activates it.
// Refused when the list is full or not loaded; Unsafe when running it would change the
// steering range off centre or put the wheel in its bump stop.
Result appendAndActivate(BaseSession &session, std::unique_ptr<profDataNew> profile);

// The same with a copy of the active profile named "Copied profile".
Result copyActiveProfile(BaseSession &session);

// Deletes the active profile, keeps the default on the same profile where it survives,
// rewrites the profiles after it and activates the safe profile. Refused for the safe
// profile and when only one profile exists.
Result deleteActiveProfile(BaseSession &session);

struct ImportResult {
    int appended = 0; // now at the end of the list
    int leftOut = 0;  // did not fit below the limit
    bool linkLost = false;
    QString busyWith;  // nothing imported or sent: this operation holds the link
};

// Moves the imported records to the end of the list while there is room and sends them
// and the new count.
ImportResult appendImported(BaseSession &session, ProfileList &incoming);

// Puts profiles 1 .. n−1 into the order of `rows` (row r becomes profile r + 1) and sends
// every one; the default and the active profile follow their records. Refused unless
// the rows are exactly the list's records 1 .. n−1.
Result reorder(BaseSession &session, const std::vector<const profDataNew *> &rows);

} // namespace profilesync
