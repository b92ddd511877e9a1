#pragma once
// Structural edits of the tool's profile list, free of widgets and of the device so each
// rule can be checked on its own. Entry 0 is the base's read-only safe profile and is
// never moved, replaced or removed here.

#include "settings/profilelist.h"

#include <memory>
#include <vector>

namespace profileedits {

// The profile index travels to the base as one byte: a profile at 256 would be written
// over profile 0, so the list never grows past this.
constexpr int kAddressableProfiles = 256;

constexpr char kCopiedProfileName[] = "Copied profile";

// How many more profiles the list can take.
int freeSlots(const ProfileList &profiles);

// Every parameter word and the second text of `source`, named "Copied profile".
std::unique_ptr<profDataNew> copiedProfile(const profDataNew &source);

// The default index once profile `deleted` is gone: 0 when the default itself goes, one
// less when the default lies after it, else unchanged.
int defaultAfterDelete(int deleted, int defaultIndex);

// Removes and frees entry `index`. False for the safe profile or an index outside the list.
bool removeProfile(ProfileList &profiles, int index);

// Moves entries of `incoming` to the end of the list, in order, while there is room.
// Returns how many moved; those that did not fit stay in `incoming`.
int appendWithinLimit(ProfileList &profiles, ProfileList &incoming);

// Puts the list's records 1 .. n−1 into the order given (row r becomes entry r + 1).
// False, with the list untouched, unless the rows are exactly those records, each once:
// the list was rebuilt or changed while the user arranged it.
bool reorder(ProfileList &profiles, const std::vector<const profDataNew *> &rows);

// Index of `record` in the list, or -1.
int indexOf(const ProfileList &profiles, const profDataNew *record);

} // namespace profileedits
