#pragma once
// The behaviour of a Veltrane 2 base: its boot sequence over time, the effect of each
// command on its state, and the status record and game reports it builds from that state.
// Passive: time moves only when the caller hands in `now`.

#include "baseconfig.h"
#include "basestate.h"
#include "devicestatus.h"
#include "frames.h"
#include "wheelsample.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>

namespace basesim {

using GameReport = std::array<std::uint8_t, 1 + wire::kWheelSampleSize>;

class BaseModel {
public:
    BaseModel(const BaseConfig &config, Milliseconds now);

    BaseState &state() { return state_; }
    const BaseState &state() const { return state_; }

    // Runs every timed transition due up to `now`, each at its own due time.
    void advance(Milliseconds now);

    // The application firmware starts from scratch: RAM settings from flash, the default
    // profile active, the temporary centre gone, boot sequence from mode 0.
    void powerOn(Milliseconds now);
    // The state the boot sequence ends in, reached at once.
    void becomeOperational(Milliseconds now);
    // The application stops and the bootloader runs; it answers no normal command.
    void enterBootloader();

    // A frame from the host. True when the base answers; `reply` then holds the 61 bytes.
    bool handleCommand(const wire::CommandFrame &frame, Milliseconds now, wire::ReplyBuffer &reply);

    wire::DeviceStatus status() const;
    bool streamsGameReports() const;
    GameReport gameReport(Milliseconds now) const;

    // Set by the bootloader command: when the base leaves the bus to restart in its bootloader.
    std::optional<Milliseconds> bootloaderJumpAt() const { return bootloaderJumpAt_; }
    bool saving() const { return saving_; }

private:
    using Handler = bool (BaseModel::*)(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    static Handler handlerFor(std::uint8_t code);

    enum class Sequence { None, Boot, DriveRestart };

    void enterMode(std::uint32_t mode);
    void scheduleStep(Milliseconds from, Milliseconds duration);
    void stepSequence(Milliseconds at);
    void leaveDriveInit(Milliseconds at);
    void tripEstop(Milliseconds now);
    void startSave(Milliseconds now);
    void finishSave(Milliseconds at);
    void startDriveRestart(Milliseconds now);
    void beginCentreChange();
    void keepProfilesInRange();
    void markUnsaved() { state_.setFlag(wire::Unsaved, true); }
    void logEvent(std::uint16_t code, std::int32_t value = 0) { state_.eventLog.record(code, value); }
    void logBoot();
    void logModeEntered(std::uint32_t mode);
    void connectAutomatically();
    std::int32_t driveParameter(std::uint16_t address) const;
    void writeDriveParameter(std::uint16_t address, std::int32_t value, bool interlockMarked, Milliseconds now);
    void answerHighTorque(std::int32_t response);

    // Command handlers (basecommands.cpp); each returns true when it filled a reply.
    bool replyStatus(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool unsetTemporarySteeringAngle(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool saveToFlash(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool reloadFromFlash(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setRawAnalogMode(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setCalibratedAnalogMode(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool finishCenterChange(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setSettingsNotChanged(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool driveSystemCommand(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setWheelCenterTemporary(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setWheelCenterPermanent(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool activateProfile(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setProfileCount(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setDefaultProfile(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool resetFfb(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool enableTorque(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool setEventLogVerbosity(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool startBootloader(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool startWirelessScan(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool stopWirelessScan(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool noOperation(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);

    // Settings transfers (basesettingscommands.cpp).
    bool readProfileValues(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool readHardwareValues(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool readAnalogValues(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool readProfileName(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool readProfileReservedText(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool readAnalogName(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool writeProfileValues(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool writeHardwareValues(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool writeAnalogValues(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool writeProfileName(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool writeProfileReservedText(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool writeAnalogName(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);

    // Event log, wireless receiver and drive parameters (baseauxcommands.cpp).
    bool replyEventLogChunk(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool replyWirelessCount(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool replyWirelessDevice(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool replyCurrentWirelessDevice(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool connectWirelessDevice(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool disconnectWirelessDevice(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool forgetWirelessDevice(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool requestDriveParameters(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool replyDriveParameters(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);
    bool writeDriveParameters(const wire::CommandFrame &, Milliseconds, wire::ReplyBuffer &);

    BaseState state_;

    Sequence sequence_ = Sequence::None;
    bool estopCycling_ = false; // pressed while running: release clears the drive faults
    Milliseconds stepEndsAt_ = 0;

    // A flash save freezes any running sequence; it resumes with the time it had left.
    bool saving_ = false;
    Milliseconds saveEndsAt_ = 0;
    std::uint32_t modeAfterSave_ = 0;
    Milliseconds frozenStepRemaining_ = 0;

    std::optional<Milliseconds> bootloaderJumpAt_;

    // Source of high-torque challenges; each base draws its own.
    std::mt19937 random_;
};

} // namespace basesim
