#include "statusreport.h"

#include "clock.h"
#include "devicelink.h"

#include <QDebug>

namespace {
DeviceStatus status;
WheelSample sample;
} // namespace

DeviceStatus &deviceStatus() { return status; }
WheelSample &wheelSample() { return sample; }

bool askVeltraneStatusNew(bool &valid)
{
    DeviceLink &link = deviceLink();
    if (!link.connected) {
        qDebug() << "disconnection1";
        return false;
    }
    if (!writeReport(wire::bareCommand(DeviceCommand::askVeltraneStatusNew))) {
        link.connected = false;
        qDebug() << "disconnection2askstatus";
        closeLinkAfterFailure();
        return false;
    }
    wire::ReplyBuffer reply{};
    if (!readReply(reply, "askVeltraneStatusNew()")) {
        link.connected = false;
        qDebug() << "askVeltRaneStatusNew disconnection";
        closeLinkAfterFailure();
        return false;
    }
    if (wire::hasPacketType(reply, PacketType::Status)) {
        status = wire::decodeStatus(reply.data(), reply.size());
        valid = true;
        return true;
    }
    qDebug() << "askveltranestatus reply wrong format. reportid " << int(reply[0]) << " packetid "
             << int(reply[1]);
    valid = false;
    return true;
}

bool readWheelReport()
{
    DeviceLink &link = deviceLink();
    if (!link.deviceHandle) {
        link.connected = false;
        return false;
    }
    hid::Backend &hidLayer = hid::backend();
    hidLayer.setNonblocking(link.deviceHandle, 1);
    const linkclock::Stopwatch stopwatch;
    std::array<std::uint8_t, wire::kGameReportReadSize> report{};
    for (;;) {
        report.fill(0);
        const int received = hidLayer.read(link.deviceHandle, report.data(), report.size());
        if (received == 0) {
            // Outside operation the base streams nothing; show the wheel centred.
            if (status.operatingMode != wire::ModeOperational)
                sample.position = wire::kWheelCentre;
            return true;
        }
        if (received < 0) {
            writeStandardOutput("Unable to read hidreport\n");
            closeLinkAfterFailure();
            return false;
        }
        if (report[0] == wire::kGameReportId) {
            sample = wire::decodeWheelReport(report.data(), report.size());
            return true;
        }
        if (stopwatch.elapsedMs() > kWheelReportTimeoutMs) {
            writeStandardOutput("hidreport timeout!\n");
            closeLinkAfterFailure();
            return false;
        }
    }
}
