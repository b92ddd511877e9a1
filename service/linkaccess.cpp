#include "service/linkaccess.h"

#include "device/devicelink.h"

bool linkFree(DeviceLink &link) { return !link.updatesPaused && !link.flashDelayTimer().isActive(); }

LinkHold::LinkHold(DeviceLink &link) : link_(link) { link_.updatesPaused = true; }

LinkHold::~LinkHold() { link_.updatesPaused = false; }
