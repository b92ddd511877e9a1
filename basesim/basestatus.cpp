#include "basesim/basestatus.h"

#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"
#include "basesim/ffbeffects.h"

#include <algorithm>

namespace basesim {
namespace {

std::uint32_t modeShown(const BaseState &state)
{
    return state.sequence.saving ? state.sequence.modeAfterSave : state.operatingMode;
}

void logModeEntered(BaseState &state, std::uint32_t mode)
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
    state.eventLog.record(code, static_cast<std::int32_t>(mode));
}

// While the flash is written the status shows mode 12; the mode a step enters shows after.
void enterMode(BaseState &state, std::uint32_t mode)
{
    if (mode != modeShown(state))
        logModeEntered(state, mode);
    if (state.sequence.saving)
        state.sequence.modeAfterSave = mode;
    else
        state.operatingMode = mode;
}

void scheduleStep(BaseState &state, Milliseconds from, Milliseconds duration)
{
    if (state.sequence.saving)
        state.sequence.frozenStepRemaining = duration;
    else
        state.sequence.stepEndsAt = from + duration;
}

// The drive comes up only with the E-stop released and no drive faults.
void leaveDriveInit(BaseState &state, Milliseconds at)
{
    ModeSequence &sequence = state.sequence;
    if (sequence.estopCycling && !state.estopPressed) {
        sequence.estopCycling = false;
        state.driveFaults = 0;
        state.faultLocation = 0;
    }
    if (state.estopPressed || state.driveFaults != 0) {
        if (modeShown(state) != wire::ModeWaitingForFaults)
            state.eventLog.record(event::WaitingForFaultsToClear, deviceStatus(state).safetyFlags);
        enterMode(state, wire::ModeWaitingForFaults);
        scheduleStep(state, at, kFaultRecheckMs);
        return;
    }
    state.driveVersionKnown = true;
    state.eventLog.record(event::ReadDriveVersion, state.driveFirmwareVersion);
    state.eventLog.record(event::ReadCpr, static_cast<std::int32_t>(state.ram.hardware.word[1]));
    state.setFlag(wire::InitSuccess, true);
    enterMode(state, wire::ModeDriveInitialized);
    scheduleStep(state, at, sequence.running == Sequence::Boot ? kDriveInitializedMs : kDriveRestartInitializedMs);
}

void stepSequence(BaseState &state, Milliseconds at)
{
    switch (state.operatingMode) {
    case wire::ModeBooting:
        enterMode(state, wire::ModeInitializingDrive);
        scheduleStep(state, at, kDriveInitMs);
        return;
    case wire::ModeInitializingDrive:
    case wire::ModeWaitingForFaults:
        leaveDriveInit(state, at);
        return;
    case wire::ModeDriveInitialized:
        if (state.sequence.running == Sequence::Boot) {
            enterMode(state, wire::ModeFindIndexPoint);
            scheduleStep(state, at, kIndexSearchMs);
            return;
        }
        break;
    case wire::ModeFindIndexPoint:
        state.setFlag(wire::IndexpointFound, true);
        enterMode(state, wire::ModeInitializingParameters);
        scheduleStep(state, at, kParameterInitMs);
        return;
    case wire::ModeInitializingParameters:
        break;
    default:
        // Someone put the base into another mode meanwhile; it stays there.
        state.sequence.running = Sequence::None;
        return;
    }
    enterMode(state, wire::ModeOperational);
    state.setFlag(wire::ForcesEnabled, true);
    state.sequence.running = Sequence::None;
}

// The E-stop cuts the drive's power: forces drop at once and the drive starts over once
// it is released again. Cycling the E-stop is also how the drive's faults are cleared.
void tripEstop(BaseState &state, Milliseconds now)
{
    startDriveRestart(state, now);
    state.sequence.estopCycling = true;
    enterMode(state, wire::ModeWaitingForFaults);
    state.eventLog.record(event::WaitingForFaultsToClear, deviceStatus(state).safetyFlags);
    scheduleStep(state, now, kFaultRecheckMs);
}

void finishSave(BaseState &state, Milliseconds at)
{
    ModeSequence &sequence = state.sequence;
    sequence.saving = false;
    state.flash = state.ram;
    state.setFlag(wire::Unsaved, false);
    state.setFlag(wire::torqOffSaving, false);
    state.operatingMode = sequence.modeAfterSave;
    if (sequence.running != Sequence::None)
        sequence.stepEndsAt = at + sequence.frozenStepRemaining;
}

bool replyStatus(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &reply)
{
    const auto record = wire::encodeStatus(deviceStatus(base.state));
    std::copy(record.begin(), record.end(), reply.begin());
    return true;
}

bool resetFfb(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    state.eventLog.record(event::CmdResetFfb);
    freeAllEffects(state);
    return false;
}

// Clears the torque-off reasons the user can override; STO and drive faults are hardware.
bool enableTorque(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    state.eventLog.record(event::CmdEnableForces);
    state.setFlag(wire::ForcesEnabled, true);
    state.setFlag(wire::wirelessTorqueOffEvent, false);
    state.setFlag(wire::wirelessTorqueOffButton, false);
    state.setFlag(wire::standbyMode, false);
    return false;
}

bool noOperation(CommandContext &, const wire::CommandFrame &, wire::ReplyBuffer &) { return false; }

} // namespace

