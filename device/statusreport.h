#pragma once
// The status request and the fast wheel report, with the process-wide records they fill.

#include "devicestatus.h"
#include "wheelsample.h"

using wire::DeviceStatus;
using wire::WheelSample;

DeviceStatus &deviceStatus();
WheelSample &wheelSample();

// True while the link is up; `valid` becomes true only when `deviceStatus()` was refreshed.
bool askVeltraneStatusNew(bool &valid);

// Picks up the newest game-controller report into `wheelSample()`; false means the link closed.
bool readWheelReport();
