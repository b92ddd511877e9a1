// What the base runs, as this connection has seen it: the safety check measures the
// wheel under the range the base applies, not under an edit it has not got yet.

#include "device/devicelink.h"

std::uint32_t DeviceLink::steeringRangeOnBase(int slot) const
{
    return slot >= 0 && slot < int(steeringRangesOnBase_.size()) ? steeringRangesOnBase_[std::size_t(slot)] : 0;
}

void DeviceLink::noteSteeringRangeOnBase(int slot, std::uint32_t range)
{
    if (slot < 0)
        return;
    if (slot >= int(steeringRangesOnBase_.size()))
        steeringRangesOnBase_.resize(std::size_t(slot) + 1, 0);
    steeringRangesOnBase_[std::size_t(slot)] = range;
}

void DeviceLink::forgetWhatTheBaseRuns()
{
    measuredWheelPosition_.reset();
    steeringRangesOnBase_.clear();
}
