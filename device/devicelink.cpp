#include "device/devicelink.h"

#include "device/hid/clock.h"

#include <QDebug>

#include <algorithm>
#include <cstdio>

namespace {

struct ModelEntry {
    std::uint16_t productId;
    std::uint32_t modelIndex;
    const char *name;
    const char *connectedMessage;
};

// Probe order after program start: the first model that answers is the one we keep.
constexpr ModelEntry kProbeOrder[] = {
    {kProductIdCendra, ModelCendra, "Cendra", "Connected to VT2 Cendra"},
    {kProductIdBrivo, ModelBrivo, "Brivo", "Connected to VT2 Brivo"},
    {kProductIdArdex, ModelArdex, "Ardex", "Connected to VT2 Ardex"},
};

} // namespace

std::uint16_t productIdForModel(std::uint32_t modelIndex)
{
    for (const ModelEntry &m : kProbeOrder)
        if (m.modelIndex == modelIndex)
            return m.productId;
    return 0;
}

const char *modelName(std::uint32_t modelIndex)
{
    for (const ModelEntry &m : kProbeOrder)
        if (m.modelIndex == modelIndex)
            return m.name;
    return "";
}

DeviceLink::DeviceLink(hid::Backend &backend) : backend_(backend)
{
}

DeviceLink::~DeviceLink()
{
    if (deviceHandle_)
        backend_.close(deviceHandle_);
}

void DeviceLink::writeStandardOutput(const char *text)
{
    if (standardOutputSink_) {
        standardOutputSink_(text);
        return;
    }
    std::fputs(text, stdout);
    std::fflush(stdout);
}

// A caller that only cleared `connected` (an untrusted first status) leaves the handle
// open; close it before reopening so every reconnect does not leak one.
void DeviceLink::closeStaleHandle()
{
    if (deviceHandle_) {
        backend_.close(deviceHandle_);
        deviceHandle_ = nullptr;
    }
}

bool DeviceLink::connectDevice()
{
    closeStaleHandle();
    backend_.exit();
    backend_.init();
    lastError_.clear();
    lastErrorKind_ = FailureKind::None;
    forgetWhatTheBaseRuns();

    if (modelKnown_) {
        qDebug() << "pid" << productId_;
        deviceHandle_ = backend_.open(kVeltraneVendorId, static_cast<std::uint16_t>(productId_));
        if (deviceHandle_) {
            writeStandardOutput("opened veltrane successfully\n");
            connected_ = true;
            return true;
        }
        markNoBase();
        writeStandardOutput("unable to open device\n");
        fail(FailureKind::NotConnected, QStringLiteral("connecting: no %1 base answers").arg(QLatin1String(modelName(modelIndex_))));
        return false;
    }

    for (const ModelEntry &model : kProbeOrder) {
        deviceHandle_ = backend_.open(kVeltraneVendorId, model.productId);
        if (!deviceHandle_) {
            markNoBase();
            qDebug() << "unable to open device, pid: " << model.productId;
            continue;
        }
        qDebug() << model.connectedMessage;
        connected_ = true;
        productId_ = model.productId;
        modelIndex_ = model.modelIndex;
        modelKnown_ = true;
        writeStandardOutput("opened veltrane successfully\n");
        return true;
    }

    qDebug() << "Could not connect to VT2";
    connected_ = false;
    fail(FailureKind::NotConnected, QStringLiteral("connecting: no base found"));
    return false;
}

bool DeviceLink::openUpdateMode()
{
    closeStaleHandle();
    backend_.exit();
    backend_.init();
    deviceHandle_ = backend_.open(kVeltraneVendorId, kProductIdUpdateMode);
    if (deviceHandle_) {
        writeStandardOutput("opened veltrane successfully in firmware update mode\n");
        return true;
    }
    writeStandardOutput("unable to open device\n");
    return false;
}

void DeviceLink::disconnectDevice()
{
    if (!deviceHandle_)
        return;
    backend_.close(deviceHandle_);
    backend_.exit();
    deviceHandle_ = nullptr;
    connected_ = false;
}

void DeviceLink::closeLinkAfterFailure()
{
    connected_ = false;
    if (deviceHandle_) {
        backend_.close(deviceHandle_);
        deviceHandle_ = nullptr;
    }
}

