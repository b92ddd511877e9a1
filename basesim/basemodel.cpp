#include "basemodel.h"

#include "basedefaults.h"
#include "eventcodes.h"
#include "inputmotion.h"

#include <algorithm>

namespace basesim {

BaseModel::BaseModel(const BaseConfig &config, Milliseconds now) : random_(std::random_device{}())
{
    state_.model = config.model;
    state_.firmwareMajor = config.firmwareMajor;
    state_.firmwareMinor = config.firmwareMinor;
    state_.firmwarePatch = config.firmwarePatch;
    state_.driveFirmwareVersion = config.driveFirmwareVersion;
    state_.flash = factorySettings(config.model, config.profileCount, config.defaultProfile);
    state_.ram = state_.flash;
    state_.drive.parameters = defaultDriveParameters(config.model);
    state_.receiver.wheels = defaultWirelessWheels();

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
    estopCycling_ = false;
    state_.ram = state_.flash;
    state_.activeProfile = state_.ram.defaultProfile;
    keepProfilesInRange();
    state_.inputs.centreOffset = state_.flash.permanentCentreOffset();
    state_.inputs.rawAnalogMode = false;
    state_.statusFlags = 0;
    state_.effectsAllocated = 0;
    state_.effectsPlaying = 0;
    state_.eventLogVerbosity = 0;
    state_.centreChangePending = false;
    state_.driveVersionKnown = false;
    state_.drive.latched = {};
    state_.drive.latchedHighTorque = false;
    state_.drive.challenge.reset();
    state_.receiver.connected.reset();
    saving_ = false;
    bootloaderJumpAt_.reset();

    state_.operatingMode = wire::ModeBooting;
    sequence_ = Sequence::Boot;
    stepEndsAt_ = now + kBootingMs;
    logBoot();
    connectAutomatically();
}

// The ring lives in RAM: a power-on starts it afresh.
void BaseModel::logBoot()
{
    state_.eventLog.clear();
    logEvent(event::Boot, state_.firmwareMajor * 10000 + state_.firmwareMinor * 100 + state_.firmwarePatch);
    logEvent(event::FlashSettingsLoaded, state_.ram.profileCount);
    logEvent(event::InitialConfigDone);
    logEvent(event::SerialNumber, state_.drive.parameters[drive::SerialNumber]);
}

void BaseModel::logModeEntered(std::uint32_t mode)
{
    std::uint16_t code = 0;
    switch (mode) {
    case wire::ModeInitializingDrive: code = event::StateInitializingDrive; break;
    case wire::ModeDriveInitialized: code = event::StateDriveInitSuccess; break;
    case wire::ModeFindIndexPoint: code = event::StateWaitingForIndex; break;
    case wire::ModeWaitingForFaults: code = event::StateWaitingForFaults; break;
    case wire::ModeInitializingParameters: code = event::StateBeforeOperational; break;
    case wire::ModeOperational: code = event::StateOperational; break;
    case wire::ModeSavingToFlash: code = event::StateSavingToFlash; break;
    default: return;
    }
    logEvent(code, static_cast<std::int32_t>(mode));
}

// With "connect automatically" (hardware id 14, bit 10) the receiver takes the first
// paired wheel it knows as soon as the base is up.
void BaseModel::connectAutomatically()
{
    constexpr std::uint32_t kAutoConnectBit = 1u << 10;
    if (!state_.wirelessReceiverPresent || !(state_.ram.hardware.word[14] & kAutoConnectBit))
        return;
    const auto &wheels = state_.receiver.wheels;
    const auto paired = std::find_if(wheels.begin(), wheels.end(), [](const WirelessWheel &w) { return w.paired; });
    if (paired == wheels.end())
        return;
    state_.receiver.connected = static_cast<std::size_t>(paired - wheels.begin());
    state_.setFlag(wire::wirelessConn, true);
    logEvent(event::WirelessStateChange, 1);
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
    logEvent(event::ReadDriveVersion, state_.driveFirmwareVersion);
    logModeEntered(wire::ModeOperational);
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
        } else if (sequence_ == Sequence::None && state_.operatingMode == wire::ModeOperational
                   && state_.estopPressed) {
            tripEstop(now);
        } else {
            return;
        }
    }
}

// While the flash is written the status shows mode 12; the mode a step enters shows after.
void BaseModel::enterMode(std::uint32_t mode)
{
    if (mode != (saving_ ? modeAfterSave_ : state_.operatingMode))
        logModeEntered(mode);
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

// The E-stop cuts the drive's power: forces drop at once and the drive starts over once
// it is released again. Cycling the E-stop is also how the drive's faults are cleared.
void BaseModel::tripEstop(Milliseconds now)
{
    startDriveRestart(now);
    estopCycling_ = true;
    enterMode(wire::ModeWaitingForFaults);
    logEvent(event::WaitingForFaultsToClear, status().safetyFlags);
    scheduleStep(now, kFaultRecheckMs);
}

// The drive comes up only with the E-stop released and no drive faults.
void BaseModel::leaveDriveInit(Milliseconds at)
{
    if (estopCycling_ && !state_.estopPressed) {
        estopCycling_ = false;
        state_.driveFaults = 0;
        state_.faultLocation = 0;
    }
    if (state_.estopPressed || state_.driveFaults != 0) {
        if ((saving_ ? modeAfterSave_ : state_.operatingMode) != wire::ModeWaitingForFaults)
            logEvent(event::WaitingForFaultsToClear, status().safetyFlags);
        enterMode(wire::ModeWaitingForFaults);
        scheduleStep(at, kFaultRecheckMs);
        return;
    }
    state_.driveVersionKnown = true;
    logEvent(event::ReadDriveVersion, state_.driveFirmwareVersion);
    logEvent(event::ReadCpr, static_cast<std::int32_t>(state_.ram.hardware.word[1]));
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
    logModeEntered(wire::ModeSavingToFlash);
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
    // Dropped slots forget their profiles, so raising the count again brings defaults.
    for (std::size_t i = ram.profileCount; i < ram.profiles.size(); ++i)
        ram.profiles[i] = newProfile();
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
