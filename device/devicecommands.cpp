#include "devicecommands.h"

#include "clock.h"
#include "devicelink.h"

#include <QTimer>

namespace {

// Commands with an argument follow the bare request contract (close without hid_exit).
bool sendWithArgument(DeviceCommand code, std::uint16_t argument)
{
    return sendRequest(wire::u16Command(code, argument));
}

void startFlashDelay(int delayMs)
{
    deviceLink().updatesPaused = true;
    flashDelayTimer().start(delayMs);
}

} // namespace

bool unsetTemporarySteeringAngle() { return sendCommand(DeviceCommand::unsetTemporarySteeringAngle); }

bool saveToFlash()
{
    startFlashDelay(kFlashSaveDelayMs);
    if (!deviceLink().connected)
        return false;
    if (!sendCommand(DeviceCommand::saveToFlash))
        return false;
    WriteNOP();
    return true;
}

bool reloadFromFlash()
{
    startFlashDelay(kFlashReloadDelayMs);
    if (!deviceLink().connected)
        return false;
    return sendCommand(DeviceCommand::reloadFromFlash);
}

bool saveToFlashSequence()
{
    const bool saved = saveToFlash();
    linkclock::sleepMs(kSaveSettleMs);
    if (saved)
        setSettingsNotChanged();
    return saved;
}

bool setRawAnalogMode() { return sendCommand(DeviceCommand::setRawAnalogMode); }

bool setCalibratedAnalogMode()
{
    const bool ok = sendCommand(DeviceCommand::setCalibratedAnalogMode);
    if (!ok)
        writeStandardOutput("calibrated analog mode set failed.\n");
    return ok;
}

bool finishCenterChange() { return sendCommand(DeviceCommand::finishCenterChange); }
bool setSettingsNotChanged() { return sendCommand(DeviceCommand::setSettingsNotChanged); }

bool driveSystemCommand(std::uint16_t number)
{
    return sendWithArgument(DeviceCommand::driveSystemCommand, number);
}

bool setWheelCenterTemporary() { return sendCommand(DeviceCommand::setWheelCenterTemporary); }
bool setWheelCenterPermanent() { return sendCommand(DeviceCommand::setWheelCenterPermanent); }

bool activateProfile(std::uint16_t index)
{
    return sendWithArgument(DeviceCommand::activateProfile, index);
}

bool setProfileCount(std::uint16_t count)
{
    return sendWithArgument(DeviceCommand::setProfileCount, count);
}

bool setDefaultProfile(std::uint16_t index)
{
    return sendWithArgument(DeviceCommand::setDefaultProfile, index);
}

bool resetFfb() { return sendCommand(DeviceCommand::resetFfb); }
bool enableTorque() { return sendCommand(DeviceCommand::enableTorque); }
bool endEventLogRead() { return sendCommand(DeviceCommand::endEventLogRead); }

bool setEventLogVerbosity(std::uint16_t level)
{
    return sendWithArgument(DeviceCommand::setEventLogVerbosity, level);
}

bool startBootloader()
{
    if (!sendRequest(wire::bareCommand(DeviceCommand::startBootloader)))
        return false;
    return sendRequest(wire::bareCommand(DeviceCommand::WriteNOP));
}

bool startWirelessScan() { return sendCommand(DeviceCommand::startWirelessScan); }
bool stopWirelessScan() { return sendCommand(DeviceCommand::stopWirelessScan); }

bool connectWirelessDevice(std::uint16_t index)
{
    return sendWithArgument(DeviceCommand::connectWirelessDevice, index);
}

bool disconnectWirelessDevice() { return sendCommand(DeviceCommand::disconnectWirelessDevice); }
bool forgetWirelessDevice() { return sendCommand(DeviceCommand::forgetWirelessDevice); }
