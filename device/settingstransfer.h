#pragma once
// Reading and writing the base's profiles, hardware settings and analog records: nine
// values per indexed frame, addressed by field id, and the texts in 32-byte block frames.
// Every operation follows the common request contract: false without traffic while
// disconnected, and any failed write, failed read or unexpected packet type closes the
// link and ends the operation at once (fields read before the failure stay updated).

#include "datastoredefs.h"
#include "settingsrecords.h"

#include <array>
#include <cstdint>

using wire::AnalogSettings;
using wire::HardwareSettings;
using AnalogSettingsTable = std::array<AnalogSettings, wire::kAnalogRecordCount>;

// The process-wide records; zero until the first read.
HardwareSettings &hardwareSettings();
AnalogSettingsTable &analogSettings();

// The base acknowledges no write; consecutive write frames are paced by this much.
constexpr int kSettingsWritePauseMs = 2;

// The profile index travels as one byte in value frames and as 16 bits in text frames.
bool getProfileData(std::uint16_t index, profDataNew &profile);
bool setProfileData(std::uint16_t index, const profDataNew &profile);

// All of hardwareSettings(), ids 1..63.
bool getHardwareDataNew();
// One id, stored under the id the reply's slot 0 names.
bool getHwData(std::uint16_t id);
bool setHardwareData();
// One write frame: the id and its value in slot 0, the other slots empty.
bool setHardwareValue(std::uint16_t id, std::uint32_t value);

// Record `index` (0..20) of the analog table's layout: seven axes, then the name.
bool getAnalogDataNew(std::uint16_t index, AnalogSettings &record);
// The name goes out after each axis, seven times in all.
bool setAnalogData(std::uint16_t index, const AnalogSettings &record);
