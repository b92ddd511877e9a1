#include "eventlog/eventlogviewer.h"

#include "device/devicelink.h"
#include "eventlog/eventlogdialog.h"
#include "ui/widgets/userprompts.h"

#include <QDebug>

namespace eventlog {

EventLogDownload showEventLog(DeviceLink &link, UserPrompts &prompts, QWidget *parent)
{
    EventLogDownload download = downloadEventLog(link);
    if (!download.ok) {
        qDebug() << download.error;
        // A ring the base holds still for a read that shows nothing would stay still for good.
        if (download.readStarted && link.connected)
            link.endEventLogRead();
        return download;
    }
    {
        EventLogDialog dialog(decodeEventLog(download.ring), prompts, parent);
        prompts.exec(&dialog);
    }
    link.endEventLogRead();
    return download;
}

} // namespace eventlog
