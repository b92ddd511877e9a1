#pragma once
// The event-log button: download the base's ring, show it decoded in the modal "Event
// Log" window, and let the base record again when the window closes.

#include "eventlog/eventlogdownload.h"

class DeviceLink;
class QWidget;
class UserPrompts;

namespace eventlog {

// Nothing is shown when the download fails; the returned download says why. The window
// runs through `prompts` and is gone when this returns.
EventLogDownload showEventLog(DeviceLink &link, UserPrompts &prompts, QWidget *parent);

} // namespace eventlog
