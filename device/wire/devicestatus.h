#pragma once
// The 57-byte status record and its codec. Bytes the tool does not interpret are
// carried unchanged in `bytes`, so a decode/encode round trip is exact.

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

constexpr std::size_t kStatusRecordSize = 57;

// Operating modes the link and the window act on; the full text table lives with the presentation.
enum OperatingMode : std::uint32_t {
    ModeBooting = 0,
    ModeInitializingDrive = 2,
    ModeDriveInitialized = 3,
    ModeFindIndexPoint = 4,
    ModeDriveNotConnected = 5,
    ModeWaitingForFaults = 6,
    ModeWaitingForDrive = 7,
    ModeAutoupdatingDrive = 8,
    ModeHardwareNotConfigured = 9,
    ModeInitializingParameters = 10,
    ModeOperational = 11,
    ModeSavingToFlash = 12,
    ModeResettingToDefaults = 13,
    ModeFlashFault = 14,
    ModeApplyingDrc = 18,
    ModeDrcError = 19,
    ModeNoBase = 20,
    ModeDriveUpdateError = 21,
    ModePausedAfterDriveInit = 23,
};

enum SafetyFlag : std::uint8_t {
    SafetyDriveFaults = 0x20,
    SafetyEstopPressed = 0x80,
};

enum StatusFlag : std::uint16_t {
    Unsaved = 0x0001,
    IndexpointFound = 0x0002,
    InitSuccess = 0x0004,
    tempSteeringAngle = 0x0008,
    ForcesEnabled = 0x0010,
    wirelessFound = 0x0020,
    wirelessConn = 0x0040,
    receiverScanning = 0x0080,
    wirelessTorqueOffEvent = 0x0100,
    stoActivated = 0x0200,
    highTorque = 0x0400,
    torqOffSaving = 0x0800,
    smPermanentFault = 0x1000,
    wirelessTorqueOffButton = 0x2000,
    standbyMode = 0x4000,
};

struct DeviceStatus {
    std::uint8_t reportId = 0;
    std::uint8_t packetType = 0;
    std::uint8_t firmwareMajor = 0;
    std::uint8_t firmwareMinor = 0;
    std::uint8_t firmwarePatch = 0;
    std::uint8_t safetyFlags = 0;
    std::uint32_t operatingMode = 0;
    std::uint16_t driveFirmwareVersion = 0;
    std::uint16_t activeProfile = 0;
    std::uint16_t defaultProfile = 0;
    std::uint16_t profileCount = 0;
    std::uint8_t driveUpdateProgress = 0;
    std::uint32_t modeValue = 0;
    std::uint32_t debugValue = 0;
    std::uint32_t effectsAllocated = 0;
    std::uint32_t effectsPlaying = 0;
    std::uint32_t driveFaults = 0;
    std::uint32_t faultLocation = 0;
    std::uint8_t eventLogVerbosity = 0;
    std::uint16_t statusFlags = 0;

    // The record as received; the source of the bytes no field above covers.
    std::array<std::uint8_t, kStatusRecordSize> bytes{};

    bool estopPressed() const { return safetyFlags & SafetyEstopPressed; }
    bool driveReportsFaults() const { return safetyFlags & SafetyDriveFaults; }
    bool hasFlag(StatusFlag flag) const { return statusFlags & flag; }
    bool effectMemoryEmpty() const { return effectsAllocated == 0; }
};

// Decodes the first 57 bytes of a reply; missing bytes read as zero.
DeviceStatus decodeStatus(const std::uint8_t *reply, std::size_t length);
// The record as the base sends it: unused bytes from `bytes`, every field on top.
std::array<std::uint8_t, kStatusRecordSize> encodeStatus(const DeviceStatus &status);

} // namespace wire
