#include "common/presentation/alarmband.h"

#include "common/presentation/operatingmode.h"

#include <QCoreApplication>
#include <QStringList>

namespace presentation {

namespace {
QString alarmText(const char *text) { return QCoreApplication::translate("AlarmBand", text); }
} // namespace

QString alarmBandText(const wire::DeviceStatus *status)
{
    if (!status)
        return alarmText(QT_TRANSLATE_NOOP("AlarmBand", "Disconnected - no force feedback"));
    QStringList alarms;
    if (status->estopPressed())
        alarms << alarmText(QT_TRANSLATE_NOOP("AlarmBand", "E-Stop pressed"));
    if (status->driveReportsFaults())
        alarms << alarmText(QT_TRANSLATE_NOOP("AlarmBand", "Drive faults - cycle the E-Stop to clear them"));
    if (status->operatingMode == wire::ModeOperational) {
        const TorqueOffView off = torqueOffReasons(status->statusFlags);
        if (!off.reasons.isEmpty())
            alarms << alarmText(QT_TRANSLATE_NOOP("AlarmBand", "Torque off: %1")).arg(off.reasons.join(QStringLiteral(" & ")));
    }
    return alarms.join(QStringLiteral("  |  "));
}

} // namespace presentation
