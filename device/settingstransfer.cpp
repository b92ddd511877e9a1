#include "settingstransfer.h"

#include "clock.h"
#include "devicelink.h"
#include "settingsids.h"

namespace {

HardwareSettings hardware;
AnalogSettingsTable analogTable;

bool readValues(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector, const wire::SlotIds &ids,
                const char *context, wire::IndexedSlots &entries)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::indexedReadCommand(code, selector, subSelector, ids), reply, PacketType::IndexedValues,
                 context))
        return false;
    entries = wire::decodeIndexedReply(reply.data(), reply.size());
    return true;
}

bool readText(DeviceCommand code, std::uint16_t selector, const char *context, std::array<char, kProfileTextSize> &text)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::blockCommand(code, selector, {}), reply, PacketType::BlockData, context))
        return false;
    text = wire::fromBlockText(wire::decodeBlockText(reply.data(), reply.size()));
    return true;
}

bool writeValues(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector, const wire::SlotIds &ids,
                 const wire::SlotValues &values)
{
    return sendRequest(wire::indexedWriteCommand(code, selector, subSelector, ids, values));
}

bool writeText(DeviceCommand code, std::uint16_t selector, const std::array<char, kProfileTextSize> &text)
{
    return sendRequest(wire::blockCommand(code, selector, wire::toBlockText(text)));
}

void pause() { linkclock::sleepMs(kSettingsWritePauseMs); }

} // namespace

HardwareSettings &hardwareSettings() { return hardware; }
AnalogSettingsTable &analogSettings() { return analogTable; }

bool getProfileData(std::uint16_t index, profDataNew &profile)
{
    const auto selector = static_cast<std::uint8_t>(index);
    for (const wire::SlotIds &ids : wire::profileIdGroups()) {
        wire::IndexedSlots entries;
        if (!readValues(DeviceCommand::getProfileDataValues, selector, 0, ids, "getProfileData1", entries))
            return false;
        wire::storeProfileValues(entries, profile);
    }
    return readText(wire::kReadProfileName, index, "getProfileData2", profile.name)
        && readText(wire::kReadProfileReservedText, index, "getProfileData3", profile.reservedText);
}

bool setProfileData(std::uint16_t index, const profDataNew &profile)
{
    const auto selector = static_cast<std::uint8_t>(index);
    for (const wire::SlotIds &ids : wire::profileIdGroups()) {
        if (!writeValues(DeviceCommand::setProfileDataValues, selector, 0, ids, wire::profileValues(profile, ids)))
            return false;
        pause();
    }
    if (!writeText(wire::kWriteProfileName, index, profile.name))
        return false;
    pause();
    return writeText(wire::kWriteProfileReservedText, index, profile.reservedText);
}

bool getHardwareDataNew()
{
    for (const wire::SlotIds &ids : wire::hardwareIdGroups()) {
        wire::IndexedSlots entries;
        if (!readValues(DeviceCommand::getHardwareDataNew, 0, 0, ids, "getHardwareDataNew", entries))
            return false;
        wire::storeHardwareValues(entries, hardware);
    }
    return true;
}

bool getHwData(std::uint16_t id)
{
    wire::IndexedSlots entries;
    if (!readValues(DeviceCommand::getHardwareDataNew, 0, 0, wire::singleId(id), "getHwData", entries))
        return false;
    // Only slot 0 answers the question; whatever else the reply carries is not ours.
    wire::IndexedSlots first;
    first.ids[0] = entries.ids[0];
    first.values[0] = entries.values[0];
    wire::storeHardwareValues(first, hardware);
    return true;
}

bool setHardwareData()
{
    for (const wire::SlotIds &ids : wire::hardwareIdGroups()) {
        if (!writeValues(DeviceCommand::setHardwareData, 0, 0, ids, wire::hardwareValues(hardware, ids)))
            return false;
        pause();
    }
    return true;
}

bool setHardwareValue(std::uint16_t id, std::uint32_t value)
{
    wire::SlotValues values{};
    values[0] = value;
    return writeValues(DeviceCommand::setHardwareData, 0, 0, wire::singleId(id), values);
}

bool getAnalogDataNew(std::uint16_t index, AnalogSettings &record)
{
    const auto selector = static_cast<std::uint8_t>(index);
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        for (const wire::SlotIds &ids : wire::analogIdGroups()) {
            wire::IndexedSlots entries;
            if (!readValues(DeviceCommand::getAnalogDataNew, selector, static_cast<std::uint8_t>(axis), ids,
                            "getAnalogDataNew", entries))
                return false;
            wire::storeAnalogValues(entries, record, axis);
        }
    }
    return readText(DeviceCommand::getAnalogDataNewName, index, "getAnalogDataNew", record.name);
}

bool setAnalogData(std::uint16_t index, const AnalogSettings &record)
{
    const auto selector = static_cast<std::uint8_t>(index);
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        for (const wire::SlotIds &ids : wire::analogIdGroups()) {
            if (!writeValues(DeviceCommand::setAnalogDataValues, selector, static_cast<std::uint8_t>(axis), ids,
                             wire::analogValues(record, axis, ids)))
                return false;
            pause();
        }
        if (!writeText(DeviceCommand::setAnalogDataName, index, record.name))
            return false;
    }
    return true;
}
