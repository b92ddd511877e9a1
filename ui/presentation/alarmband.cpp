#include "ui/presentation/alarmband.h"

#include "ui/presentation/operatingmode.h"

#include <QCoreApplication>
#include <QStringList>

namespace presentation {

namespace {
QString tr(const char *text) { return QCoreApplication::translate("AlarmBand", text); }
} // namespace

QString alarmBandText(const wire::DeviceStatus *status)
{
    if (!status)
        return tr("Disconnected - no force feedback");
    QStringList alarms;
    if (status->estopPressed())
        alarms << tr("E-Stop pressed");
    if (status->driveReportsFaults())
        alarms << tr("Drive faults - cycle the E-Stop to clear them");
    if (status->operatingMode == wire::ModeOperational) {
        const TorqueOffView off = torqueOffReasons(status->statusFlags);
        if (!off.reasons.isEmpty())
            alarms << tr("Torque off: %1").arg(off.reasons.join(QStringLiteral(" & ")));
    }
    return alarms.join(QStringLiteral("  |  "));
}

} // namespace presentation
