#include "firmware/firmwareflasher.h"

#include "device/devicelink.h"
#include "firmware/firmwareimage.h"
#include "device/hid/clock.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

QString flasherText(const char *text) { return QCoreApplication::translate("fwupdatewizard_updateconfirm", text); }

void failWithCancel(FlashView &view)
{
    view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Firmware update failed.")));
    view.showFailureButtons();
}

// The erase takes a few seconds; a growing row of dots shows the tool is waiting.
void waitForErase(FlashView &view)
{
    const QString text = flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Unlocking and erasing program flash memory %1"));
    const char *dots[] = {"..", "....", ".....", "........."};
    for (int step = 0; step < 5; ++step) {
        DeviceLink::waitWithEvents(kEraseWaitsMs[step]);
        if (step < 4)
            view.setMainText(text.arg(QLatin1String(dots[step])));
    }
}

bool streamImage(DeviceLink &link, const QByteArray &image, FlashView &view)
{
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(image.constData());
    const std::size_t length = std::size_t(image.size());
    const QString progress = QStringLiteral("%1/%2") + flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", " bytes sent."));
    // The pauses follow one schedule: each ends 4 ms after the one before, so a late
    // wake-up shortens the next pause instead of adding up over thousands of chunks.
    // After a stall the chunks still come no closer than kMinimumChunkPauseMs.
    linkclock::Milliseconds pauseEnd = linkclock::nowMs();
    for (std::size_t sent = 0; sent < length;) {
        const std::size_t n = std::min(wire::kFirmwareChunkSize, length - sent);
        if (!link.sendFirmwareChunk(sent == 0, bytes + sent, n)) {
            view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Unable to send Veltrane flash file to the board. Troubleshooting instructions: If you are using a USB hub, retry firmware update when Veltrane is connected directly to the PC. Also try with shorter USB cable or without an extension cable if you are using one.")),
                             true);
            qDebug() << "sending file failed";
            return false;
        }
        QCoreApplication::processEvents();
        sent += n;
        view.setProgressText(progress.arg(sent).arg(length));
        pauseEnd = std::max(pauseEnd + kChunkPauseMs, linkclock::nowMs() + kMinimumChunkPauseMs);
        DeviceLink::waitUntilWithEvents(pauseEnd);
    }
    return true;
}

} // namespace

bool flashFirmware(DeviceLink &link, const QString &imagePath, FlashView &view)
{
    view.beginFlash();
    QCoreApplication::processEvents();

    // The whole image is read and checked before the base is erased.
    const FirmwareImage image = readFirmwareImage(imagePath);
    if (!image.usable()) {
        view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Unable to open Veltrane flash file.")));
        qDebug() << "Opening flash file failed";
        qDebug() << image.error;
        return false;
    }

    view.setTitle(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Updating firmware")));
    view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Unlocking and erasing program flash memory.")));
    QCoreApplication::processEvents();

    if (!link.sendUnlockErase()) {
        view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Sending command failed")));
        qDebug() << "could not send unlock command to device";
        return false;
    }
    waitForErase(view);

    const auto *bytes = reinterpret_cast<const std::uint8_t *>(image.bytes.constData());
    const auto length = std::uint32_t(image.bytes.size());
    const std::uint32_t crc = wire::crc32(bytes, length);
    view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Firmware upload progress")));
    view.setProgressVisible(true);

    if (!streamImage(link, image.bytes, view))
        return false;

    view.setProgressVisible(false);
    view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Verifying... this should take around 5 seconds.")));
    qDebug() << "verifying update";
    DeviceLink::waitWithEvents(kVerifyRequestDelayMs);
    // A failed write takes the link down; the status poll below then reports the failure.
    link.sendVerifyRequest(crc, length);
    for (int wait : kVerifyWaitsMs)
        DeviceLink::waitWithEvents(wait);

    link.forgetBootloaderCrc();
    for (int poll = 0; poll < kCrcPolls; ++poll) {
        if (!link.askVeltraneBootloaderStatusNew()) {
            qDebug() << "firmware update failed - could not request crc32 for verification";
            failWithCancel(view);
            return false;
        }
        DeviceLink::waitWithEvents(kCrcPollIntervalMs);
        if (link.bootloaderCrc() != 0)
            break;
    }
    if (link.bootloaderCrc() == 0) {
        failWithCancel(view);
        return false;
    }

    if (link.bootloaderCrc() != crc) {
        view.setMainText(flasherText(QT_TRANSLATE_NOOP("fwupdatewizard_updateconfirm", "Veltrane returned wrong checksum from received data, causing the firmware update to fail.")));
        qDebug() << "wrong checksum";
        view.showFailureButtons();
        qDebug() << "firmware update unsuccesfull (crc32 did not match)";
        return false;
    }

    // Success only once the base was told to start the new firmware.
    if (!link.startApplication()) {
        qDebug() << "could not send the start command";
        failWithCancel(view);
        return false;
    }
    view.showSuccessButtons();
    // The normal link is down: this only logs its failure.
    link.WriteNOP();
    link.disconnectDevice();
    qDebug() << "firmware update succesfull";
    return true;
}
