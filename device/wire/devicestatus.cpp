#include "device/wire/devicestatus.h"

#include "device/wire/bytes.h"

#include <algorithm>

namespace wire {

DeviceStatus decodeStatus(const std::uint8_t *reply, std::size_t length)
{
    DeviceStatus s;
    const std::size_t n = std::min(length, kStatusRecordSize);
    std::copy(reply, reply + n, s.bytes.begin());
    const std::uint8_t *b = s.bytes.data();
    const std::size_t len = s.bytes.size();
    s.reportId = getU8(b, len, 0);
    s.packetType = getU8(b, len, 1);
    s.firmwareMajor = getU8(b, len, 2);
    s.firmwareMinor = getU8(b, len, 3);
    s.firmwarePatch = getU8(b, len, 4);
    s.safetyFlags = getU8(b, len, 6);
    s.operatingMode = getU32(b, len, 8);
    s.driveFirmwareVersion = getU16(b, len, 16);
    s.activeProfile = getU16(b, len, 18);
    s.defaultProfile = getU16(b, len, 20);
    s.profileCount = getU16(b, len, 22);
    s.driveUpdateProgress = getU8(b, len, 25);
    s.modeValue = getU32(b, len, 28);
    s.debugValue = getU32(b, len, 32);
    s.effectsAllocated = getU32(b, len, 36);
    s.effectsPlaying = getU32(b, len, 40);
    s.driveFaults = getU32(b, len, 44);
    s.faultLocation = getU32(b, len, 48);
    s.eventLogVerbosity = getU8(b, len, 52);
    s.statusFlags = getU16(b, len, 53);
    return s;
}

std::array<std::uint8_t, kStatusRecordSize> encodeStatus(const DeviceStatus &s)
{
    std::array<std::uint8_t, kStatusRecordSize> out = s.bytes;
    std::uint8_t *b = out.data();
    const std::size_t len = out.size();
    putU8(b, len, 0, s.reportId);
    putU8(b, len, 1, s.packetType);
    putU8(b, len, 2, s.firmwareMajor);
    putU8(b, len, 3, s.firmwareMinor);
    putU8(b, len, 4, s.firmwarePatch);
    putU8(b, len, 6, s.safetyFlags);
    putU32(b, len, 8, s.operatingMode);
    putU16(b, len, 16, s.driveFirmwareVersion);
    putU16(b, len, 18, s.activeProfile);
    putU16(b, len, 20, s.defaultProfile);
    putU16(b, len, 22, s.profileCount);
    putU8(b, len, 25, s.driveUpdateProgress);
    putU32(b, len, 28, s.modeValue);
    putU32(b, len, 32, s.debugValue);
    putU32(b, len, 36, s.effectsAllocated);
    putU32(b, len, 40, s.effectsPlaying);
    putU32(b, len, 44, s.driveFaults);
    putU32(b, len, 48, s.faultLocation);
    putU8(b, len, 52, s.eventLogVerbosity);
    putU16(b, len, 53, s.statusFlags);
    return out;
}

} // namespace wire
