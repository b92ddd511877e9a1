// The status request and the fast game-controller report.

#include "device/devicelink.h"

#include "device/hid/clock.h"

#include <QDebug>

bool DeviceLink::askVeltraneStatusNew(bool &valid)
{
    if (!connected_) {
        qDebug() << "disconnection1";
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
        return false;
    }
    if (!writeReport(wire::bareCommand(DeviceCommand::askVeltraneStatusNew))) {
        connected_ = false;
        qDebug() << "disconnection2askstatus";
        closeLinkAfterFailure();
        lastError_.prepend(QLatin1String("asking for the status: "));
        return false;
    }
    wire::ReplyBuffer reply{};
    if (!readReply(reply, "askVeltraneStatusNew()")) {
        connected_ = false;
        qDebug() << "askVeltRaneStatusNew disconnection";
        closeLinkAfterFailure();
        lastError_.prepend(QLatin1String("asking for the status: "));
        return false;
    }
    if (wire::hasPacketType(reply, PacketType::Status)) {
        status_ = wire::decodeStatus(reply.data(), reply.size());
        valid = true;
        return true;
    }
    qDebug() << "askveltranestatus reply wrong format. reportid " << int(reply[0]) << " packetid "
             << int(reply[1]);
    valid = false;
    return true;
}

bool DeviceLink::readWheelReport()
{
    if (!deviceHandle_) {
        connected_ = false;
        return false;
    }
    backend_.setNonblocking(deviceHandle_, 1);
    const linkclock::Stopwatch stopwatch;
    std::array<std::uint8_t, wire::kGameReportReadSize> report{};
    // Reports queue up between ticks, oldest first: the wheel is where the newest one says,
    // so only that one is decoded, once the queue is read.
    std::array<std::uint8_t, wire::kGameReportReadSize> newest{};
    bool sampled = false;
    const auto takeNewest = [&] {
        if (!sampled)
            return;
        wheelSample_ = wire::decodeWheelReport(newest.data(), newest.size());
        wheelSampleStale_ = false;
        measuredWheelPosition_ = wheelSample_.position;
    };
    for (;;) {
        report.fill(0);
        const int received = backend_.read(deviceHandle_, report.data(), report.size());
        if (received == 0) {
            takeNewest();
            // Outside operation the base streams nothing; show the wheel centred.
            if (!sampled && status_.operatingMode != wire::ModeOperational) {
                wheelSample_.position = wire::kWheelCentre;
                wheelSampleStale_ = true;
            }
            return true;
        }
        if (received < 0) {
            takeNewest();
            writeStandardOutput("Unable to read hidreport\n");
            fail(FailureKind::NoReply, QStringLiteral("reading the wheel report failed"));
            closeLinkAfterFailure();
            return false;
        }
        if (report[0] == wire::kGameReportId) {
            newest = report;
            sampled = true;
        }
        if (stopwatch.elapsedMs() > kWheelReportTimeoutMs) {
            // A base that never stops sending: the newest report read so far will do.
            if (sampled) {
                takeNewest();
                return true;
            }
            writeStandardOutput("hidreport timeout!\n");
            fail(FailureKind::NoReply, QStringLiteral("no wheel report within %1 ms").arg(kWheelReportTimeoutMs));
            closeLinkAfterFailure();
            return false;
        }
    }
}
