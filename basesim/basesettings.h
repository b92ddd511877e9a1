#pragma once
// The settings stores: profiles, hardware settings and analog records, run from a RAM copy
// and kept in flash. Transfers read and write the RAM copy; a save copies it to flash
// (through mode 12, see basestatus.h) and a reload copies it back.

#include "device/wire/settingsrecords.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace basesim {

class CommandTable;

constexpr std::uint16_t kMaxProfileCount = 500;

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

// After the count changed or RAM was loaded: dropped slots forget their profiles, and the
// default and active profile fall back when they lie past the count.
void keepProfilesInRange(SettingsStore &ram, std::uint16_t &activeProfile);

// Profile choice, count and default, save and reload, and every settings transfer.
void addSettingsCommands(CommandTable &table);

} // namespace basesim
