// What each command does to the base. A code without a handler is accepted and ignored,
// as the base does with anything it does not know.

#include "basemodel.h"

#include "bytes.h"
#include "eventcodes.h"
#include "inputmotion.h"

#include <algorithm>

namespace basesim {
namespace {

std::uint16_t u16Argument(const wire::CommandFrame &frame)
{
    return wire::getU16(frame.data(), frame.size(), 2);
}

} // namespace

BaseModel::Handler BaseModel::handlerFor(std::uint8_t code)
{
    static const std::array<Handler, 256> table = [] {
        std::array<Handler, 256> t{};
        const auto on = [&t](DeviceCommand command, Handler handler) {
            t[static_cast<std::uint8_t>(command)] = handler;
        };
        on(DeviceCommand::askVeltraneStatusNew, &BaseModel::replyStatus);
        on(DeviceCommand::unsetTemporarySteeringAngle, &BaseModel::unsetTemporarySteeringAngle);
        on(DeviceCommand::saveToFlash, &BaseModel::saveToFlash);
        on(DeviceCommand::reloadFromFlash, &BaseModel::reloadFromFlash);
        on(DeviceCommand::setRawAnalogMode, &BaseModel::setRawAnalogMode);
        on(DeviceCommand::setCalibratedAnalogMode, &BaseModel::setCalibratedAnalogMode);
        on(DeviceCommand::finishCenterChange, &BaseModel::finishCenterChange);
        on(DeviceCommand::setSettingsNotChanged, &BaseModel::setSettingsNotChanged);
        on(DeviceCommand::driveSystemCommand, &BaseModel::driveSystemCommand);
        on(DeviceCommand::setWheelCenterTemporary, &BaseModel::setWheelCenterTemporary);
        on(DeviceCommand::setWheelCenterPermanent, &BaseModel::setWheelCenterPermanent);
        on(DeviceCommand::activateProfile, &BaseModel::activateProfile);
        on(DeviceCommand::setProfileCount, &BaseModel::setProfileCount);
        on(DeviceCommand::setDefaultProfile, &BaseModel::setDefaultProfile);
        on(DeviceCommand::resetFfb, &BaseModel::resetFfb);
        on(DeviceCommand::enableTorque, &BaseModel::enableTorque);
        on(DeviceCommand::setEventLogVerbosity, &BaseModel::setEventLogVerbosity);
        on(DeviceCommand::startBootloader, &BaseModel::startBootloader);
        // Settings transfers: writes run at once, so the base then differs from its flash.
        on(DeviceCommand::getProfileDataValues, &BaseModel::readProfileValues);
        on(DeviceCommand::getHardwareDataNew, &BaseModel::readHardwareValues);
        on(DeviceCommand::getAnalogDataNew, &BaseModel::readAnalogValues);
        on(DeviceCommand::getProfileDataName, &BaseModel::readProfileName);
        on(DeviceCommand::getProfileDataReservedText, &BaseModel::readProfileReservedText);
        on(DeviceCommand::getAnalogDataNewName, &BaseModel::readAnalogName);
        on(DeviceCommand::setProfileDataValues, &BaseModel::writeProfileValues);
        on(DeviceCommand::setHardwareData, &BaseModel::writeHardwareValues);
        on(DeviceCommand::setAnalogDataValues, &BaseModel::writeAnalogValues);
        on(DeviceCommand::setProfileDataName, &BaseModel::writeProfileName);
        on(DeviceCommand::setProfileDataReservedText, &BaseModel::writeProfileReservedText);
        on(DeviceCommand::setAnalogDataName, &BaseModel::writeAnalogName);
        on(DeviceCommand::getLogData, &BaseModel::replyEventLogChunk);
        on(DeviceCommand::startWirelessScan, &BaseModel::startWirelessScan);
        on(DeviceCommand::stopWirelessScan, &BaseModel::stopWirelessScan);
        on(DeviceCommand::getNumWirelessDevices, &BaseModel::replyWirelessCount);
        on(DeviceCommand::getWirelessDeviceData, &BaseModel::replyWirelessDevice);
        on(DeviceCommand::getCurrentWirelessDeviceData, &BaseModel::replyCurrentWirelessDevice);
        on(DeviceCommand::connectWirelessDevice, &BaseModel::connectWirelessDevice);
        on(DeviceCommand::disconnectWirelessDevice, &BaseModel::disconnectWirelessDevice);
        on(DeviceCommand::forgetWirelessDevice, &BaseModel::forgetWirelessDevice);
        on(DeviceCommand::writeDriveParameters, &BaseModel::writeDriveParameters);
        on(DeviceCommand::requestDriveParameters, &BaseModel::requestDriveParameters);
        on(DeviceCommand::requestReadDriveParameters, &BaseModel::replyDriveParameters);
        on(DeviceCommand::WriteNOP, &BaseModel::noOperation);
        // Not modelled, so no reply: endEventLogRead and the telemetry transfers (0x9A).
        return t;
    }();
    return table[code];
}

bool BaseModel::replyStatus(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &reply)
{
    const auto record = wire::encodeStatus(status());
    std::copy(record.begin(), record.end(), reply.begin());
    return true;
}

bool BaseModel::unsetTemporarySteeringAngle(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    state_.setFlag(wire::tempSteeringAngle, false);
    return false;
}

bool BaseModel::saveToFlash(const wire::CommandFrame &, Milliseconds now, wire::ReplyBuffer &)
{
    startSave(now);
    return false;
}

// The centre in force stays: a temporary centre lasts until the next power-on.
bool BaseModel::reloadFromFlash(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    logEvent(event::CmdReloadFromFlash);
    state_.ram = state_.flash;
    keepProfilesInRange();
    state_.setFlag(wire::Unsaved, false);
    return false;
}

bool BaseModel::setRawAnalogMode(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    logEvent(event::CmdRawAnalogMode);
    state_.inputs.rawAnalogMode = true;
    return false;
}

bool BaseModel::setCalibratedAnalogMode(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    logEvent(event::CmdCalibratedAnalogMode);
    state_.inputs.rawAnalogMode = false;
    return false;
}

bool BaseModel::finishCenterChange(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    if (state_.centreChangePending) {
        state_.centreChangePending = false;
        if (state_.forcesEnabledBeforeCentreChange)
            state_.setFlag(wire::ForcesEnabled, true);
    }
    return false;
}

bool BaseModel::setSettingsNotChanged(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    logEvent(event::CmdSettingsNotChanged);
    state_.setFlag(wire::Unsaved, false);
    return false;
}

// Other numbers belong to the drive itself and change nothing the base reports.
bool BaseModel::driveSystemCommand(const wire::CommandFrame &frame, Milliseconds now, wire::ReplyBuffer &)
{
    if (u16Argument(frame) == kDriveSystemRestart) {
        logEvent(event::CmdRestartDrive, kDriveSystemRestart);
        startDriveRestart(now);
    }
    return false;
}

// Session only: no setting changes, so the flash still matches and Unsaved is untouched.
bool BaseModel::setWheelCenterTemporary(const wire::CommandFrame &, Milliseconds now, wire::ReplyBuffer &)
{
    logEvent(event::CmdSetWheelCenter, 0);
    beginCentreChange();
    state_.inputs.centreOffset = static_cast<std::int32_t>(mechanicalWheelPosition(state_, now)) - wire::kWheelCentre;
    return false;
}

// Written straight to flash as well, so it does not make the settings unsaved.
bool BaseModel::setWheelCenterPermanent(const wire::CommandFrame &, Milliseconds now, wire::ReplyBuffer &)
{
    logEvent(event::CmdSetWheelCenter, 1);
    beginCentreChange();
    const std::int32_t offset = static_cast<std::int32_t>(mechanicalWheelPosition(state_, now)) - wire::kWheelCentre;
    state_.inputs.centreOffset = offset;
    state_.ram.setPermanentCentreOffset(offset);
    state_.flash.setPermanentCentreOffset(offset);
    return false;
}

// Which profile runs is not a setting: the base always starts with the default one.
bool BaseModel::activateProfile(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const std::uint16_t index = u16Argument(frame);
    logEvent(event::CmdActivateProfile, index);
    if (index < state_.ram.profileCount)
        state_.activeProfile = index;
    return false;
}

bool BaseModel::setProfileCount(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const std::uint16_t count = u16Argument(frame);
    logEvent(event::CmdSetProfileCount, count);
    if (count == 0 || count > kMaxProfileCount)
        return false;
    state_.ram.profileCount = count;
    keepProfilesInRange();
    markUnsaved();
    return false;
}

bool BaseModel::setDefaultProfile(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const std::uint16_t index = u16Argument(frame);
    logEvent(event::CmdSetDefaultProfile, index);
    if (index >= state_.ram.profileCount)
        return false;
    state_.ram.defaultProfile = index;
    markUnsaved();
    return false;
}

bool BaseModel::resetFfb(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    logEvent(event::CmdResetFfb);
    state_.effectsAllocated = 0;
    state_.effectsPlaying = 0;
    return false;
}

// Clears the torque-off reasons the user can override; STO and drive faults are hardware.
bool BaseModel::enableTorque(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    logEvent(event::CmdEnableForces);
    state_.setFlag(wire::ForcesEnabled, true);
    state_.setFlag(wire::wirelessTorqueOffEvent, false);
    state_.setFlag(wire::wirelessTorqueOffButton, false);
    state_.setFlag(wire::standbyMode, false);
    return false;
}

// A level outside the verbosity list is ignored.
bool BaseModel::setEventLogVerbosity(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const std::uint16_t level = u16Argument(frame);
    logEvent(event::CmdSetVerbosity, level);
    if (level < kEventLogVerbosityLevels)
        state_.eventLogVerbosity = static_cast<std::uint8_t>(level);
    return false;
}

bool BaseModel::startBootloader(const wire::CommandFrame &, Milliseconds now, wire::ReplyBuffer &)
{
    if (!bootloaderJumpAt_) {
        logEvent(event::CmdStartBootloader);
        logEvent(event::StateGoingToBootloader);
        bootloaderJumpAt_ = now + kBootloaderJumpMs;
    }
    return false;
}

bool BaseModel::startWirelessScan(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    if (state_.wirelessReceiverPresent) {
        logEvent(event::WirelessTaskChange, 1);
        state_.setFlag(wire::receiverScanning, true);
    }
    return false;
}

bool BaseModel::stopWirelessScan(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &)
{
    if (state_.hasFlag(wire::receiverScanning))
        logEvent(event::WirelessTaskChange, 0);
    state_.setFlag(wire::receiverScanning, false);
    return false;
}

bool BaseModel::noOperation(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &) { return false; }

} // namespace basesim
