#include "devicelink.h"

#include "clock.h"
#include "statusreport.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

DeviceLink link;
StandardOutputSink standardOutputSink;

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

// Opening failed: the window shows "no base" from the status record's mode.
void markNoBase() { deviceStatus().operatingMode = wire::ModeNoBase; }

} // namespace

DeviceLink &deviceLink() { return link; }

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

int modelSlewRateMaximum()
{
    switch (link.modelIndex) {
    case ModelBrivo:
        return 8000;
    case ModelCendra:
        return 9500;
    default:
        return 4800;
    }
}

void setStandardOutputSink(StandardOutputSink sink) { standardOutputSink = std::move(sink); }

void writeStandardOutput(const char *text)
{
    if (standardOutputSink) {
        standardOutputSink(text);
        return;
    }
    std::fputs(text, stdout);
    std::fflush(stdout);
}

// A caller that only cleared `connected` (an untrusted first status) leaves the handle
// open; close it before reopening so every reconnect does not leak one.
static void closeStaleHandle(hid::Backend &hidLayer)
{
    if (link.deviceHandle) {
        hidLayer.close(link.deviceHandle);
        link.deviceHandle = nullptr;
    }
}

bool connectDevice()
{
    hid::Backend &hidLayer = hid::backend();
    closeStaleHandle(hidLayer);
    hidLayer.exit();
    hidLayer.init();

    if (link.modelKnown) {
        qDebug() << "pid" << link.productId;
        link.deviceHandle = hidLayer.open(kVeltraneVendorId, static_cast<std::uint16_t>(link.productId));
        if (link.deviceHandle) {
            writeStandardOutput("opened veltrane successfully\n");
            link.connected = true;
            return true;
        }
        markNoBase();
        writeStandardOutput("unable to open device\n");
        return false;
    }

    for (const ModelEntry &model : kProbeOrder) {
        link.deviceHandle = hidLayer.open(kVeltraneVendorId, model.productId);
        if (!link.deviceHandle) {
            markNoBase();
            qDebug() << "unable to open device, pid: " << model.productId;
            continue;
        }
        qDebug() << model.connectedMessage;
        link.connected = true;
        link.productId = model.productId;
        link.modelIndex = model.modelIndex;
        link.modelKnown = true;
        writeStandardOutput("opened veltrane successfully\n");
        return true;
    }

    qDebug() << "Could not connect to VT2";
    link.connected = false;
    return false;
}

bool openUpdateMode()
{
    hid::Backend &hidLayer = hid::backend();
    closeStaleHandle(hidLayer);
    hidLayer.exit();
    hidLayer.init();
    link.deviceHandle = hidLayer.open(kVeltraneVendorId, kProductIdUpdateMode);
    if (link.deviceHandle) {
        writeStandardOutput("opened veltrane successfully in firmware update mode\n");
        return true;
    }
    writeStandardOutput("unable to open device\n");
    return false;
}

void disconnectDevice()
{
    if (!link.deviceHandle)
        return;
    hid::Backend &hidLayer = hid::backend();
    hidLayer.close(link.deviceHandle);
    hidLayer.exit();
    link.deviceHandle = nullptr;
    link.connected = false;
}

void closeLinkAfterFailure()
{
    link.connected = false;
    if (link.deviceHandle) {
        hid::backend().close(link.deviceHandle);
        link.deviceHandle = nullptr;
    }
}

bool writeReport(const wire::CommandFrame &frame)
{
    if (!link.deviceHandle)
        return false;
    hid::Backend &hidLayer = hid::backend();
    hidLayer.setNonblocking(link.deviceHandle, 1);
    return hidLayer.write(link.deviceHandle, frame.data(), frame.size()) != -1;
}

bool readReply(wire::ReplyBuffer &buffer, const char *context)
{
    if (!link.deviceHandle)
        return false;
    hid::Backend &hidLayer = hid::backend();
    const linkclock::Stopwatch stopwatch;
    hidLayer.setNonblocking(link.deviceHandle, 1);
    for (;;) {
        buffer.fill(0);
        const int received = hidLayer.read(link.deviceHandle, buffer.data(), buffer.size());
        if (received < 0)
            return false;
        if (received == 0) {
            // Busy polling on purpose: the base answers within a few milliseconds.
            if (stopwatch.elapsedMs() > kReplyTimeoutMs) {
                qDebug() << "read timeout failure 1 (500 ms elapsed, no response at all) at "
                         << context;
                return false;
            }
            continue;
        }
        if (buffer[0] == wire::kReplyReportId)
            return true;
        if (stopwatch.elapsedMs() > kForeignReportTimeoutMs) {
            qDebug() << "read timeout failure 2 (150 ms elapsed with no correct packet type received) at"
                     << context;
            return false;
        }
    }
}

bool sendCommand(DeviceCommand code)
{
    if (link.connected && writeReport(wire::bareCommand(code)))
        return true;
    qDebug() << "Failed to send command" << static_cast<int>(code);
    disconnectDevice();
    return false;
}

bool WriteNOP()
{
    const bool ok = sendCommand(DeviceCommand::WriteNOP);
    qDebug() << (ok ? "WriteNOP Success" : "WriteNOP Fail");
    return ok;
}

bool sendRequest(const wire::CommandFrame &frame)
{
    if (!link.connected)
        return false;
    if (!writeReport(frame)) {
        closeLinkAfterFailure();
        return false;
    }
    return true;
}

bool request(const wire::CommandFrame &frame, wire::ReplyBuffer &reply, PacketType expected,
             const char *context)
{
    if (!sendRequest(frame))
        return false;
    if (!readReply(reply, context) || !wire::hasPacketType(reply, expected)) {
        closeLinkAfterFailure();
        return false;
    }
    return true;
}

std::vector<std::uint8_t> exchange(const std::uint8_t *request, std::size_t length)
{
    if (!link.connected || !request)
        return {};
    wire::CommandFrame frame{};
    std::copy(request, request + std::min(length, frame.size()), frame.begin());
    if (!writeReport(frame))
        return {};
    wire::ReplyBuffer reply{};
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (!readReply(reply, "exchange") || !link.connected)
            return {};
        if (reply[1] == frame[1] && reply[2] == frame[2])
            return std::vector<std::uint8_t>(reply.begin(), reply.end());
    }
    return {};
}

QTimer &flashDelayTimer()
{
    static QTimer *timer = nullptr;
    if (!timer) {
        // Owned by the application object so it dies with the event loop, not after it.
        timer = new QTimer(QCoreApplication::instance());
        QObject::connect(timer, &QObject::destroyed, [] { timer = nullptr; });
    }
    return *timer;
}
