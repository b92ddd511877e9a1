// The settings transfers as the base answers them: indexed reads name back the ids asked
// for (0 in empty entries, value 0 for ids it does not know), indexed writes store values
// by id into RAM, and block frames carry the 32-byte texts. Writes run at once, so the
// base then differs from its flash.

#include "basesim/basesettings.h"

#include "basesim/basedefaults.h"
#include "basesim/basestate.h"
#include "basesim/basestatus.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"
#include "device/wire/indexedframes.h"

#include <algorithm>

namespace basesim {
namespace {

constexpr std::uint16_t kHardwareMaxId = wire::kHardwareWordCount - 1;
constexpr std::uint16_t kAnalogMaxId = wire::kAnalogAxisWords - 1;

void markUnsaved(BaseState &state) { state.setFlag(wire::Unsaved, true); }

wire::IndexedSlots answer(const wire::SlotIds &ids, const std::uint32_t *words, std::size_t wordCount)
{
    wire::IndexedSlots entries;
    entries.ids = ids;
    if (words)
        entries.values = wire::indexedValues(ids, words, wordCount);
    return entries;
}

// The first frame of a whole-record transfer, or a frame with a single id.
bool startsTransfer(const wire::SlotIds &ids) { return ids[0] == 1 || ids[1] == 0; }

std::uint32_t *axisWords(wire::AnalogSettings *record, std::uint8_t axis)
{
    return record && axis < wire::kAnalogAxisCount ? record->word.data() + wire::kAnalogAxisWords * axis : nullptr;
}

wire::BlockText blockOf(const wire::CommandFrame &frame) { return wire::decodeBlockText(frame.data(), frame.size()); }

bool saveToFlash(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    startSave(base.state, base.now);
    return false;
}

// The centre in force stays: a temporary centre lasts until the next power-on.
bool reloadFromFlash(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    state.eventLog.record(event::CmdReloadFromFlash);
    state.ram = state.flash;
    keepProfilesInRange(state.ram, state.activeProfile);
    state.setFlag(wire::Unsaved, false);
    return false;
}

bool setSettingsNotChanged(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    base.state.eventLog.record(event::CmdSettingsNotChanged);
    base.state.setFlag(wire::Unsaved, false);
    return false;
}

// Which profile runs is not a setting: the base always starts with the default one.
bool activateProfile(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    const std::uint16_t index = u16Argument(frame);
    state.eventLog.record(event::CmdActivateProfile, index);
    if (index < state.ram.profileCount)
        state.activeProfile = index;
    return false;
}

bool setProfileCount(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    const std::uint16_t count = u16Argument(frame);
    state.eventLog.record(event::CmdSetProfileCount, count);
    if (count == 0 || count > kMaxProfileCount)
        return false;
    state.ram.profileCount = count;
    keepProfilesInRange(state.ram, state.activeProfile);
    markUnsaved(state);
    return false;
}

bool setDefaultProfile(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    const std::uint16_t index = u16Argument(frame);
    state.eventLog.record(event::CmdSetDefaultProfile, index);
    if (index >= state.ram.profileCount)
        return false;
    state.ram.defaultProfile = index;
    markUnsaved(state);
    return false;
}

bool readProfileValues(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.entries.ids[0] == 1)
        base.state.eventLog.record(event::CmdRequestProfile, request.selector);
    const ProfileRecord *profile = base.state.ram.profile(request.selector);
    reply = wire::encodeIndexedReply(answer(request.entries.ids, profile ? profile->param.data() : nullptr, kProfileWords));
    return true;
}

bool readHardwareValues(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (startsTransfer(request.entries.ids))
        base.state.eventLog.record(event::CmdRequestHardware, request.entries.ids[0]);
    const wire::HardwareSettings &hardware = base.state.ram.hardware;
    reply = wire::encodeIndexedReply(answer(request.entries.ids, hardware.word.data(), hardware.word.size()));
    return true;
}

bool readAnalogValues(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.subSelector == 0 && request.entries.ids[0] == 1)
        base.state.eventLog.record(event::CmdRequestAnalog, request.selector);
    const std::uint32_t *words = axisWords(base.state.ram.analogRecord(request.selector), request.subSelector);
    reply = wire::encodeIndexedReply(answer(request.entries.ids, words, wire::kAnalogAxisWords));
    return true;
}

bool readProfileName(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const std::uint16_t index = wire::blockSelector(frame);
    base.state.eventLog.record(event::CmdRequestProfileName, index);
    const ProfileRecord *profile = base.state.ram.profile(index);
    reply = wire::encodeBlockReply(profile ? wire::toBlockText(profile->name) : wire::BlockText{});
    return true;
}

bool readProfileReservedText(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const std::uint16_t index = wire::blockSelector(frame);
    base.state.eventLog.record(event::CmdRequestProfileText, index);
    const ProfileRecord *profile = base.state.ram.profile(index);
    reply = wire::encodeBlockReply(profile ? wire::toBlockText(profile->reservedText) : wire::BlockText{});
    return true;
}

