#pragma once
// Everything a Veltrane 2 base holds, as plain data, in three parts: what it keeps when
// switched off, what the world around it decides, and what it holds in RAM. A power cycle
// rebuilds the RAM part from the kept one and leaves the other two alone. The model changes
// the state over time and on commands; tests may set any field directly to put the base
// into a given state.

#include "basesim/basebootloader.h"
#include "basesim/baseconfig.h"
#include "basesim/basedrive.h"
#include "basesim/basesettings.h"
#include "basesim/basestatus.h"
#include "basesim/basetiming.h"
#include "basesim/basetelemetry.h"
#include "basesim/basewireless.h"
#include "device/wire/devicestatus.h"
#include "basesim/eventlog.h"
#include "basesim/inputmotion.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace basesim {

// Survives a power cycle.
struct PersistentState {
    DeviceModel model = ModelCendra;
    std::uint8_t firmwareMajor = 1;
    std::uint8_t firmwareMinor = 0;
    std::uint8_t firmwarePatch = 15;
    // The servo drive's own firmware; the status shows it once the base has read it.
    std::uint16_t driveFirmwareVersion = kDefaultDriveFirmwareVersion;

    SettingsStore flash;
    // The drive keeps its parameters in its own flash.
    DriveStore drive;
    // The wheels the receiver knows, with their pairing.
    WirelessReceiver receiver;
    // The application's program, as the bootloader last left it (basebootloader.h).
    ProgramFlash program;
    // The telemetry the firmware collected and has not been told to erase.
    TelemetryStore telemetry;
};

// Set from outside the base, which only reads them (the E-stop cycle clears the drive's
// faults): the switch, the drive's fault registers, a receiver in its socket, and values
// only a test or the panel sets. Switching the base off and on changes none of them.
struct Surroundings {
    bool estopPressed = false;            // safety flag bit 7
    std::uint32_t driveFaults = 0;        // non-zero also raises safety flag bit 5
    std::uint32_t faultLocation = 0;
    std::uint8_t driveUpdateProgress = 0;
    std::uint32_t modeValue = 0;
    std::uint32_t debugValue = 0;
    // wirelessFound follows it, and the receiver bits read as clear without a receiver.
    bool wirelessReceiverPresent = false;
    // The wheels' signal, link quality and battery wander with time (basewireless.h).
    bool wirelessWheelsDrift = false;
    // Receiver faults: it reports this many wheels whatever it knows; its scanning flag
    // stays set once set.
    std::optional<std::uint16_t> wirelessCountOverride;
    bool wirelessScanStuck = false;
};

// Lost with the power.
struct VolatileState {
    // Status and modes (basestatus.h).
    std::uint32_t operatingMode = wire::ModeBooting;
    // wire::StatusFlag bits, high torque and the receiver's included.
    std::uint16_t statusFlags = 0;
    bool driveVersionKnown = false;
    std::uint32_t effectsAllocated = 0;
    std::uint32_t effectsPlaying = 0;
    ModeSequence sequence;
    Milliseconds poweredOnAt = 0;

    // Bootloader (basebootloader.h). Set by the bootloader command: when the base leaves the
    // bus to restart in its bootloader.
    bool inBootloader = false;
    std::optional<Milliseconds> bootloaderJumpAt;
    BootloaderSession bootloader;

    // Settings (basesettings.h): the copy the base runs from.
    std::uint16_t activeProfile = 0;
    SettingsStore ram;

    // Event log (eventlog.h).
    std::uint8_t eventLogVerbosity = 0;
    EventLog eventLog;

    // Wireless receiver (basewireless.h): index into the receiver's wheels.
    std::optional<std::size_t> connectedWheel;

    // Drive (basedrive.h).
    DriveReadLatch driveRead;

    // Telemetry (basetelemetry.h).
    TelemetryLease telemetryLease;

    // Inputs (inputmotion.h). Between a wheel-centre command and finishCenterChange the base
    // holds torque off.
    Inputs inputs;
    bool centreChangePending = false;
    bool forcesEnabledBeforeCentreChange = false;

    // RAM as the application finds it at power-on: settings loaded from flash with the
    // default profile active, the permanent centre in force, the boot sequence at mode 0.
    // The inputs a test holds stay held.
    static VolatileState poweredOn(const PersistentState &kept, const HeldInputs &held, Milliseconds now);

    bool hasFlag(wire::StatusFlag flag) const { return statusFlags & flag; }
    void setFlag(wire::StatusFlag flag, bool on)
    {
        statusFlags = static_cast<std::uint16_t>(on ? (statusFlags | flag) : (statusFlags & ~flag));
    }
};

struct BaseState : PersistentState, Surroundings, VolatileState {
    PersistentState &kept() { return *this; }
    const PersistentState &kept() const { return *this; }
    VolatileState &live() { return *this; }
    const VolatileState &live() const { return *this; }

    void holdWheel(std::uint16_t rawPosition) { inputs.heldWheelPosition = rawPosition; }
    void releaseWheel() { inputs.heldWheelPosition.reset(); }
};

} // namespace basesim
