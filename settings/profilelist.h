#pragma once
// The tool's copy of a base's profile list: index i is profile i of the base, entry 0
// the base's read-only safe profile. The session of the connected base holds it.

#include "settings/datastoredefs.h"

#include <memory>
#include <vector>

using ProfileList = std::vector<std::unique_ptr<profDataNew>>;

// One default-constructed record for the whole run: the per-parameter defaults of
// import and export.
const profDataNew &defaultProfile();
