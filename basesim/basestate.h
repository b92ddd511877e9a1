#pragma once
// Everything a Veltrane 2 base holds, as plain data. The model changes it over time and
// on commands; tests may set any field directly to put the base into a given state.

#include "baseconfig.h"
#include "basetiming.h"
#include "devicestatus.h"
#include "wheelsample.h"

#include <array>
#include <cstdint>
#include <optional>

namespace basesim {

constexpr std::uint16_t kMaxProfileCount = 500;
constexpr std::uint8_t kEventLogVerbosityLevels = 3;

// About 30 degrees of the default 900-degree steering range, in raw position units.
constexpr int kWheelSweepAmplitude = 2185;
constexpr Milliseconds kWheelSweepPeriodMs = 8000;

// Settings the base runs from RAM and keeps a copy of in flash. The profile, hardware
// and analog records join this store when the settings transfers are modelled.
struct SettingsStore {
    std::uint16_t profileCount = 5;
    std::uint16_t defaultProfile = 0;
    // Raw units the wheel's mechanical position is shifted by to read as centre.
    std::int32_t permanentCentreOffset = 0;

    bool operator==(const SettingsStore &other) const
    {
        return profileCount == other.profileCount && defaultProfile == other.defaultProfile
            && permanentCentreOffset == other.permanentCentreOffset;
    }
    bool operator!=(const SettingsStore &other) const { return !(*this == other); }
};

// The physical inputs. Unset optionals mean the sim moves them by itself.
struct Inputs {
    // Mechanical wheel position in raw units (0x8000 = mechanical centre); held by a test.
    std::optional<std::uint16_t> heldWheelPosition;
    // Offset in force now: the permanent one from flash, or a temporary one for this session.
    std::int32_t centreOffset = 0;
    // Axis values exactly as the game report should carry them (either analog mode).
    std::optional<std::array<std::uint16_t, wire::kAnalogAxes>> heldAxes;
    std::optional<std::array<std::uint32_t, 4>> heldButtons;
    // Raw analog mode: the report carries unscaled sensor values (analog dialog open).
    bool rawAnalogMode = false;
};

struct BaseState {
    DeviceModel model = ModelCendra;
    std::uint8_t firmwareMajor = 1;
    std::uint8_t firmwareMinor = 0;
    std::uint8_t firmwarePatch = 15;

    // The servo drive's own firmware; the base learns it while initialising the drive,
    // so the status shows 0 ("unknown") until then.
    std::uint16_t driveFirmwareVersion = kDefaultDriveFirmwareVersion;
    bool driveVersionKnown = false;

    std::uint32_t operatingMode = 0;
    bool estopPressed = false;            // safety flag bit 7
    std::uint32_t driveFaults = 0;        // non-zero also raises safety flag bit 5
    std::uint32_t faultLocation = 0;
    std::uint8_t driveUpdateProgress = 0;
    std::uint32_t modeValue = 0;
    std::uint32_t debugValue = 0;

    std::uint32_t effectsAllocated = 0;
    std::uint32_t effectsPlaying = 0;

    // wire::StatusFlag bits, high torque included. wirelessFound follows
    // `wirelessReceiverPresent`, and the receiver bits read as clear without a receiver.
    std::uint16_t statusFlags = 0;
    bool wirelessReceiverPresent = false;

    std::uint16_t activeProfile = 0;
    SettingsStore ram;
    SettingsStore flash;
    std::uint8_t eventLogVerbosity = 0;

    // Between a wheel-centre command and finishCenterChange the base holds torque off.
    bool centreChangePending = false;
    bool forcesEnabledBeforeCentreChange = false;

    Inputs inputs;

    bool inBootloader = false;
    Milliseconds poweredOnAt = 0;

    bool hasFlag(wire::StatusFlag flag) const { return statusFlags & flag; }
    void setFlag(wire::StatusFlag flag, bool on)
    {
        statusFlags = static_cast<std::uint16_t>(on ? (statusFlags | flag) : (statusFlags & ~flag));
    }
    void holdWheel(std::uint16_t rawPosition) { inputs.heldWheelPosition = rawPosition; }
    void releaseWheel() { inputs.heldWheelPosition.reset(); }
};

} // namespace basesim
