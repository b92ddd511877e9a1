#pragma once
// The profile the window edits: the one the base reports active. Profile 0 is the base's
// read-only safe profile and is never edited.

#include "datastoredefs.h"

namespace editing {

// Follows the status's active profile, so the profile list's own index (and with it
// markCurrentProfileChanged) points at the same record.
int editedProfileIndex();

// The active record, or nullptr when the list does not hold it.
profDataNew *editedProfile();

// The active record when it may be edited: present and not the safe profile.
profDataNew *editableProfile();

} // namespace editing
