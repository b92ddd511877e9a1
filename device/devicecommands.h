#pragma once
// Fire-and-forget commands. Each returns false without traffic while disconnected, and
// a failed write closes the link; the base never acknowledges, its effect shows in the
// next status reply.

#include <cstdint>

bool unsetTemporarySteeringAngle();
// Pauses all polling for the flash delay, even when the link is down.
bool saveToFlash();
bool reloadFromFlash();
// The window's save button: save, wait, then tell the base its settings equal its flash.
bool saveToFlashSequence();
bool setRawAnalogMode();
bool setCalibratedAnalogMode();
bool finishCenterChange();
bool setSettingsNotChanged();
bool driveSystemCommand(std::uint16_t number);
bool setWheelCenterTemporary();
bool setWheelCenterPermanent();
bool activateProfile(std::uint16_t index);
bool setProfileCount(std::uint16_t count);
bool setDefaultProfile(std::uint16_t index);
bool resetFfb();
bool enableTorque();
bool endEventLogRead();
bool setEventLogVerbosity(std::uint16_t level);
// Two frames: the request, then a NOP that lets the base act on it.
bool startBootloader();
bool startWirelessScan();
bool stopWirelessScan();
bool connectWirelessDevice(std::uint16_t index);
bool disconnectWirelessDevice();
bool forgetWirelessDevice();

constexpr int kSaveSettleMs = 500; // between the flash save and "settings not changed"
