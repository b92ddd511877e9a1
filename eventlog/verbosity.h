#pragma once
// How much the base records in its event ring.

class DeviceLink;

namespace eventlog {

// Normal events, effect activity, effect value data: the level is the row of the choice list.
constexpr int kVerbosityLevelCount = 3;

// Sends `level` when it is one of the list and the link is free; false otherwise.
bool setVerbosity(DeviceLink &link, int level);

} // namespace eventlog
