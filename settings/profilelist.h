#pragma once
// The tool's copy of the base's profile list: index i is profile i of the base, entry 0
// the base's read-only safe profile. Lives for the whole run; the reload fills it.

#include "datastoredefs.h"

#include <memory>
#include <vector>

using ProfileList = std::vector<std::unique_ptr<profDataNew>>;

ProfileList &profileList();

// Deletes every record (on disconnection and at shutdown) and resets the active index to 0.
void clearProfileList();

// Index of the profile being edited.
int &activeProfileIndex();

// The active record, or nullptr when the index is outside the list.
profDataNew *activeProfileRecord();

// Every edit of a parameter or the name marks the active profile for the next apply.
void markCurrentProfileChanged();

// One default-constructed record for the whole run: the per-parameter defaults of
// import and export.
const profDataNew &defaultProfile();
