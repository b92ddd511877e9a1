// What the Hardware tab enables for the base's operating mode.

#include "ui/pages/hardwarepage.h"

#include "common/presentation/operatingmode.h"

void HardwarePage::showOperatingMode(const presentation::OperatingModeView &mode, bool analogAllowed)
{
    if (!analogAllowed)
        setAnalogConfigurationEnabled(false);
    if (mode.hardwareGroupEnabled)
        setSettingsEnabled(true);
    // A mode may take the settings away and give them back in one status.
    for (const bool enable : {false, true}) {
        if (enable ? mode.mainGroupsEnabled : mode.mainGroupsDisabled)
            setSettingsEnabled(enable);
    }
    if (mode.mainGroupsEnabled)
        setAnalogConfigurationEnabled(true);
}