bool readAnalogName(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const std::uint16_t index = wire::blockSelector(frame);
    base.state.eventLog.record(event::CmdRequestAnalogName, index);
    const wire::AnalogSettings *record = base.state.ram.analogRecord(index);
    reply = wire::encodeBlockReply(record ? wire::toBlockText(record->name) : wire::BlockText{});
    return true;
}

bool writeProfileValues(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.entries.ids[0] == 1)
        base.state.eventLog.record(event::CmdSetProfile, request.selector);
    ProfileRecord *profile = base.state.ram.profile(request.selector);
    if (profile && wire::storeIndexedValues(request.entries, profile->param.data(), kProfileWords, kProfileMaxId) > 0)
        markUnsaved(base.state);
    return false;
}

bool writeHardwareValues(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (startsTransfer(request.entries.ids))
        base.state.eventLog.record(event::CmdSetHardware, request.entries.ids[0]);
    wire::HardwareSettings &hardware = base.state.ram.hardware;
    if (wire::storeIndexedValues(request.entries, hardware.word.data(), hardware.word.size(), kHardwareMaxId) > 0)
        markUnsaved(base.state);
    return false;
}

bool writeAnalogValues(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.subSelector == 0 && request.entries.ids[0] == 1)
        base.state.eventLog.record(event::CmdSetAnalog, request.selector);
    std::uint32_t *words = axisWords(base.state.ram.analogRecord(request.selector), request.subSelector);
    if (words && wire::storeIndexedValues(request.entries, words, wire::kAnalogAxisWords, kAnalogMaxId) > 0)
        markUnsaved(base.state);
    return false;
}

bool writeProfileName(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    const std::uint16_t index = wire::blockSelector(frame);
    base.state.eventLog.record(event::CmdSetProfileName, index);
    if (ProfileRecord *profile = base.state.ram.profile(index)) {
        profile->name = wire::fromBlockText(blockOf(frame));
        markUnsaved(base.state);
    }
    return false;
}

bool writeProfileReservedText(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    const std::uint16_t index = wire::blockSelector(frame);
    base.state.eventLog.record(event::CmdSetProfileText, index);
    if (ProfileRecord *profile = base.state.ram.profile(index)) {
        profile->reservedText = wire::fromBlockText(blockOf(frame));
        markUnsaved(base.state);
    }
    return false;
}

bool writeAnalogName(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    if (wire::AnalogSettings *record = base.state.ram.analogRecord(wire::blockSelector(frame))) {
        record->name = wire::fromBlockText(blockOf(frame));
        markUnsaved(base.state);
    }
    return false;
}

} // namespace

bool SettingsStore::operator==(const SettingsStore &other) const
{
    const auto sameAnalog = [](const wire::AnalogSettings &a, const wire::AnalogSettings &b) {
        return std::equal(a.word.begin(), a.word.end(), b.word.begin())
            && std::equal(a.name.begin(), a.name.end(), b.name.begin());
    };
    return profileCount == other.profileCount && defaultProfile == other.defaultProfile && profiles == other.profiles
        && hardware.word == other.hardware.word
        && std::equal(analog.begin(), analog.end(), other.analog.begin(), sameAnalog);
}

void keepProfilesInRange(SettingsStore &ram, std::uint16_t &activeProfile)
{
    // Dropped slots forget their profiles, so raising the count again brings defaults.
    for (std::size_t i = ram.profileCount; i < ram.profiles.size(); ++i)
        ram.profiles[i] = newProfile();
    if (ram.defaultProfile >= ram.profileCount)
        ram.defaultProfile = 0;
    if (activeProfile >= ram.profileCount)
        activeProfile = ram.defaultProfile;
}

void addSettingsCommands(CommandTable &table)
{
    table.on(DeviceCommand::saveToFlash, saveToFlash);
    table.on(DeviceCommand::reloadFromFlash, reloadFromFlash);
    table.on(DeviceCommand::setSettingsNotChanged, setSettingsNotChanged);
    table.on(DeviceCommand::activateProfile, activateProfile);
    table.on(DeviceCommand::setProfileCount, setProfileCount);
    table.on(DeviceCommand::setDefaultProfile, setDefaultProfile);
    table.on(DeviceCommand::getProfileDataValues, readProfileValues);
    table.on(DeviceCommand::getHardwareDataNew, readHardwareValues);
    table.on(DeviceCommand::getAnalogDataNew, readAnalogValues);
    table.on(DeviceCommand::getProfileDataName, readProfileName);
    table.on(DeviceCommand::getProfileDataReservedText, readProfileReservedText);
    table.on(DeviceCommand::getAnalogDataNewName, readAnalogName);
    table.on(DeviceCommand::setProfileDataValues, writeProfileValues);
    table.on(DeviceCommand::setHardwareData, writeHardwareValues);
    table.on(DeviceCommand::setAnalogDataValues, writeAnalogValues);
    table.on(DeviceCommand::setProfileDataName, writeProfileName);
    table.on(DeviceCommand::setProfileDataReservedText, writeProfileReservedText);
    table.on(DeviceCommand::setAnalogDataName, writeAnalogName);
}

} // namespace basesim
