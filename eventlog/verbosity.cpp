#include "eventlog/verbosity.h"

#include "device/devicelink.h"
#include "device/linkreservation.h"

#include <QDebug>

namespace eventlog {

bool setVerbosity(DeviceLink &link, int level)
{
    if (level < 0 || level >= kVerbosityLevelCount)
        return false;
    if (linkReserved(link)) {
        qDebug() << "event log verbosity not sent: the link is busy";
        return false;
    }
    return link.setEventLogVerbosity(std::uint16_t(level));
}

} // namespace eventlog
