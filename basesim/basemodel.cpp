#include "basesim/basemodel.h"

#include "basesim/basebootloader.h"
#include "basesim/basedefaults.h"
#include "basesim/inputmotion.h"

namespace basesim {

BaseModel::BaseModel(const BaseConfig &config, Milliseconds now) : random_(std::random_device{}())
{
    state_.model = config.model;
    state_.firmwareMajor = config.firmwareMajor;
    state_.firmwareMinor = config.firmwareMinor;
    state_.firmwarePatch = config.firmwarePatch;
    state_.driveFirmwareVersion = config.driveFirmwareVersion;
    state_.flash = factorySettings(config.model, config.profileCount, config.defaultProfile);
    state_.drive.parameters = defaultDriveParameters(config.model);
    state_.receiver.wheels = defaultWirelessWheels();
    state_.receiver.inRange = defaultWheelsInRange();
    state_.wirelessReceiverPresent = config.wirelessReceiver;
    state_.wirelessWheelsDrift = config.wirelessWheelsDrift;
    wheelsPoweredOn(state_, now);
    collectTelemetrySet(state_.telemetry);

    if (config.inBootloader) {
        // The application never ran: RAM holds only the copy of the flash.
        state_.ram = state_.flash;
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
    state_.live() = VolatileState::poweredOn(state_.kept(), state_.inputs, now);
    // Without a whole program only the bootloader can run.
    if (!state_.program.intact) {
        enterBootloader();
        return;
    }
    logBoot(state_);
    connectAutomatically(state_);
}

void BaseModel::becomeOperational(Milliseconds now)
{
    powerOn(now);
    finishBootAtOnce(state_);
}

void BaseModel::enterBootloader() { basesim::enterBootloader(state_); }

void BaseModel::advance(Milliseconds now)
{
    if (!state_.inBootloader)
        advanceModes(state_, now);
    // The drift follows the clock: once a millisecond, however often the base is read in it.
    if (state_.wirelessWheelsDrift && now != driftedAt_) {
        driftWirelessWheels(state_, now);
        driftedAt_ = now;
    }
    discoverWheels(state_, now);
}

const CommandTable &BaseModel::applicationCommands()
{
    static const CommandTable table = [] {
        CommandTable t;
        addStatusCommands(t);
        addSettingsCommands(t);
        addEventLogCommands(t);
        addWirelessCommands(t);
        addDriveCommands(t);
        addInputCommands(t);
        addTelemetryCommands(t);
        addBootloaderEntryCommand(t);
        return t;
    }();
    return table;
}

const CommandTable &BaseModel::bootloaderCommands()
{
    static const CommandTable table = [] {
        CommandTable t;
        addBootloaderCommands(t);
        return t;
    }();
    return table;
}

// A code the running firmware has no handler for is accepted and ignored, as the base
// does with anything it does not know.
bool BaseModel::handleCommand(const wire::CommandFrame &frame, Milliseconds now, wire::ReplyBuffer &reply)
{
    // Each firmware listens to its own report id only.
    if (frame[0] != (state_.inBootloader ? wire::kBootloaderOutReportId : wire::kCommandReportId))
        return false;
    const CommandTable &table = state_.inBootloader ? bootloaderCommands() : applicationCommands();
    const CommandHandler handler = table.find(wire::commandCode(frame));
    if (!handler)
        return false;
    reply.fill(0);
    CommandContext context{state_, now, random_};
    return handler(context, frame, reply);
}

wire::DeviceStatus BaseModel::status() const { return deviceStatus(state_); }

bool BaseModel::streamsGameReports() const
{
    return !state_.inBootloader && state_.operatingMode == wire::ModeOperational;
}

GameReport BaseModel::gameReport(Milliseconds now) const
{
    return wire::encodeWheelReport(inputSample(state_, now));
}

} // namespace basesim
