#include "service/hightorque.h"

#include "device/devicelink.h"

namespace service {

std::uint16_t leaveHighTorque(DeviceLink &link, std::uint16_t statusFlags)
{
    link.leaveHighTorqueMode();
    return std::uint16_t(statusFlags & ~wire::highTorque);
}

} // namespace service
