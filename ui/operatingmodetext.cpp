#include "operatingmodetext.h"

#include <QCoreApplication>

QString operatingModeText(std::uint32_t mode, std::uint8_t driveUpdateProgress)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("MW2", text); };
    switch (mode) {
    case 0: return tr("Booting");
    case 2: return tr("Trying to initialize drive");
    case 3: return tr("Successfully initialized drive.");
    case 4: return tr("Turn the wheel to find index point");
    case 5: return tr("Couldn't connect to Servo Drive, reconnecting..");
    case 6: return tr("Waiting for faults to clear. Release E-stop?");
    case 7: return tr("Waiting for drive to get ready");
    case 8: return tr("Autoupdating Servo Drive Firmware. %1 %").arg(driveUpdateProgress);
    case 9: return tr("Hardware settings not yet configured.");
    case 10: return tr("Initializing parameters");
    case 11: return tr("Operational");
    case 12: return tr("Saving settings to Veltrane flash memory");
    case 13: return tr("Resetting all settings to default.");
    case 14: return tr("Flash Memory Fault");
    case 18: return tr("Applying DRC settings to drive");
    case 19: return tr("Error applying DRC settings to drive");
    case 21: return tr("Drive firmware update error. Turn system off and on again.");
    case 23: return tr("Paused after drive init. Waiting for wizard.");
    default: return tr("Unknown operating mode!");
    }
}
