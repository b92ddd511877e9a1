// What the Profiles tab shows of each status: derived by the presentation functions,
// applied to the page's own controls.

#include "ui/pages/profilespage.h"

#include "device/wire/devicestatus.h"
#include "device/wire/profilerecord.h"
#include "device/wire/settingsrecords.h"
#include "common/presentation/effectlist.h"
#include "common/presentation/profilereadings.h"
#include "common/presentation/statuslines.h"
#include "common/presentation/torquelines.h"

using namespace presentation;

void ProfilesPage::showStatus(const wire::DeviceStatus &status, const ModelView &model, int slewRateMaximum,
                              const profDataNew *active, const wire::HardwareSettings &hardware)
{
    setSlewRateMaximum(slewRateMaximum);
    showCendraSettings(model.cendraSettingsShown);
    // A steering angle set by a game overrides the profile's.
    const TemporarySteeringAngleView angle = temporarySteeringAngleView(status.statusFlags);
    showTemporarySteeringAngle(angle.text, angle.toolTip, angle.colour, angle.steeringAngleEditable);
    const EffectMarkers markers = effectMarkers(status.effectsAllocated, status.effectsPlaying);
    showEffectMarkers({markers.sinewaveactivelabel, markers.dampingeffectactivelabel,
                       markers.frictioneffectactivelabel, markers.squarewaveactivelabel,
                       markers.triangleeffectactivelabel, markers.sawtootheffectactivelabel,
                       markers.springeffectactivelabel});
    if (active) {
        const TorqueLinesView torque =
            torqueLinesView(hardware.word[10], overallStrengthPercent(*active), simpleStrengthPercent(*active),
                            status.hasFlag(wire::highTorque));
        showTorqueLines(torque.actualCurrent, torque.simpleStrength);
    }
    // The game's angle can be given back.
    setUnsetTemporaryAngleEnabled(angle.unsetButtonsEnabled);
}
