#include "basemodel.h"

#include "inputmotion.h"

#include <algorithm>

namespace basesim {

BaseModel::BaseModel(const BaseConfig &config, Milliseconds now)
{
    state_.model = config.model;
    state_.firmwareMajor = config.firmwareMajor;
    state_.firmwareMinor = config.firmwareMinor;
    state_.firmwarePatch = config.firmwarePatch;
    state_.driveFirmwareVersion = config.driveFirmwareVersion;
    state_.flash.profileCount = config.profileCount;
    state_.flash.defaultProfile = config.defaultProfile;
    state_.ram = state_.flash;

    if (config.inBootloader) {
        state_.poweredOnAt = now;
        enterBootloader();
    } else if (config.startOperational) {
        becomeOperational(now);
    } else {
        powerOn(now);
    }
    state_.activeProfile = config.activeProfile;
}

void BaseModel::powerOn(Milliseconds now)
{
    state_.inBootloader = false;
    state_.poweredOnAt = now;
    state_.ram = state_.flash;
    state_.activeProfile = state_.ram.defaultProfile;
    keepProfilesInRange();
    state_.inputs.centreOffset = state_.flash.permanentCentreOffset;
    state_.inputs.rawAnalogMode = false;
    state_.statusFlags = 0;
    state_.effectsAllocated = 0;
    state_.effectsPlaying = 0;
    state_.eventLogVerbosity = 0;
    state_.centreChangePending = false;
    state_.driveVersionKnown = false;
    saving_ = false;
    bootloaderJumpAt_.reset();

    state_.operatingMode = wire::ModeBooting;
    sequence_ = Sequence::Boot;
    stepEndsAt_ = now + kBootingMs;
}

void BaseModel::becomeOperational(Milliseconds now)
{
    powerOn(now);
    sequence_ = Sequence::None;
    state_.operatingMode = wire::ModeOperational;
    state_.driveVersionKnown = true;
    state_.setFlag(wire::IndexpointFound, true);
    state_.setFlag(wire::InitSuccess, true);
    state_.setFlag(wire::ForcesEnabled, true);
}

void BaseModel::enterBootloader()
{
    state_.inBootloader = true;
    sequence_ = Sequence::None;
    saving_ = false;
    bootloaderJumpAt_.reset();
}

void BaseModel::advance(Milliseconds now)
{
    if (state_.inBootloader)
        return;
    for (;;) {
        if (saving_) {
            if (now < saveEndsAt_)
                return;
            finishSave(saveEndsAt_);
        } else if (sequence_ != Sequence::None && now >= stepEndsAt_) {
            stepSequence(stepEndsAt_);
        } else {
            return;
        }
    }
}

// While the flash is written the status shows mode 12; the mode a step enters shows after.
void BaseModel::enterMode(std::uint32_t mode)
{
    if (saving_)
        modeAfterSave_ = mode;
    else
        state_.operatingMode = mode;
}

void BaseModel::scheduleStep(Milliseconds from, Milliseconds duration)
{
    if (saving_)
        frozenStepRemaining_ = duration;
    else
        stepEndsAt_ = from + duration;
}

void BaseModel::stepSequence(Milliseconds at)
{
    switch (state_.operatingMode) {
    case wire::ModeBooting:
        enterMode(wire::ModeInitializingDrive);
        scheduleStep(at, kDriveInitMs);
        return;
    case wire::ModeInitializingDrive:
    case wire::ModeWaitingForFaults:
        leaveDriveInit(at);
        return;
    case wire::ModeDriveInitialized:
        if (sequence_ == Sequence::Boot) {
            enterMode(wire::ModeFindIndexPoint);
            scheduleStep(at, kIndexSearchMs);
            return;
        }
        break;
    case wire::ModeFindIndexPoint:
        state_.setFlag(wire::IndexpointFound, true);
        enterMode(wire::ModeInitializingParameters);
        scheduleStep(at, kParameterInitMs);
        return;
    case wire::ModeInitializingParameters:
        break;
    default:
        // Someone put the base into another mode meanwhile; it stays there.
        sequence_ = Sequence::None;
        return;
    }
    enterMode(wire::ModeOperational);
    state_.setFlag(wire::ForcesEnabled, true);
    sequence_ = Sequence::None;
}

// The drive comes up only with the E-stop released and no drive faults.
void BaseModel::leaveDriveInit(Milliseconds at)
{
    if (state_.estopPressed || state_.driveFaults != 0) {
        enterMode(wire::ModeWaitingForFaults);
        scheduleStep(at, kFaultRecheckMs);
        return;
    }
    state_.driveVersionKnown = true;
    state_.setFlag(wire::InitSuccess, true);
    enterMode(wire::ModeDriveInitialized);
    scheduleStep(at, sequence_ == Sequence::Boot ? kDriveInitializedMs : kDriveRestartInitializedMs);
}

void BaseModel::startSave(Milliseconds now)
{
    if (saving_)
        return;
    frozenStepRemaining_ = sequence_ != Sequence::None ? std::max<Milliseconds>(0, stepEndsAt_ - now) : 0;
    modeAfterSave_ = state_.operatingMode;
    saving_ = true;
    saveEndsAt_ = now + kFlashSaveMs;
    state_.operatingMode = wire::ModeSavingToFlash;
    state_.setFlag(wire::torqOffSaving, true);
}

void BaseModel::finishSave(Milliseconds at)
{
    saving_ = false;
    state_.flash = state_.ram;
    state_.setFlag(wire::Unsaved, false);
    state_.setFlag(wire::torqOffSaving, false);
    state_.operatingMode = modeAfterSave_;
    if (sequence_ != Sequence::None)
        stepEndsAt_ = at + frozenStepRemaining_;
}

void BaseModel::startDriveRestart(Milliseconds now)
{
    sequence_ = Sequence::DriveRestart;
    state_.setFlag(wire::InitSuccess, false);
    state_.setFlag(wire::ForcesEnabled, false);
    enterMode(wire::ModeInitializingDrive);
    scheduleStep(now, kDriveRestartInitMs);
}

// Torque stays off while the centre moves, so the wheel does not jump.
void BaseModel::beginCentreChange()
{
    if (!state_.centreChangePending) {
        state_.forcesEnabledBeforeCentreChange = state_.hasFlag(wire::ForcesEnabled);
        state_.centreChangePending = true;
    }
    state_.setFlag(wire::ForcesEnabled, false);
}

void BaseModel::keepProfilesInRange()
{
    SettingsStore &ram = state_.ram;
    if (ram.defaultProfile >= ram.profileCount)
        ram.defaultProfile = 0;
    if (state_.activeProfile >= ram.profileCount)
        state_.activeProfile = ram.defaultProfile;
}

wire::DeviceStatus BaseModel::status() const
{
    wire::DeviceStatus s;
    s.reportId = wire::kReplyReportId;
    s.packetType = static_cast<std::uint8_t>(PacketType::Status);
    s.firmwareMajor = state_.firmwareMajor;
    s.firmwareMinor = state_.firmwareMinor;
    s.firmwarePatch = state_.firmwarePatch;
    s.safetyFlags = static_cast<std::uint8_t>((state_.estopPressed ? wire::SafetyEstopPressed : 0)
                                              | (state_.driveFaults != 0 ? wire::SafetyDriveFaults : 0));
    s.operatingMode = state_.operatingMode;
    s.driveFirmwareVersion = state_.driveVersionKnown ? state_.driveFirmwareVersion : 0;
    s.activeProfile = state_.activeProfile;
    s.defaultProfile = state_.ram.defaultProfile;
    s.profileCount = state_.ram.profileCount;
    s.driveUpdateProgress = state_.driveUpdateProgress;
    s.modeValue = state_.modeValue;
    s.debugValue = state_.debugValue;
    s.effectsAllocated = state_.effectsAllocated;
    s.effectsPlaying = state_.effectsPlaying;
    s.driveFaults = state_.driveFaults;
    s.faultLocation = state_.faultLocation;
    s.eventLogVerbosity = state_.eventLogVerbosity;

    std::uint16_t flags = state_.statusFlags;
    if (state_.wirelessReceiverPresent)
        flags |= wire::wirelessFound;
    else
        flags &= static_cast<std::uint16_t>(~(wire::wirelessFound | wire::wirelessConn | wire::receiverScanning));
    s.statusFlags = flags;
    return s;
}

bool BaseModel::streamsGameReports() const
{
    return !state_.inBootloader && state_.operatingMode == wire::ModeOperational;
}

GameReport BaseModel::gameReport(Milliseconds now) const
{
    return wire::encodeWheelReport(inputSample(state_, now));
}

bool BaseModel::handleCommand(const wire::CommandFrame &frame, Milliseconds now, wire::ReplyBuffer &reply)
{
    if (state_.inBootloader || frame[0] != wire::kCommandReportId)
        return false;
    const Handler handler = handlerFor(wire::commandCode(frame));
    if (!handler)
        return false;
    reply.fill(0);
    return (this->*handler)(frame, now, reply);
}

} // namespace basesim
