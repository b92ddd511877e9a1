// The settings transfers as the base answers them: indexed reads name back the ids asked
// for (0 in empty entries, value 0 for ids it does not know), indexed writes store values
// by id into RAM, and block frames carry the 32-byte texts.

#include "basemodel.h"

#include "eventcodes.h"
#include "indexedframes.h"

namespace basesim {
namespace {

constexpr std::uint16_t kHardwareMaxId = wire::kHardwareWordCount - 1;
constexpr std::uint16_t kAnalogMaxId = wire::kAnalogAxisWords - 1;

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

} // namespace

bool BaseModel::readProfileValues(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.entries.ids[0] == 1)
        logEvent(event::CmdRequestProfile, request.selector);
    const ProfileRecord *profile = state_.ram.profile(request.selector);
    reply = wire::encodeIndexedReply(answer(request.entries.ids, profile ? profile->param.data() : nullptr, kProfileWords));
    return true;
}

bool BaseModel::readHardwareValues(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (startsTransfer(request.entries.ids))
        logEvent(event::CmdRequestHardware, request.entries.ids[0]);
    const wire::HardwareSettings &hardware = state_.ram.hardware;
    reply = wire::encodeIndexedReply(answer(request.entries.ids, hardware.word.data(), hardware.word.size()));
    return true;
}

bool BaseModel::readAnalogValues(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.subSelector == 0 && request.entries.ids[0] == 1)
        logEvent(event::CmdRequestAnalog, request.selector);
    const std::uint32_t *words = axisWords(state_.ram.analogRecord(request.selector), request.subSelector);
    reply = wire::encodeIndexedReply(answer(request.entries.ids, words, wire::kAnalogAxisWords));
    return true;
}

bool BaseModel::readProfileName(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const std::uint16_t index = wire::blockSelector(frame);
    logEvent(event::CmdRequestProfileName, index);
    const ProfileRecord *profile = state_.ram.profile(index);
    reply = wire::encodeBlockReply(profile ? wire::toBlockText(profile->name) : wire::BlockText{});
    return true;
}

bool BaseModel::readProfileReservedText(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const std::uint16_t index = wire::blockSelector(frame);
    logEvent(event::CmdRequestProfileText, index);
    const ProfileRecord *profile = state_.ram.profile(index);
    reply = wire::encodeBlockReply(profile ? wire::toBlockText(profile->reservedText) : wire::BlockText{});
    return true;
}

bool BaseModel::readAnalogName(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &reply)
{
    const std::uint16_t index = wire::blockSelector(frame);
    logEvent(event::CmdRequestAnalogName, index);
    const wire::AnalogSettings *record = state_.ram.analogRecord(index);
    reply = wire::encodeBlockReply(record ? wire::toBlockText(record->name) : wire::BlockText{});
    return true;
}

bool BaseModel::writeProfileValues(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.entries.ids[0] == 1)
        logEvent(event::CmdSetProfile, request.selector);
    ProfileRecord *profile = state_.ram.profile(request.selector);
    if (profile && wire::storeIndexedValues(request.entries, profile->param.data(), kProfileWords, kProfileMaxId) > 0)
        markUnsaved();
    return false;
}

bool BaseModel::writeHardwareValues(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (startsTransfer(request.entries.ids))
        logEvent(event::CmdSetHardware, request.entries.ids[0]);
    wire::HardwareSettings &hardware = state_.ram.hardware;
    if (wire::storeIndexedValues(request.entries, hardware.word.data(), hardware.word.size(), kHardwareMaxId) > 0)
        markUnsaved();
    return false;
}

bool BaseModel::writeAnalogValues(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const wire::IndexedRequest request = wire::decodeIndexedRequest(frame);
    if (request.subSelector == 0 && request.entries.ids[0] == 1)
        logEvent(event::CmdSetAnalog, request.selector);
    std::uint32_t *words = axisWords(state_.ram.analogRecord(request.selector), request.subSelector);
    if (words && wire::storeIndexedValues(request.entries, words, wire::kAnalogAxisWords, kAnalogMaxId) > 0)
        markUnsaved();
    return false;
}

bool BaseModel::writeProfileName(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const std::uint16_t index = wire::blockSelector(frame);
    logEvent(event::CmdSetProfileName, index);
    if (ProfileRecord *profile = state_.ram.profile(index)) {
        profile->name = wire::fromBlockText(blockOf(frame));
        markUnsaved();
    }
    return false;
}

bool BaseModel::writeProfileReservedText(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    const std::uint16_t index = wire::blockSelector(frame);
    logEvent(event::CmdSetProfileText, index);
    if (ProfileRecord *profile = state_.ram.profile(index)) {
        profile->reservedText = wire::fromBlockText(blockOf(frame));
        markUnsaved();
    }
    return false;
}

bool BaseModel::writeAnalogName(const wire::CommandFrame &frame, Milliseconds, wire::ReplyBuffer &)
{
    if (wire::AnalogSettings *record = state_.ram.analogRecord(wire::blockSelector(frame))) {
        record->name = wire::fromBlockText(blockOf(frame));
        markUnsaved();
    }
    return false;
}

} // namespace basesim
