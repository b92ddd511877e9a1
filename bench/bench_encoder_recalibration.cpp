// The encoder recalibration against a virtual base whose USB link takes 1 ms each way, on
// the real clock with the event loop served in every wait, divided by the 25030 ms of
// waits the procedure mandates. Prints each run, then min, median and max.

#include "basesim/virtualbase.h"
#include "device/devicelink.h"
#include "service/encoderrecalibration.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr int kTransitMs = 1;            // each way
constexpr double kMandatedMs = 25030.0;  // 3 x 10 ms, 15 s and 10 s of restarts
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        basesim::BaseConfig config;
        config.startOperational = true;
        basesim::VirtualBase base(config);
        base.faults().requestTransitMs = kTransitMs;
        base.faults().replyTransitMs = kTransitMs;
        DeviceLink link(base);
        link.setStandardOutputSink([](const char *) {});
        bool valid = false;
        if (!link.connectDevice() || !link.askVeltraneStatusNew(valid) || !valid || !link.getHardwareDataNew()) {
            std::fprintf(stderr, "could not connect to the virtual base\n");
            return 1;
        }
        QString last;
        service::EncoderRecalibration procedure(link, [&last](const QString &line) { last = line; });

        QElapsedTimer timer;
        timer.start();
        const bool ok = procedure.run();
        const double elapsedMs = timer.nsecsElapsed() / 1e6;
        if (!ok) {
            std::fprintf(stderr, "recalibration stopped: %s\n", qPrintable(last));
            return 1;
        }
        ratios.push_back(elapsedMs / kMandatedMs);
        std::printf("run %d: %.0f ms, ratio %.4f\n", run + 1, elapsedMs, ratios.back());
        std::fflush(stdout);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("recalibration time / 25030 ms: min %.4f median %.4f max %.4f over %d runs\n", ratios.front(),
                ratios[ratios.size() / 2], ratios.back(), runs);
    return 0;
}