void advanceModes(BaseState &state, Milliseconds now)
{
    const ModeSequence &sequence = state.sequence;
    for (;;) {
        if (sequence.saving) {
            if (now < sequence.saveEndsAt)
                return;
            finishSave(state, sequence.saveEndsAt);
        } else if (sequence.running != Sequence::None && now >= sequence.stepEndsAt) {
            stepSequence(state, sequence.stepEndsAt);
        } else if (sequence.running == Sequence::None && state.operatingMode == wire::ModeOperational
                   && state.estopPressed) {
            tripEstop(state, now);
        } else {
            return;
        }
    }
}

void finishBootAtOnce(BaseState &state)
{
    state.sequence.running = Sequence::None;
    state.operatingMode = wire::ModeOperational;
    state.driveVersionKnown = true;
    state.setFlag(wire::IndexpointFound, true);
    state.setFlag(wire::InitSuccess, true);
    state.setFlag(wire::ForcesEnabled, true);
    state.eventLog.record(event::ReadDriveVersion, state.driveFirmwareVersion);
    logModeEntered(state, wire::ModeOperational);
}

void startSave(BaseState &state, Milliseconds now)
{
    ModeSequence &sequence = state.sequence;
    if (sequence.saving)
        return;
    sequence.frozenStepRemaining =
        sequence.running != Sequence::None ? std::max<Milliseconds>(0, sequence.stepEndsAt - now) : 0;
    sequence.modeAfterSave = state.operatingMode;
    sequence.saving = true;
    sequence.saveEndsAt = now + kFlashSaveMs;
    state.operatingMode = wire::ModeSavingToFlash;
    state.setFlag(wire::torqOffSaving, true);
    logModeEntered(state, wire::ModeSavingToFlash);
}

void startDriveRestart(BaseState &state, Milliseconds now)
{
    state.sequence.running = Sequence::DriveRestart;
    state.setFlag(wire::InitSuccess, false);
    state.setFlag(wire::ForcesEnabled, false);
    enterMode(state, wire::ModeInitializingDrive);
    scheduleStep(state, now, kDriveRestartInitMs);
}

wire::DeviceStatus deviceStatus(const BaseState &state)
{
    wire::DeviceStatus s;
    s.reportId = wire::kReplyReportId;
    s.packetType = static_cast<std::uint8_t>(PacketType::Status);
    s.firmwareMajor = state.firmwareMajor;
    s.firmwareMinor = state.firmwareMinor;
    s.firmwarePatch = state.firmwarePatch;
    s.safetyFlags = static_cast<std::uint8_t>((state.estopPressed ? wire::SafetyEstopPressed : 0)
                                              | (state.driveFaults != 0 ? wire::SafetyDriveFaults : 0));
    s.operatingMode = state.operatingMode;
    s.driveFirmwareVersion = state.driveVersionKnown ? state.driveFirmwareVersion : 0;
    s.activeProfile = state.activeProfile;
    s.defaultProfile = state.ram.defaultProfile;
    s.profileCount = state.ram.profileCount;
    s.driveUpdateProgress = state.driveUpdateProgress;
    s.modeValue = state.modeValue;
    s.debugValue = state.debugValue;
    s.effectsAllocated = state.effectsAllocated;
    s.effectsPlaying = state.effectsPlaying;
    s.driveFaults = state.driveFaults;
    s.faultLocation = state.faultLocation;
    s.eventLogVerbosity = state.eventLogVerbosity;

    // The receiver's bits read as clear without a receiver.
    std::uint16_t flags = state.statusFlags;
    if (state.wirelessReceiverPresent)
        flags |= wire::wirelessFound;
    else
        flags &= static_cast<std::uint16_t>(~(wire::wirelessFound | wire::wirelessConn | wire::receiverScanning));
    s.statusFlags = flags;
    return s;
}

void addStatusCommands(CommandTable &table)
{
    table.on(DeviceCommand::askVeltraneStatusNew, replyStatus);
    table.on(DeviceCommand::resetFfb, resetFfb);
    table.on(DeviceCommand::enableTorque, enableTorque);
    table.on(DeviceCommand::WriteNOP, noOperation);
}

} // namespace basesim
