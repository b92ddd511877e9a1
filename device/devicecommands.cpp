// Fire-and-forget commands and the flash save and reload around them.

#include "device/devicelink.h"

#include "device/hid/clock.h"

// Commands with an argument follow the bare request contract (close without hid_exit).
bool DeviceLink::sendWithArgument(DeviceCommand code, std::uint16_t argument)
{
    return sendRequest(wire::u16Command(code, argument));
}

void DeviceLink::startFlashDelay(LinkGate::FlashWork work, int delayMs) { gate_.startFlashDelay(work, delayMs); }

bool DeviceLink::unsetTemporarySteeringAngle() { return sendCommand(DeviceCommand::unsetTemporarySteeringAngle); }

bool DeviceLink::saveToFlash()
{
    startFlashDelay(LinkGate::FlashWork::Saving, kFlashSaveDelayMs);
    if (!connected_)
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
    if (!connected_ || !sendCommand(DeviceCommand::saveToFlash)) {
        lastError_.prepend(QLatin1String("saving to flash: "));
        return false;
    }
    WriteNOP();
    return true;
}

bool DeviceLink::reloadFromFlash()
{
    startFlashDelay(LinkGate::FlashWork::Reloading, kFlashReloadDelayMs);
    if (!connected_)
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
    else if (sendCommand(DeviceCommand::reloadFromFlash))
        return true;
    lastError_.prepend(QLatin1String("reloading from flash: "));
    return false;
}

bool DeviceLink::saveToFlashSequence()
{
    const bool saved = saveToFlash();
    linkclock::sleepMs(kSaveSettleMs);
    if (saved)
        setSettingsNotChanged();
    return saved;
}

bool DeviceLink::setRawAnalogMode() { return sendCommand(DeviceCommand::setRawAnalogMode); }

bool DeviceLink::setCalibratedAnalogMode()
{
    const bool ok = sendCommand(DeviceCommand::setCalibratedAnalogMode);
    if (!ok)
        writeStandardOutput("calibrated analog mode set failed.\n");
    return ok;
}

bool DeviceLink::finishCenterChange() { return sendCommand(DeviceCommand::finishCenterChange); }
bool DeviceLink::setSettingsNotChanged() { return sendCommand(DeviceCommand::setSettingsNotChanged); }

bool DeviceLink::driveSystemCommand(std::uint16_t number)
{
    return sendWithArgument(DeviceCommand::driveSystemCommand, number);
}

bool DeviceLink::setWheelCenterTemporary() { return sendCommand(DeviceCommand::setWheelCenterTemporary); }
bool DeviceLink::setWheelCenterPermanent() { return sendCommand(DeviceCommand::setWheelCenterPermanent); }

bool DeviceLink::activateProfile(std::uint16_t index)
{
    return sendWithArgument(DeviceCommand::activateProfile, index);
}

bool DeviceLink::setProfileCount(std::uint16_t count)
{
    return sendWithArgument(DeviceCommand::setProfileCount, count);
}

bool DeviceLink::setDefaultProfile(std::uint16_t index)
{
    return sendWithArgument(DeviceCommand::setDefaultProfile, index);
}

bool DeviceLink::resetFfb() { return sendCommand(DeviceCommand::resetFfb); }
bool DeviceLink::enableTorque() { return sendCommand(DeviceCommand::enableTorque); }
bool DeviceLink::endEventLogRead() { return sendCommand(DeviceCommand::endEventLogRead); }

bool DeviceLink::setEventLogVerbosity(std::uint16_t level)
{
    return sendWithArgument(DeviceCommand::setEventLogVerbosity, level);
}

bool DeviceLink::startBootloader()
{
    if (!sendRequest(wire::bareCommand(DeviceCommand::startBootloader)))
        return false;
    return sendRequest(wire::bareCommand(DeviceCommand::WriteNOP));
}

bool DeviceLink::startWirelessScan() { return sendCommand(DeviceCommand::startWirelessScan); }
bool DeviceLink::stopWirelessScan() { return sendCommand(DeviceCommand::stopWirelessScan); }

bool DeviceLink::connectWirelessDevice(std::uint16_t index)
{
    return sendWithArgument(DeviceCommand::connectWirelessDevice, index);
}

bool DeviceLink::disconnectWirelessDevice() { return sendCommand(DeviceCommand::disconnectWirelessDevice); }
bool DeviceLink::forgetWirelessDevice() { return sendCommand(DeviceCommand::forgetWirelessDevice); }
