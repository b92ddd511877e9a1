#include "eventlogquery.h"

#include "devicelink.h"

namespace {
EventLogChunk chunk;
} // namespace

EventLogChunk &eventLogChunk() { return chunk; }

bool getLogData(std::uint16_t start)
{
    wire::ReplyBuffer reply{};
    if (!request(wire::u16Command(DeviceCommand::getLogData, start), reply, PacketType::EventLogChunk, "getLogData"))
        return false;
    chunk = wire::decodeEventLogChunk(reply.data(), reply.size());
    return true;
}
