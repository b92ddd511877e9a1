// The bootloader's side of the link: erase, image data, verify, start, status.

#include "device/devicelink.h"

#include "device/hid/clock.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

constexpr int kBootloaderReplyTimeoutMs = 500;
// Reports of other ids are tolerated only this long: the bootloader sends nothing else.
constexpr int kBootloaderForeignReportMs = 51;
// Rests up to this long are slept in one piece; the window may stall that long.
constexpr linkclock::Milliseconds kSingleSleepMs = 20;

} // namespace

bool DeviceLink::sendBootloaderFrame(const wire::BootloaderFrame &frame)
{
    if (writeReport(frame))
        return true;
    closeLinkAfterFailure();
    return false;
}

bool DeviceLink::sendUnlockErase()
{
    return sendBootloaderFrame(wire::bootloaderCommand(wire::BootloaderCommand::UnlockErase));
}

bool DeviceLink::sendFirmwareChunk(bool firstChunk, const std::uint8_t *data, std::size_t length)
{
    return sendBootloaderFrame(wire::firmwareChunk(firstChunk, data, length));
}

bool DeviceLink::sendVerifyRequest(std::uint32_t crc, std::uint32_t imageLength)
{
    return sendBootloaderFrame(wire::verifyRequest(crc, imageLength));
}

bool DeviceLink::startApplication()
{
    if (!sendBootloaderFrame(wire::bootloaderCommand(wire::BootloaderCommand::StartApplication)))
        return false;
    // The base may already be leaving the bus; the start command is what counts.
    sendBootloaderFrame(wire::bootloaderCommand(wire::BootloaderCommand::NoOperation));
    return true;
}

bool DeviceLink::askVeltraneBootloaderStatusNew()
{
    if (!writeReport(wire::bootloaderCommand(wire::BootloaderCommand::Status))) {
        qDebug() << "disconnection2fwupdate";
        closeLinkAfterFailure();
        return false;
    }
    wire::ReplyBuffer reply{};
    if (!readBootloaderReply(reply, "askVeltraneBootloaderStatusNew()")) {
        qDebug() << "disconnection3";
        closeLinkAfterFailure();
        return false;
    }
    bootloaderStatus_ = wire::bootloaderStatusOf(reply);
    bootloaderCrc_ = wire::bootloaderCrc(bootloaderStatus_);
    return true;
}

bool DeviceLink::readBootloaderReply(wire::ReplyBuffer &buffer, const char *context)
{
    if (!deviceHandle_) {
        fail(FailureKind::NotConnected, QStringLiteral("not connected"));
        return false;
    }
    switch (waitForReply(buffer, wire::kBootloaderInReportId,
                         {kBootloaderReplyTimeoutMs, kBootloaderForeignReportMs, true})) {
    case ReplyWait::Arrived:
        return true;
    case ReplyWait::ReadFailed:
        fail(FailureKind::NoReply, QStringLiteral("reading the bootloader's reply failed"));
        return false;
    case ReplyWait::Silence:
        qDebug() << "timeout failure1 at " << context;
        fail(FailureKind::NoReply, QStringLiteral("no bootloader reply within %1 ms").arg(kBootloaderReplyTimeoutMs));
        return false;
    case ReplyWait::OnlyOthers:
        qDebug() << "timemout failure2 at" << context;
        fail(FailureKind::NoReply, QStringLiteral("only other reports for %1 ms").arg(kBootloaderForeignReportMs));
        return false;
    }
    return false;
}

void DeviceLink::waitWithEvents(int milliseconds)
{
    if (milliseconds > 0)
        waitUntilWithEvents(linkclock::nowMs() + milliseconds);
}

void DeviceLink::waitUntilWithEvents(linkclock::Milliseconds deadline)
{
    for (linkclock::Milliseconds now = linkclock::nowMs(); now < deadline; now = linkclock::nowMs()) {
        // A short rest is one sleep, so its wake-up is late only once; long waits keep
        // the window painting every millisecond.
        const linkclock::Milliseconds rest = deadline - now;
        linkclock::sleepMs(rest <= kSingleSleepMs ? rest : 1);
        QCoreApplication::processEvents();
    }
}
