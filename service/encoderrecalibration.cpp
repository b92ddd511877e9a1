#include "service/encoderrecalibration.h"

#include "device/hid/clock.h"

#include <QCoreApplication>

namespace service {
namespace {

using namespace driveaddress;

constexpr wire::DriveAddresses kStateAddresses{StatusWord, FaultActive, CommutationInitSource, CommutationOffset,
                                               FaultLocation, UniqueId, SerialNumber, 0, 0};

// The reply names the addresses it answers; a value is taken only from its own slot.
std::int32_t valueAt(const wire::DriveParameterFrame &frame, std::uint16_t address)
{
    for (std::size_t slot = 0; slot < wire::kDriveParameterSlots; ++slot) {
        if (frame.address(slot) == address)
            return frame.value(slot);
    }
    return 0;
}

bool answersAll(const wire::DriveParameterFrame &reply, const wire::DriveAddresses &asked)
{
    for (std::size_t slot = 0; slot < asked.size() && asked[slot] != 0; ++slot) {
        if (reply.address(slot) != asked[slot])
            return false;
    }
    return true;
}

} // namespace

void waitServingEvents(int ms)
{
    // Measured against the clock rather than counted in sleeps, so slow sleeps do not
    // stretch the drive's restart waits.
    const linkclock::Stopwatch watch;
    while (watch.elapsedMs() < ms) {
        QCoreApplication::processEvents();
        linkclock::sleepMs(1);
    }
}

EncoderRecalibration::EncoderRecalibration(DeviceLink &link, Report report, Wait wait)
    : link_(link), report_(std::move(report)), wait_(std::move(wait))
{
}

bool EncoderRecalibration::readState(wire::DriveParameterFrame &frame)
{
    frame = wire::driveParameterRequest(kStateAddresses);
    if (!link_.requestDriveParameters(frame)) {
        report_(QStringLiteral("Error: Parameter request failed"));
        return false;
    }
    wait_(kDriveParameterSettleMs);
    if (!link_.requestReadDriveParameters(frame) || !answersAll(frame, kStateAddresses)) {
        report_(QStringLiteral("Error: Parameter read failed"));
        return false;
    }
    return true;
}

bool EncoderRecalibration::write(std::initializer_list<std::pair<std::uint16_t, std::int32_t>> parameters)
{
    wire::DriveParameterFrame frame;
    std::size_t slot = 0;
    for (const auto &parameter : parameters) {
        frame.setAddress(slot, parameter.first);
        frame.setValue(slot, parameter.second);
        ++slot;
    }
    return link_.writeDriveParameters(frame);
}

// One line after each full second but the last, which the caller follows with its own.
void EncoderRecalibration::waitSeconds(int seconds)
{
    for (int second = 1; second <= seconds; ++second) {
        wait_(1000);
        if (second < seconds)
            report_(QStringLiteral("Waited %1 seconds").arg(second));
    }
}

bool EncoderRecalibration::run()
{
    if (link_.status().operatingMode != wire::ModeOperational) {
        report_(QStringLiteral("Error: System not operational"));
        return false;
    }
    // Parameter 411 is written from this copy: a limit never read would leave the drive
    // without any power.
    const auto peakCurrent = static_cast<std::int32_t>(link_.hardwareSettings().word[kPeakCurrentWord]);
    if (peakCurrent <= 0) {
        report_(QStringLiteral("Error: The peak current limit of the hardware settings is not known, so the "
                               "drive's maximum power cannot be restored. Nothing was changed; reconnect the "
                               "base and try again."));
        return false;
    }

    wire::DriveParameterFrame frame;
    if (!readState(frame))
        return false;

    if (valueAt(frame, StatusWord) & kStatusWordEstopBit) {
        report_(QStringLiteral("Error: E-stop is pressed."));
        report_(QStringLiteral("Waiting 10 seconds for E-stop to be released."));
        bool released = false;
        for (int round = 0; round < kEstopPollRounds && !released; ++round) {
            if (!readState(frame))
                return false;
            released = !(valueAt(frame, StatusWord) & kStatusWordEstopBit);
        }
        if (!released) {
            report_(QStringLiteral("Error: E-stop not released in 10 seconds."));
            return false;
        }
        wait_(kEstopReleasedSettleMs);
    }

    if (!readState(frame))
        return false;
    if (valueAt(frame, FaultActive) != 0) {
        report_(QStringLiteral("Error: Drive at fault: FAULTS:%1 FAULT LOCATION ID: %2 Serial NR: %3")
                    .arg(valueAt(frame, StatusWord))
                    .arg(valueAt(frame, FaultLocation))
                    .arg(valueAt(frame, SerialNumber)));
        return false;
    }
    report_(QStringLiteral("Previous offset value: %1 Serial NR: %2 UID NR: %3")
                .arg(valueAt(frame, CommutationOffset))
                .arg(valueAt(frame, SerialNumber))
                .arg(valueAt(frame, UniqueId)));

    report_(QStringLiteral("Setting commutation init source"));
    if (!write({{CommutationInitSource, kInitSourceNone}})) {
        report_(QStringLiteral("Error: Setting commutation init source failed."));
        return false;
    }
    wait_(kDriveParameterSettleMs);

    report_(QStringLiteral("Resetting default maximum power and saving settings"));
    report_(QStringLiteral("Restarting drive and waiting for 15 seconds"));
    if (!write({{MaximumPower, peakCurrent}, {SaveAndRestart, 1}})) {
        report_(QStringLiteral("Error: Save settings command failed."));
        return false;
    }
    waitSeconds(kFirstRestartSeconds);

    report_(QStringLiteral("requesting new offset"));
    const wire::DriveAddresses offsetOnly{CommutationOffset, 0, 0, 0, 0, 0, 0, 0, 0};
    frame = wire::driveParameterRequest(offsetOnly);
    const bool requested = link_.requestDriveParameters(frame);
    // The same settle as every other read: the base needs it to ask the drive.
    if (requested)
        wait_(kDriveParameterSettleMs);
    if (!requested || !link_.requestReadDriveParameters(frame) || !answersAll(frame, offsetOnly)) {
        report_(QStringLiteral("Error: Parameter read failed"));
        return false;
    }
    report_(QStringLiteral("New offset calibration value: %1").arg(valueAt(frame, CommutationOffset)));

    report_(QStringLiteral("Setting init source = absolute encoder and saving"));
    if (!write({{CommutationInitSource, kInitSourceAbsoluteEncoder}, {MaximumPower, peakCurrent}, {SaveAndRestart, 1}})) {
        report_(QStringLiteral("Error: Set parameters command failed."));
        return false;
    }

    report_(QStringLiteral("Waiting for final restart"));
    waitSeconds(kFinalRestartSeconds);
    report_(QStringLiteral("Process finished."));
    return true;
}

} // namespace service
