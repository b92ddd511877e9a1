#pragma once
// The alarm band above the tabs: whatever stops the wheel right now, in white on a
// saturated red that reads at a glance (7:1), where the status lines' red on the dark
// background does not.

#include "device/wire/devicestatus.h"

#include <QString>

namespace presentation {

constexpr const char kAlarmBandStyle[] =
    "QLabel { color: #ffffff; background-color: #b3141b; font-weight: bold; padding: 0 8px; }";

// Empty while nothing stops the wheel. `status` is null while no base is connected.
QString alarmBandText(const wire::DeviceStatus *status);

} // namespace presentation
