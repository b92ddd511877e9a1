// What the Advanced tab shows of each status, from the presentation functions.

#include "ui/pages/advancedpage.h"

#include "device/wire/devicestatus.h"
#include "session/firmwarepolicy.h"
#include "common/presentation/effectlist.h"
#include "common/presentation/safetystatus.h"
#include "common/presentation/statuslines.h"
#include "common/widgets/theme.h"

using namespace presentation;

void AdvancedPage::showStatus(const wire::DeviceStatus &status, const QString &model,
                              const FirmwareStatusNote &firmware)
{
    showDeviceVersions(model, firmwareVersionText(status), driveFirmwareText(status.driveFirmwareVersion));
    if (!firmware.text.isEmpty())
        showFirmwareStatus(firmware.text, applyThemeColours(firmware.styleSheet));
    showDebugInformation(debugValueText(status.debugValue), modeValueText(status.modeValue));
    showStatusBits(statusBitsText(status.statusFlags));
    showEffects(effectListText(status.effectsAllocated, status.effectsPlaying));
    setReloadFlashEnabled(true);
    setRestartEnabled(true);
}
