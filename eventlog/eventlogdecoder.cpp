#include "eventlog/eventlogdecoder.h"

#include "eventlog/eventtexts.h"

namespace eventlog {

QStringList decodeEventLog(const EventRing &ring)
{
    QStringList lines;
    if (!validHead(ring.head))
        return lines;
    for (std::size_t step = 1; step <= kEventLogSize; ++step) {
        const std::size_t position = (ring.head + step) % kEventLogSize;
        if (ring.codes[position] != 0)
            lines << eventLine(ring.codes[position], ring.values[position]);
    }
    return lines;
}

} // namespace eventlog
