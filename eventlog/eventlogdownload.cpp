#include "eventlog/eventlogdownload.h"

#include "device/devicelink.h"
#include "device/hid/clock.h"
#include "device/linkgate.h"

#include <QDebug>

namespace eventlog {
namespace {

constexpr std::size_t kChunkStride = wire::kEventLogChunkEntries;

} // namespace

EventLogDownload downloadEventLog(DeviceLink &link)
{
    EventLogDownload download;
    const LinkGate::Hold hold = link.gate().acquire(QStringLiteral("reading the event log"));
    if (!hold.granted()) {
        download.busyWith = hold.busyWith();
        download.error = QStringLiteral("downloading the event log: the link is busy with another operation");
        return download;
    }
    for (int request = 0; request < kChunkRequests; ++request) {
        const auto start = std::uint16_t(request * kChunkStride);
        if (!link.getLogData(start)) {
            download.error = QStringLiteral("downloading the event log: ") + link.lastError();
            return download;
        }
        download.readStarted = true;
        // The pause runs from the reply on; storing and logging the chunk spend part of it.
        const linkclock::Stopwatch sinceReply;
        const wire::EventLogChunk &chunk = link.eventLogChunk();
        for (std::size_t k = 0; k < kChunkStride; ++k) {
            const std::size_t position = start + k;
            // The last chunk reaches past the ring.
            if (position >= kEventLogSize)
                break;
            download.ring.codes[position] = chunk.code(k);
            download.ring.values[position] = chunk.value(k);
            qDebug() << "event log position" << int(position) << chunk.code(k) << chunk.value(k);
        }
        download.ring.head = chunk.head();
        linkclock::sleepMs(kChunkPauseMs - sinceReply.elapsedMs());
    }
    qDebug() << "event log position 0:" << download.ring.codes[0] << download.ring.values[0];
    if (!validHead(download.ring.head)) {
        download.error = QStringLiteral("downloading the event log: the base names entry %1 as its newest, "
                                        "outside its ring of %2 entries")
                             .arg(download.ring.head)
                             .arg(kEventLogSize);
        qDebug() << download.error;
        return download;
    }
    download.ok = true;
    return download;
}

} // namespace eventlog
