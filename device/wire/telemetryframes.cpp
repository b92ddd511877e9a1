#include "device/wire/telemetryframes.h"

#include <algorithm>

namespace wire::telemetry {

namespace {
std::vector<std::uint8_t> request(Sub sub) { return {kCommandReportId, kCommand, static_cast<std::uint8_t>(sub)}; }

ReplyBuffer replyFor(Sub sub)
{
    ReplyBuffer reply{};
    reply[0] = kReplyReportId;
    reply[1] = kCommand;
    reply[2] = static_cast<std::uint8_t>(sub);
    return reply;
}
} // namespace

std::vector<std::uint8_t> statusRequest() { return request(Sub::Status); }

std::vector<std::uint8_t> partDescriptorRequest(std::uint8_t index)
{
    std::vector<std::uint8_t> bytes = request(Sub::PartDescriptor);
    bytes.push_back(index);
    return bytes;
}

std::vector<std::uint8_t> readDataRequest(std::uint16_t offset)
{
    std::vector<std::uint8_t> bytes = request(Sub::ReadData);
    bytes.push_back(static_cast<std::uint8_t>(offset >> 8));
    bytes.push_back(static_cast<std::uint8_t>(offset & 0xFF));
    return bytes;
}

std::vector<std::uint8_t> unlockEraseRequest() { return request(Sub::UnlockErase); }

bool decodeStatus(const std::uint8_t *reply, std::size_t length, StoreStatus &status)
{
    if (!reply || length < kStatusReplyMinimum)
        return false;
    status.totalSize = getU16BE(reply, length, 4);
    status.partCount = reply[6];
    status.dataTag = reply[7];
    return true;
}

bool decodePartDescriptor(const std::uint8_t *reply, std::size_t length, PartDescriptor &part)
{
    if (!reply || length < 7 || reply[3] != 0)
        return false;
    const std::size_t nameLength = reply[6];
    if (nameLength < 1 || nameLength > kMaxNameLength || 7 + nameLength > length)
        return false;
    part.size = getU16BE(reply, length, 4);
    const std::uint8_t *name = reply + 7;
    const std::uint8_t *end = std::find(name, name + nameLength, std::uint8_t(0));
    part.name.assign(name, end);
    return true;
}

bool decodeChunk(const std::uint8_t *reply, std::size_t length, Chunk &chunk)
{
    if (!reply || length < 4)
        return false;
    chunk.status = reply[3];
    chunk.data.clear();
    if (chunk.status != ReadOk)
        return true;
    if (length < kReadDataHeader)
        return false;
    const std::size_t chunkLength = getU16BE(reply, length, 4);
    if (kReadDataHeader + chunkLength > length)
        return false;
    chunk.data.assign(reply + kReadDataHeader, reply + kReadDataHeader + chunkLength);
    return true;
}

ReplyBuffer encodeStatus(const StoreStatus &status)
{
    ReplyBuffer reply = replyFor(Sub::Status);
    putU16BE(reply.data(), reply.size(), 4, status.totalSize);
    reply[6] = status.partCount;
    reply[7] = status.dataTag;
    return reply;
}

ReplyBuffer encodePartDescriptor(std::uint8_t status, std::uint16_t size, const std::string &name)
{
    ReplyBuffer reply = replyFor(Sub::PartDescriptor);
    reply[3] = status;
    putU16BE(reply.data(), reply.size(), 4, size);
    const std::size_t n = std::min(name.size(), kMaxNameLength);
    reply[6] = static_cast<std::uint8_t>(n);
    std::copy(name.begin(), name.begin() + std::ptrdiff_t(n), reply.begin() + 7);
    return reply;
}

ReplyBuffer encodeChunk(std::uint8_t status, const std::uint8_t *data, std::size_t length)
{
    ReplyBuffer reply = replyFor(Sub::ReadData);
    reply[3] = status;
    const std::size_t n = data ? std::min(length, kMaxChunk) : 0;
    putU16BE(reply.data(), reply.size(), 4, static_cast<std::uint16_t>(n));
    if (n)
        std::copy(data, data + n, reply.begin() + kReadDataHeader);
    return reply;
}

ReplyBuffer encodeUnlockErase(std::uint8_t status)
{
    ReplyBuffer reply = replyFor(Sub::UnlockErase);
    reply[3] = status;
    return reply;
}

} // namespace wire::telemetry
