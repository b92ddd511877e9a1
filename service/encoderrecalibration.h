#pragma once
// The encoder recalibration: the drive forgets its commutation offset, restarts and
// measures a new one, then keeps it as the absolute encoder's. About 25 seconds of waits
// between drive parameter reads and writes; every step reports a line of text.

#include "device/devicelink.h"

#include <QString>

#include "device/wire/driveaddresses.h"

#include <functional>

namespace service {

// Drive parameter addresses the procedure uses.
namespace driveaddress = wire::drive;
using wire::drive::kInitSourceAbsoluteEncoder;
using wire::drive::kInitSourceNone;
using wire::drive::kStatusWordEstopBit;
constexpr int kEstopPollRounds = 1000;
constexpr int kEstopReleasedSettleMs = 100;
constexpr int kFirstRestartSeconds = 15;
constexpr int kFinalRestartSeconds = 10;
// Hardware settings word of the peak current limit, in milliamperes.
constexpr std::size_t kPeakCurrentWord = 10;

// Waits `ms` milliseconds on the link clock while serving the event loop, so the window
// stays live.
void waitServingEvents(int ms);

class EncoderRecalibration {
public:
    using Report = std::function<void(const QString &line)>;
    using Wait = std::function<void(int ms)>;

    EncoderRecalibration(DeviceLink &link, Report report, Wait wait = waitServingEvents);

    // Runs the whole procedure; true when it reached "Process finished.". A failure reports
    // its line and ends the run without undoing earlier writes.
    bool run();

private:
    bool readState(wire::DriveParameterFrame &frame);
    bool write(std::initializer_list<std::pair<std::uint16_t, std::int32_t>> parameters);
    void waitSeconds(int seconds);

    DeviceLink &link_;
    Report report_;
    Wait wait_;
};

} // namespace service
