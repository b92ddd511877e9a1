#include "eventlog/eventlogviewer.h"

#include "device/devicelink.h"
#include "eventlog/eventlogdialog.h"
#include "common/widgets/userprompts.h"

#include <QDebug>
#include <QPointer>

namespace eventlog {

EventLogDownload showEventLog(DeviceLink &link, UserPrompts &prompts, QWidget *parent)
{
    EventLogDownload download = downloadEventLog(link);
    if (!download.ok) {
        qDebug() << download.error;
        // A ring the base holds still for a read that shows nothing would stay still for good.
        if (download.readStarted && link.connected())
            link.endEventLogRead();
        return download;
    }
    // Held through a guarded pointer: should the parent go while the window runs, it takes
    // the window with it.
    const QPointer<EventLogDialog> dialog = new EventLogDialog(decodeEventLog(download.ring), prompts, parent);
    prompts.exec(dialog);
    delete dialog.data();
    link.endEventLogRead();
    return download;
}

} // namespace eventlog
