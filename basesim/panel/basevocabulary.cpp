#include "basesim/panel/basevocabulary.h"

#include <QStringList>

namespace basesim {

const std::array<NamedBit, 15> kDriveFaultBits{{
    {1, "Tracking Error!"},
    {2, "Over Current!"},
    {3, "Communication Fault"},
    {4, "Encoder Fault"},
    {5, "Over Temperature"},
    {6, "Undervoltage"},
    {7, "Overvoltage"},
    {8, "Program Fault"},
    {9, "Hardware Fault"},
    {10, "Overvelocity"},
    {11, "Initialization Fault"},
    {12, "Motion Fault"},
    {13, "Motion Range Fault"},
    {14, "Power Stage Forced Off"},
    {15, "Error with Host Communication"},
}};

const std::array<NamedBit, 13> kEffectTypes{{
    {0, "Constantforce"},
    {1, "PeriodicSineOffset"},
    {2, "PeriodicSine"},
    {3, "Damping"},
    {4, "Inertia"},
    {5, "Friction"},
    {6, "Ramp"},
    {7, "Squarewave"},
    {8, "Trianglewave"},
    {9, "SawtoothDn"},
    {10, "SawtoothUp"},
    {11, "Spring"},
    {12, "CustomEffect"},
}};

const std::array<NamedBit, 15> kStatusFlagNames{{
    {0, "Unsaved"},
    {1, "IndexpointFound"},
    {2, "InitSuccess"},
    {3, "tempSteeringAngle"},
    {4, "ForcesEnabled"},
    {5, "wirelessFound"},
    {6, "wirelessConn"},
    {7, "receiverScanning"},
    {8, "wirelessTorqueOffEvent"},
    {9, "stoActivated"},
    {10, "highTorque"},
    {11, "torqOffSaving"},
    {12, "smPermanentFault"},
    {13, "wirelessTorqueOffButton"},
    {14, "standbyMode"},
}};

const std::array<NamedMode, 19> kOperatingModes{{
    {0, "Booting"},
    {1, "Unknown operating mode!"},
    {2, "Trying to initialize drive"},
    {3, "Successfully initialized drive."},
    {4, "Turn the wheel to find index point"},
    {5, "Couldn't connect to Servo Drive, reconnecting.."},
    {6, "Waiting for faults to clear. Release E-stop?"},
    {7, "Waiting for drive to get ready"},
    {8, "Autoupdating Servo Drive Firmware. %1 %"},
    {9, "Hardware settings not yet configured."},
    {10, "Initializing parameters"},
    {11, "Operational"},
    {12, "Saving settings to Veltrane flash memory"},
    {13, "Resetting all settings to default."},
    {14, "Flash Memory Fault"},
    {18, "Applying DRC settings to drive"},
    {19, "Error applying DRC settings to drive"},
    {21, "Drive firmware update error. Turn system off and on again."},
    {23, "Paused after drive init. Waiting for wizard."},
}};

QString operatingModeLabel(std::uint32_t mode, std::uint8_t driveUpdateProgress)
{
    QString text = QStringLiteral("Unknown operating mode!");
    for (const NamedMode &named : kOperatingModes) {
        if (named.mode == mode)
            text = QLatin1String(named.text);
    }
    if (mode == 8)
        text = text.arg(driveUpdateProgress);
    return QString::number(mode) + QLatin1Char(' ') + text;
}

QString statusFlagNames(std::uint16_t flags)
{
    QStringList names;
    for (const NamedBit &named : kStatusFlagNames) {
        if (flags & (1u << named.bit))
            names << QLatin1String(named.name);
    }
    return names.join(QLatin1Char(' '));
}

} // namespace basesim
