// Any bytes as a status reply followed by a game-controller report, decoded as the link
// decodes them and handed to every function that turns them into window text: nothing
// crashes, and the texts keep the shapes the window's fixed-size labels rely on.

#include "device/wire/devicestatus.h"
#include "device/wire/wheelsample.h"
#include "common/presentation/alarmband.h"
#include "common/presentation/effectlist.h"
#include "common/presentation/operatingmode.h"
#include "common/presentation/safetystatus.h"
#include "common/presentation/statuslines.h"
#include "common/presentation/torquelines.h"
#include "common/presentation/wheeltick.h"

#include <cstdlib>
#include <cstring>

using namespace presentation;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::uint32_t wordAt(const std::uint8_t *data, std::size_t size, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && at + i < size; ++i)
        value |= std::uint32_t(data[at + i]) << (8 * i);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The first 61 bytes are the status reply; what follows is the wheel report.
    const std::size_t statusSize = size < 61 ? size : 61;
    const wire::DeviceStatus status = wire::decodeStatus(data, statusSize);
    const wire::WheelSample sample = wire::decodeWheelReport(data + statusSize, size - statusSize);

    (void)alarmBandText(&status);
    (void)alarmBandText(nullptr);
    (void)effectListText(status.effectsAllocated, status.effectsPlaying);
    (void)effectMarkers(status.effectsAllocated, status.effectsPlaying);
    (void)torqueOffReasons(status.statusFlags);
    (void)operatingModeView(status);
    (void)analogConfigurationAllowed(status.modeValue);
    (void)motorFaultText(status.driveFaults, status.faultLocation);
    const EstopView estop = estopView(status);
    // Only the fault-location link may make the line rich text.
    if (estop.richText)
        check(estop.text.contains(QLatin1String(kFaultLocationHelpUrl)));
    (void)faultLocationLink(status.faultLocation);
    for (bool connected : {false, true})
        check(!modelView(connected, wordAt(data, size, 0)).text.isEmpty());
    (void)firmwareVersionText(status);
    (void)driveFirmwareText(std::uint16_t(wordAt(data, size, 4)));
    (void)statusBitsText(status.statusFlags);
    (void)highTorqueView(status.statusFlags);
    (void)temporarySteeringAngleView(status.statusFlags);
    (void)debugValueText(status.debugValue);
    (void)modeValueText(status.modeValue);
    (void)endstopDialogAction(status, false);
    (void)endstopDialogAction(status, true);
    const TorqueLinesView torque = torqueLinesView(wordAt(data, size, 8), wordAt(data, size, 12),
                                                   wordAt(data, size, 16), (status.statusFlags & 1) != 0);
    check(!torque.actualCurrent.isEmpty() && !torque.simpleStrength.isEmpty());

    // Twice, so the button hold counters and the last drawn angle carry over.
    WheelTick tick;
    std::array<bool, wire::kAnalogAxes> enabled{};
    for (std::size_t i = 0; i < enabled.size(); ++i)
        enabled[i] = (status.statusFlags >> i) & 1;
    const std::uint32_t range = wordAt(data, size, 20);
    for (int round = 0; round < 2; ++round) {
        const WheelView view = tick.update(sample, round == 0 ? std::optional<std::uint32_t>(range) : std::nullopt, enabled);
        for (const QString &row : view.buttonRows)
            check(row.size() == 32);
        check(!view.degreesText.isEmpty());
        for (const AnalogRowView &axis : view.axes)
            check(axis.barValue >= 0 && axis.barValue <= 65535 && !axis.label.isEmpty());
    }
    return 0;
}