bool DeviceLink::writeReport(const wire::CommandFrame &frame)
{
    if (!deviceHandle_) {
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
        return false;
    }
    backend_.setNonblocking(deviceHandle_, 1);
    if (backend_.write(deviceHandle_, frame.data(), frame.size()) != -1)
        return true;
    fail(FailureKind::NoReply, QStringLiteral("writing command 0x%1 failed").arg(frame[1], 2, 16, QLatin1Char('0')));
    return false;
}

DeviceLink::ReplyWait DeviceLink::waitForReply(wire::ReplyBuffer &buffer, std::uint8_t reportId,
                                               const ReplyLimits &limits)
{
    const linkclock::Stopwatch stopwatch;
    const auto ranOut = [&](int limitMs) {
        const linkclock::Milliseconds elapsed = stopwatch.elapsedMs();
        return limits.giveUpAtLimit ? elapsed >= limitMs : elapsed > limitMs;
    };
    backend_.setNonblocking(deviceHandle_, 1);
    for (;;) {
        buffer.fill(0);
        const int received = backend_.read(deviceHandle_, buffer.data(), buffer.size());
        if (received < 0)
            return ReplyWait::ReadFailed;
        if (received == 0) {
            // Busy polling on purpose: the base answers within a few milliseconds.
            if (ranOut(limits.silenceMs))
                return ReplyWait::Silence;
            continue;
        }
        if (buffer[0] == reportId)
            return ReplyWait::Arrived;
        if (ranOut(limits.othersMs))
            return ReplyWait::OnlyOthers;
    }
}

bool DeviceLink::readReply(wire::ReplyBuffer &buffer, const char *context)
{
    if (!deviceHandle_) {
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
        return false;
    }
    switch (waitForReply(buffer, wire::kReplyReportId, {kReplyTimeoutMs, kForeignReportTimeoutMs, false})) {
    case ReplyWait::Arrived:
        return true;
    case ReplyWait::ReadFailed:
        fail(FailureKind::NoReply, QStringLiteral("reading the reply failed"));
        return false;
    case ReplyWait::Silence:
        qDebug() << "read timeout failure 1 (500 ms elapsed, no response at all) at " << context;
        fail(FailureKind::NoReply, QStringLiteral("no reply within %1 ms").arg(kReplyTimeoutMs));
        return false;
    case ReplyWait::OnlyOthers:
        qDebug() << "read timeout failure 2 (150 ms elapsed with no correct packet type received) at" << context;
        fail(FailureKind::NoReply, QStringLiteral("no reply among other reports within %1 ms").arg(kForeignReportTimeoutMs));
        return false;
    }
    return false;
}

bool DeviceLink::sendCommand(DeviceCommand code)
{
    if (connected_ && writeReport(wire::bareCommand(code)))
        return true;
    if (!connected_)
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
    qDebug() << "Failed to send command" << static_cast<int>(code);
    disconnectDevice();
    return false;
}

bool DeviceLink::WriteNOP()
{
    const bool ok = sendCommand(DeviceCommand::WriteNOP);
    qDebug() << (ok ? "WriteNOP Success" : "WriteNOP Fail");
    return ok;
}

bool DeviceLink::sendRequest(const wire::CommandFrame &frame)
{
    if (!connected_) {
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
        return false;
    }
    if (!writeReport(frame)) {
        closeLinkAfterFailure();
        return false;
    }
    return true;
}

bool DeviceLink::request(const wire::CommandFrame &frame, wire::ReplyBuffer &reply, PacketType expected,
                         const char *context)
{
    if (!sendRequest(frame))
        return false;
    if (!readReply(reply, context)) {
        closeLinkAfterFailure();
        return false;
    }
    if (!wire::hasPacketType(reply, expected)) {
        fail(FailureKind::Refused, QStringLiteral("unexpected reply of packet type 0x%1").arg(reply[1], 2, 16, QLatin1Char('0')));
        closeLinkAfterFailure();
        return false;
    }
    return true;
}

std::vector<std::uint8_t> DeviceLink::exchange(const std::uint8_t *request, std::size_t length)
{
    if (!connected_ || !request)
        return {};
    wire::CommandFrame frame{};
    std::copy(request, request + std::min(length, frame.size()), frame.begin());
    if (!writeReport(frame))
        return {};
    wire::ReplyBuffer reply{};
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (!readReply(reply, "exchange") || !connected_)
            return {};
        if (reply[1] == frame[1] && reply[2] == frame[2])
            return std::vector<std::uint8_t>(reply.begin(), reply.end());
    }
    return {};
}
