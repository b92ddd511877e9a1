#pragma once
// Reads the base's whole event ring, nine entries per request. The link is held for the
// whole run, so no poll lands between the chunks. From the first chunk on the base keeps
// its ring still until it is told that the read has ended (`endEventLogRead`).

#include "eventlog/eventlogdecoder.h"

#include <QString>

class DeviceLink;

namespace eventlog {

constexpr int kChunkRequests = 112;    // starts 0, 9, ..., 999
constexpr int kChunkPauseMs = 5;       // after each request

struct EventLogDownload {
    bool ok = false;
    // Why it failed, with its context; empty on success.
    QString error;
    // Who held the link when the download was refused; empty otherwise.
    QString busyWith;
    // The ring may stand still on the base even though the download failed (a bad head):
    // the caller must end the read.
    bool readStarted = false;
    EventRing ring;
};

// Refused, with nothing sent, while another operation holds the link or the flash delay
// runs. A failed request ends it (the link is then closed); so does a head index outside
// the ring, since such a ring cannot be walked.
EventLogDownload downloadEventLog(DeviceLink &link);

} // namespace eventlog
