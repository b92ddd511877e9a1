// The telemetry store's four requests, each one exchange on the link.

#include "device/devicelink.h"

namespace tele = wire::telemetry;

namespace {
std::vector<std::uint8_t> send(DeviceLink &link, const std::vector<std::uint8_t> &request)
{
    return link.exchange(request.data(), request.size());
}
} // namespace

bool DeviceLink::readTelemetryStatus(tele::StoreStatus &status)
{
    const std::vector<std::uint8_t> reply = send(*this, tele::statusRequest());
    if (!tele::decodeStatus(reply.data(), reply.size(), status)) {
        fail(FailureKind::NoReply, QStringLiteral("telemetry status: no reply"));
        return false;
    }
    return true;
}

bool DeviceLink::readTelemetryPart(std::uint8_t index, tele::PartDescriptor &part)
{
    const std::vector<std::uint8_t> reply = send(*this, tele::partDescriptorRequest(index));
    if (reply.empty()) {
        fail(FailureKind::NoReply, QStringLiteral("telemetry part %1: no reply").arg(index));
        return false;
    }
    if (!tele::decodePartDescriptor(reply.data(), reply.size(), part)) {
        fail(FailureKind::Refused, QStringLiteral("telemetry part %1: refused or malformed descriptor").arg(index));
        return false;
    }
    return true;
}

bool DeviceLink::readTelemetryData(std::uint16_t offset, tele::Chunk &chunk)
{
    const std::vector<std::uint8_t> reply = send(*this, tele::readDataRequest(offset));
    if (reply.empty()) {
        fail(FailureKind::NoReply, QStringLiteral("telemetry data at %1: no reply").arg(offset));
        return false;
    }
    if (!tele::decodeChunk(reply.data(), reply.size(), chunk)) {
        fail(FailureKind::Refused, QStringLiteral("telemetry data at %1: chunk longer than its reply").arg(offset));
        return false;
    }
    return true;
}

bool DeviceLink::unlockAndEraseTelemetry()
{
    const std::vector<std::uint8_t> reply = send(*this, tele::unlockEraseRequest());
    if (reply.empty()) {
        fail(FailureKind::NoReply, QStringLiteral("telemetry unlock and erase: no reply"));
        return false;
    }
    return true;
}
