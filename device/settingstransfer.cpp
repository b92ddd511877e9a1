// Reading and writing the base's profiles, hardware settings and analog records.

#include "device/devicelink.h"

#include "device/hid/clock.h"
#include "device/wire/profilerecord.h"
#include "device/wire/settingsids.h"

#include <algorithm>

namespace {
void pause() { linkclock::sleepMs(kSettingsWritePauseMs); }
} // namespace

bool DeviceLink::readValues(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                            const wire::SlotIds &ids, const char *context, wire::IndexedSlots &entries)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::indexedReadCommand(code, selector, subSelector, ids), reply, PacketType::IndexedValues,
                 context))
        return false;
    entries = wire::decodeIndexedReply(reply.data(), reply.size());
    return true;
}

bool DeviceLink::readText(DeviceCommand code, std::uint16_t selector, const char *context,
                          std::array<char, wire::kBlockDataSize> &text)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::blockCommand(code, selector, {}), reply, PacketType::BlockData, context))
        return false;
    text = wire::fromBlockText(wire::decodeBlockText(reply.data(), reply.size()));
    return true;
}

bool DeviceLink::writeValues(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                             const wire::SlotIds &ids, const wire::SlotValues &values)
{
    return sendRequest(wire::indexedWriteCommand(code, selector, subSelector, ids, values));
}

bool DeviceLink::writeText(DeviceCommand code, std::uint16_t selector,
                           const std::array<char, wire::kBlockDataSize> &text)
{
    return sendRequest(wire::blockCommand(code, selector, wire::toBlockText(text)));
}

bool DeviceLink::getProfileData(std::uint16_t index, profDataNew &profile)
{
    const auto selector = static_cast<std::uint8_t>(index);
    const QString what = QStringLiteral("reading profile %1: ").arg(index);
    int group = 0;
    for (const wire::SlotIds &ids : wire::profileIdGroups()) {
        ++group;
        wire::IndexedSlots entries;
        if (!readValues(DeviceCommand::getProfileDataValues, selector, 0, ids, "getProfileData1", entries)) {
            lastError_.prepend(what + QStringLiteral("value group %1: ").arg(group));
            return false;
        }
        wire::storeProfileValues(entries, profile);
    }
    noteSteeringRangeOnBase(index, profile[ProfileParameterId::steeringrange]);
    if (!readText(wire::kReadProfileName, index, "getProfileData2", profile.name)) {
        lastError_.prepend(what + QLatin1String("name: "));
        return false;
    }
    if (!readText(wire::kReadProfileReservedText, index, "getProfileData3", profile.reservedText)) {
        lastError_.prepend(what + QLatin1String("second text: "));
        return false;
    }
    return true;
}

bool DeviceLink::setProfileData(std::uint16_t index, const profDataNew &profile)
{
    const auto selector = static_cast<std::uint8_t>(index);
    const QString what = QStringLiteral("writing profile %1: ").arg(index);
    for (const wire::SlotIds &ids : wire::profileIdGroups()) {
        if (!writeValues(DeviceCommand::setProfileDataValues, selector, 0, ids, wire::profileValues(profile, ids))) {
            lastError_.prepend(what);
            return false;
        }
        // From this frame on the base runs the new range in this slot.
        if (std::find(ids.begin(), ids.end(), std::uint16_t(ProfileParameterId::steeringrange)) != ids.end())
            noteSteeringRangeOnBase(index, profile[ProfileParameterId::steeringrange]);
        pause();
    }
    if (!writeText(wire::kWriteProfileName, index, profile.name)) {
        lastError_.prepend(what + QLatin1String("name: "));
        return false;
    }
    pause();
    if (!writeText(wire::kWriteProfileReservedText, index, profile.reservedText)) {
        lastError_.prepend(what + QLatin1String("second text: "));
        return false;
    }
    return true;
}

bool DeviceLink::getHardwareDataNew()
{
    for (const wire::SlotIds &ids : wire::hardwareIdGroups()) {
        wire::IndexedSlots entries;
        if (!readValues(DeviceCommand::getHardwareDataNew, 0, 0, ids, "getHardwareDataNew", entries)) {
            lastError_.prepend(QLatin1String("reading the hardware settings: "));
            return false;
        }
        wire::storeHardwareValues(entries, hardwareSettings_);
    }
    return true;
}

bool DeviceLink::getHwData(std::uint16_t id)
{
    wire::IndexedSlots entries;
    if (!readValues(DeviceCommand::getHardwareDataNew, 0, 0, wire::singleId(id), "getHwData", entries)) {
        lastError_.prepend(QStringLiteral("reading hardware setting %1: ").arg(id));
        return false;
    }
    // Only slot 0 answers the question; whatever else the reply carries is not ours.
    wire::IndexedSlots first;
    first.ids[0] = entries.ids[0];
    first.values[0] = entries.values[0];
    wire::storeHardwareValues(first, hardwareSettings_);
    return true;
}

bool DeviceLink::setHardwareData()
{
    for (const wire::SlotIds &ids : wire::hardwareIdGroups()) {
        if (!writeValues(DeviceCommand::setHardwareData, 0, 0, ids, wire::hardwareValues(hardwareSettings_, ids))) {
            lastError_.prepend(QLatin1String("writing the hardware settings: "));
            return false;
        }
        pause();
    }
    return true;
}

bool DeviceLink::setHardwareValue(std::uint16_t id, std::uint32_t value)
{
    if (id < hardwareSettings_.word.size())
        hardwareSettings_.word[id] = value;
    wire::SlotValues values{};
    values[0] = value;
    if (writeValues(DeviceCommand::setHardwareData, 0, 0, wire::singleId(id), values))
        return true;
    lastError_.prepend(QStringLiteral("writing hardware setting %1: ").arg(id));
    return false;
}

bool DeviceLink::getAnalogDataNew(std::uint16_t index, AnalogSettings &record)
{
    const auto selector = static_cast<std::uint8_t>(index);
    const QString what = QStringLiteral("reading analog record %1: ").arg(index);
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        for (const wire::SlotIds &ids : wire::analogIdGroups()) {
            wire::IndexedSlots entries;
            if (!readValues(DeviceCommand::getAnalogDataNew, selector, static_cast<std::uint8_t>(axis), ids,
                            "getAnalogDataNew", entries)) {
                lastError_.prepend(what + QStringLiteral("axis %1: ").arg(axis + 1));
                return false;
            }
            wire::storeAnalogValues(entries, record, axis);
        }
    }
    if (!readText(DeviceCommand::getAnalogDataNewName, index, "getAnalogDataNew", record.name)) {
        lastError_.prepend(what + QLatin1String("name: "));
        return false;
    }
    return true;
}

bool DeviceLink::setAnalogData(std::uint16_t index, const AnalogSettings &record)
{
    const auto selector = static_cast<std::uint8_t>(index);
    const QString what = QStringLiteral("writing analog record %1: ").arg(index);
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        for (const wire::SlotIds &ids : wire::analogIdGroups()) {
            if (!writeValues(DeviceCommand::setAnalogDataValues, selector, static_cast<std::uint8_t>(axis), ids,
                             wire::analogValues(record, axis, ids))) {
                lastError_.prepend(what + QStringLiteral("axis %1: ").arg(axis + 1));
                return false;
            }
            pause();
        }
        if (!writeText(DeviceCommand::setAnalogDataName, index, record.name)) {
            lastError_.prepend(what + QLatin1String("name: "));
            return false;
        }
    }
    return true;
}
