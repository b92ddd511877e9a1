#include "eventlog/verbosity.h"

#include "device/devicelink.h"
#include "device/linkgate.h"

#include <QDebug>

namespace eventlog {

bool setVerbosity(DeviceLink &link, int level)
{
    if (level < 0 || level >= kVerbosityLevelCount)
        return false;
    if (link.gate().busy()) {
        qDebug().noquote() << "event log verbosity not sent: the link is busy:" << link.gate().holder();
        return false;
    }
    return link.setEventLogVerbosity(std::uint16_t(level));
}

} // namespace eventlog
