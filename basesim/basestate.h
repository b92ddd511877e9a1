#pragma once
// Everything a Veltrane 2 base holds, as plain data. The model changes it over time and
// on commands; tests may set any field directly to put the base into a given state.

#include "baseconfig.h"
#include "basetiming.h"
#include "devicestatus.h"
#include "driveparameterframe.h"
#include "eventlog.h"
#include "settingsrecords.h"
#include "wheelsample.h"
#include "wirelessdevicedata.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace basesim {

constexpr std::uint16_t kMaxProfileCount = 500;
constexpr std::uint8_t kEventLogVerbosityLevels = 3;

// About 30 degrees of the default 900-degree steering range, in raw position units.
constexpr int kWheelSweepAmplitude = 2185;
constexpr Milliseconds kWheelSweepPeriodMs = 8000;

constexpr std::size_t kProfileWords = 51;       // ids 1..50; word 0 unused
constexpr std::size_t kProfileTextSize = 32;
constexpr std::uint16_t kProfileMaxId = 50;
// Hardware setting id 16 holds the permanent wheel-centre offset.
constexpr std::size_t kCentreOffsetHardwareId = 16;
// Hardware setting id 17 names the analog record (0..20) that calibrates the game report.
constexpr std::size_t kAnalogRecordInUseId = 17;

struct ProfileRecord {
    std::array<std::uint32_t, kProfileWords> param{};
    std::array<char, kProfileTextSize> name{};
    std::array<char, kProfileTextSize> reservedText{};

    bool operator==(const ProfileRecord &other) const
    {
        return param == other.param && name == other.name && reservedText == other.reservedText;
    }
    bool operator!=(const ProfileRecord &other) const { return !(*this == other); }
};

// Settings the base runs from RAM and keeps a copy of in flash.
struct SettingsStore {
    std::uint16_t profileCount = 5;
    std::uint16_t defaultProfile = 0;
    // One slot per possible profile. Slots past the count hold what the host wrote there
    // ahead of raising the count (it sends new profiles first), else defaults; lowering the
    // count resets the slots it drops.
    std::vector<ProfileRecord> profiles;
    wire::HardwareSettings hardware;
    std::array<wire::AnalogSettings, wire::kAnalogRecordCount> analog{};

    ProfileRecord *profile(std::size_t index) { return index < profiles.size() ? &profiles[index] : nullptr; }
    const ProfileRecord *profile(std::size_t index) const
    {
        return index < profiles.size() ? &profiles[index] : nullptr;
    }
    wire::AnalogSettings *analogRecord(std::size_t index) { return index < analog.size() ? &analog[index] : nullptr; }
    const wire::AnalogSettings *analogRecord(std::size_t index) const
    {
        return index < analog.size() ? &analog[index] : nullptr;
    }

    // Raw units the wheel's mechanical position is shifted by to read as centre.
    std::int32_t permanentCentreOffset() const
    {
        return static_cast<std::int32_t>(hardware.word[kCentreOffsetHardwareId]);
    }
    void setPermanentCentreOffset(std::int32_t offset)
    {
        hardware.word[kCentreOffsetHardwareId] = static_cast<std::uint32_t>(offset);
    }

    bool operator==(const SettingsStore &other) const;
    bool operator!=(const SettingsStore &other) const { return !(*this == other); }
};

struct WirelessWheel {
    wire::MacAddress mac{};
    std::string name;
    std::int8_t signalStrength = 0;
    std::uint8_t batteryRaw = 0;        // volts = 2.00 + batteryRaw / 100
    std::uint8_t connectionQuality = 0; // percent
    bool paired = false;
};

// The receiver's list of wheels in device-index order and the one connected now.
struct WirelessReceiver {
    std::vector<WirelessWheel> wheels;
    std::optional<std::size_t> connected;
};

// The servo drive as the base reaches it through parameter frames.
struct DriveState {
    // Stored parameters by address; a few are read live from the base's state instead.
    std::map<std::uint16_t, std::int32_t> parameters;
    // Addresses of the last read request (0x97), up to its first zero address.
    wire::DriveAddresses latched{};
    bool latchedHighTorque = false;
    // Issued by a high-torque read request; one response may be tried against it.
    std::optional<std::uint32_t> challenge;
};

// The physical inputs. Unset optionals mean the sim moves them by itself.
struct Inputs {
    // Mechanical wheel position in raw units (0x8000 = mechanical centre); held by a test.
    std::optional<std::uint16_t> heldWheelPosition;
    // Offset in force now: the permanent one from flash, or a temporary one for this session.
    std::int32_t centreOffset = 0;
    // Axis values exactly as the game report should carry them (either analog mode).
    std::optional<std::array<std::uint16_t, wire::kAnalogAxes>> heldAxes;
    // Converter readings at the connector, per axis; the report carries them as they are in
    // raw analog mode and through the analog record in use otherwise. `heldAxes` wins.
    std::optional<std::array<std::uint16_t, wire::kAnalogAxes>> heldSensors;
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
    WirelessReceiver receiver;

    std::uint16_t activeProfile = 0;
    SettingsStore ram;
    SettingsStore flash;
    std::uint8_t eventLogVerbosity = 0;
    EventLog eventLog;
    DriveState drive;

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
