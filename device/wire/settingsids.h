#pragma once
// Which field ids travel in which frame of a settings transfer, which codes carry the
// texts, and how a reply's values land in each kind of record. Ids a reply names outside
// a record are dropped, so a confused or hostile base cannot write past it.

#include "device/wire/profilerecord.h"
#include "device/wire/indexedframes.h"
#include "device/wire/settingsrecords.h"

#include <array>
#include <cstdint>

namespace wire {

constexpr std::uint16_t kProfileMaxId = 50;
constexpr std::uint16_t kHardwareMaxId = 63;
constexpr std::uint16_t kAnalogMaxId = 10;

constexpr std::size_t kProfileValueFrames = 6;    // 1..9, ..., 37..45, 46..50
constexpr std::size_t kHardwareValueFrames = 7;   // 1..9, ..., 55..63
constexpr std::size_t kAnalogValueFrames = 2;     // per axis: 1..9, then 10 alone

using ProfileIdGroups = std::array<SlotIds, kProfileValueFrames>;
using HardwareIdGroups = std::array<SlotIds, kHardwareValueFrames>;
using AnalogIdGroups = std::array<SlotIds, kAnalogValueFrames>;

const ProfileIdGroups &profileIdGroups();
const HardwareIdGroups &hardwareIdGroups();
const AnalogIdGroups &analogIdGroups();
// One id in slot 0, the other slots empty.
SlotIds singleId(std::uint16_t id);

// The text codes by what they carry: 0x72/0x7E the profile name, 0x73/0x7F its second text.
constexpr DeviceCommand kReadProfileName = DeviceCommand::getProfileDataName;
constexpr DeviceCommand kReadProfileReservedText = DeviceCommand::getProfileDataReservedText;
constexpr DeviceCommand kWriteProfileName = DeviceCommand::setProfileDataName;
constexpr DeviceCommand kWriteProfileReservedText = DeviceCommand::setProfileDataReservedText;

// Reply values into a record under the ids the reply names; return how many were stored.
std::size_t storeProfileValues(const IndexedSlots &entries, profDataNew &profile);
std::size_t storeHardwareValues(const IndexedSlots &entries, HardwareSettings &settings);
// Axis a's id k is word 11a + k; an axis outside 0..6 stores nothing.
std::size_t storeAnalogValues(const IndexedSlots &entries, AnalogSettings &record, int axis);

// The values a write frame carries for `ids`.
SlotValues profileValues(const profDataNew &profile, const SlotIds &ids);
SlotValues hardwareValues(const HardwareSettings &settings, const SlotIds &ids);
SlotValues analogValues(const AnalogSettings &record, int axis, const SlotIds &ids);

} // namespace wire
