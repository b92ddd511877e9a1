#pragma once
// Leaving high-torque mode, which needs no confirmation (entering it does, in its dialog).

#include <cstdint>

class DeviceLink;

namespace service {

// Tells the base to leave; returns `statusFlags` without high torque, which the window
// shows until the next status says what the base did.
std::uint16_t leaveHighTorque(DeviceLink &link, std::uint16_t statusFlags);

} // namespace service
