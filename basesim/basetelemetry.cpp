#include "basesim/basetelemetry.h"

#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "basesim/faults.h"
#include "device/wire/telemetryframes.h"

#include <algorithm>
#include <numeric>

namespace basesim {

namespace tele = wire::telemetry;

namespace {

std::vector<std::uint8_t> measured(std::size_t count, std::uint32_t seed)
{
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>((seed * 31 + i * 7 + 3) & 0xFF);
    return bytes;
}

std::vector<std::uint8_t> allBytes(const TelemetryStore &store)
{
    std::vector<std::uint8_t> bytes;
    for (const TelemetryPart &part : store.parts)
        bytes.insert(bytes.end(), part.data.begin(), part.data.end());
    return bytes;
}

bool replyStatus(CommandContext &context, const wire::CommandFrame &, wire::ReplyBuffer &reply)
{
    BaseState &state = context.state;
    state.telemetryLease.renewedAt = context.now;
    tele::StoreStatus status;
    status.totalSize = telemetryTotal(state.telemetry);
    status.partCount = static_cast<std::uint8_t>(state.telemetry.parts.size());
    status.dataTag = state.telemetry.tag;
    reply = tele::encodeStatus(status);
    return true;
}

bool replyPartDescriptor(CommandContext &context, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const std::vector<TelemetryPart> &parts = context.state.telemetry.parts;
    const std::size_t index = frame[3];
    if (index >= parts.size()) {
        reply = tele::encodePartDescriptor(1, 0, std::string());
        return true;
    }
    reply = tele::encodePartDescriptor(0, static_cast<std::uint16_t>(parts[index].data.size()), parts[index].name);
    return true;
}

bool replyReadData(CommandContext &context, const wire::CommandFrame &frame, wire::ReplyBuffer &reply)
{
    const BaseState &state = context.state;
    if (!telemetryLeaseLive(state, context.now)) {
        reply = tele::encodeChunk(tele::ReadLockLost, nullptr, 0);
        return true;
    }
    const std::size_t offset = tele::getU16BE(frame.data(), frame.size(), 3);
    const std::vector<std::uint8_t> bytes = allBytes(state.telemetry);
    if (offset >= bytes.size()) {
        reply = tele::encodeChunk(tele::ReadNoMore, nullptr, 0);
        return true;
    }
    reply = tele::encodeChunk(tele::ReadOk, bytes.data() + offset, std::min(tele::kMaxChunk, bytes.size() - offset));
    return true;
}

// Erases only for the holder of a live lease; either way the lease ends.
bool replyUnlockErase(CommandContext &context, const wire::CommandFrame &, wire::ReplyBuffer &reply)
{
    BaseState &state = context.state;
    ++state.telemetry.eraseRequests;
    const bool live = telemetryLeaseLive(state, context.now);
    if (live)
        state.telemetry.parts.clear();
    state.telemetryLease.renewedAt.reset();
    reply = tele::encodeUnlockErase(live ? 0 : 1);
    return true;
}

} // namespace

void collectTelemetrySet(TelemetryStore &store)
{
    ++store.setsCollected;
    const std::uint32_t n = store.setsCollected;
    store.parts = {
        {"electrical", measured(70, n)},
        {"health", {}},
        {"settings", measured(12, n + 100)},
    };
    store.tag = static_cast<std::uint8_t>(store.tag + 1);
    if (store.tag == 0)
        store.tag = 1;
}

std::uint16_t telemetryTotal(const TelemetryStore &store)
{
    std::size_t total = 0;
    for (const TelemetryPart &part : store.parts)
        total += part.data.size();
    return static_cast<std::uint16_t>(std::min<std::size_t>(total, 0xFFFF));
}

bool telemetryLeaseLive(const BaseState &state, Milliseconds now)
{
    const std::optional<Milliseconds> &renewed = state.telemetryLease.renewedAt;
    return renewed && now - *renewed <= kTelemetryLeaseMs;
}

void addTelemetryCommands(CommandTable &table)
{
    // One code for the store; the sub-command picks the handler.
    table.on(DeviceCommand::telemetry, [](CommandContext &context, const wire::CommandFrame &frame,
                                          wire::ReplyBuffer &reply) {
        switch (static_cast<tele::Sub>(frame[2])) {
        case tele::Sub::Status:
            return replyStatus(context, frame, reply);
        case tele::Sub::PartDescriptor:
            return replyPartDescriptor(context, frame, reply);
        case tele::Sub::ReadData:
            return replyReadData(context, frame, reply);
        case tele::Sub::UnlockErase:
            return replyUnlockErase(context, frame, reply);
        }
        return false;
    });
}

void applyTelemetryFaults(Faults &faults, BaseState &state, std::uint8_t *reply, std::size_t length)
{
    if (length < tele::kReadDataHeader || reply[1] != tele::kCommand)
        return;
    TelemetryFaults &f = faults.telemetry;
    switch (static_cast<tele::Sub>(reply[2])) {
    case tele::Sub::Status:
        if (f.tagZero)
            reply[7] = 0;
        // The parts' sizes add up to more than the total the base names.
        if (f.partsPastTotal && tele::getU16BE(reply, length, 4) > 0)
            tele::putU16BE(reply, length, 4, static_cast<std::uint16_t>(tele::getU16BE(reply, length, 4) - 1));
        break;
    case tele::Sub::ReadData:
        if (reply[3] != tele::ReadOk)
            break;
        if (f.lockLostAfterReads == 0) {
            state.telemetryLease.renewedAt.reset();
            reply[3] = tele::ReadLockLost;
            tele::putU16BE(reply, length, 4, 0);
            break;
        }
        if (f.lockLostAfterReads > 0)
            --f.lockLostAfterReads;
        if (f.zeroLengthChunks)
            tele::putU16BE(reply, length, 4, 0);
        else if (f.oversizeChunk)
            tele::putU16BE(reply, length, 4, static_cast<std::uint16_t>(tele::kMaxChunk + 1));
        break;
    default:
        break;
    }
}

} // namespace basesim
