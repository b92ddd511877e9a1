#pragma once
// Command codes the tool sends in byte 1 of a command frame.

#include <cstdint>

enum class DeviceCommand : std::uint8_t {
    askVeltraneStatusNew = 0x00,
    unsetTemporarySteeringAngle = 0x02,
    saveToFlash = 0x04,
    reloadFromFlash = 0x05,
    setRawAnalogMode = 0x13,
    setCalibratedAnalogMode = 0x14,
    finishCenterChange = 0x15,
    setSettingsNotChanged = 0x1B,
    driveSystemCommand = 0x1E,
    setWheelCenterTemporary = 0x20,
    setWheelCenterPermanent = 0x22,
    activateProfile = 0x26,
    setProfileCount = 0x27,
    setDefaultProfile = 0x28,
    resetFfb = 0x29,
    enableTorque = 0x2C,
    getLogData = 0x4F,
    endEventLogRead = 0x52,
    setEventLogVerbosity = 0x53,
    startBootloader = 0x63,
    getHardwareDataNew = 0x6E,
    getAnalogDataNew = 0x6F,
    getProfileDataValues = 0x71,
    getProfileDataName = 0x72,
    getProfileDataReservedText = 0x73,
    getAnalogDataNewName = 0x74,
    setHardwareData = 0x7A,
    setAnalogDataValues = 0x7B,
    setProfileDataValues = 0x7D,
    setProfileDataName = 0x7E,
    setProfileDataReservedText = 0x7F,
    setAnalogDataName = 0x80,
    startWirelessScan = 0x81,
    stopWirelessScan = 0x82,
    getNumWirelessDevices = 0x83,
    getWirelessDeviceData = 0x85,
    connectWirelessDevice = 0x87,
    disconnectWirelessDevice = 0x88,
    getCurrentWirelessDeviceData = 0x89,
    forgetWirelessDevice = 0x8A,
    writeDriveParameters = 0x96,
    requestDriveParameters = 0x97,
    requestReadDriveParameters = 0x98,
    telemetry = 0x9A,
    WriteNOP = 0xC8,
};

// Packet type in byte 1 of a reply frame.
enum class PacketType : std::uint8_t {
    Status = 0x01,
    EventLogChunk = 0x50,
    IndexedValues = 0x78,
    BlockData = 0x79,
    WirelessDeviceCount = 0x84,
    WirelessDeviceRecord = 0x86,
    DriveParameterBlock = 0x99,
};

// The drive restart number of `driveSystemCommand`; other numbers belong to the drive.
constexpr std::uint16_t kDriveSystemRestart = 107;
