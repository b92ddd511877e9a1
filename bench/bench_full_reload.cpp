// A full read of every profile, the hardware settings and the 21 analog records from a
// virtual base whose USB link takes 1 ms each way, divided by what that link and the
// mandated pauses allow at best: exchanges x 2 ms + 5 ms after each analog record.
// Prints the ratio and the number of frames one full reload takes, and for scale the same
// ratio for the bare sleeps the simulated transit consists of (the floor this host's timer
// allows).

#include "device/hid/clock.h"
#include "device/devicelink.h"
#include "device/wire/profilerecord.h"
#include "basesim/virtualbase.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kTransitMs = 1;               // each way
constexpr int kAnalogRecordPauseMs = 5;     // the reload sequence's pause after each record

bool fullReload(DeviceLink &link, std::uint16_t profileCount)
{
    profDataNew profile;
    for (std::uint16_t index = 0; index < profileCount; ++index)
        if (!link.getProfileData(index, profile))
            return false;
    if (!link.getHardwareDataNew())
        return false;
    for (std::uint16_t index = 0; index < wire::kAnalogRecordCount; ++index) {
        if (!link.readAnalogRecord(index))
            return false;
        linkclock::sleepMs(kAnalogRecordPauseMs);
    }
    return true;
}

// The simulated link's own time: one sleep per direction per exchange, plus the pauses.
double sleepFloorMs(std::size_t exchanges)
{
    QElapsedTimer timer;
    timer.start();
    for (std::size_t i = 0; i < 2 * exchanges; ++i)
        linkclock::sleepMs(kTransitMs);
    for (int i = 0; i < wire::kAnalogRecordCount; ++i)
        linkclock::sleepMs(kAnalogRecordPauseMs);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> ratios;
    std::size_t frames = 0;
    double idealMs = 0;
    for (int run = 0; run < runs; ++run) {
        basesim::BaseConfig config;
        config.startOperational = true;
        basesim::VirtualBase base(config);
        base.faults().requestTransitMs = kTransitMs;
        base.faults().replyTransitMs = kTransitMs;
        // A fresh link per run: nothing the last run found carries over.
        DeviceLink link(base);
        link.setStandardOutputSink([](const char *) {});
        if (!link.connectDevice()) {
            std::fprintf(stderr, "could not connect to the virtual base\n");
            return 1;
        }
        base.clearReceivedFrames();

        QElapsedTimer timer;
        timer.start();
        const bool ok = fullReload(link, base.state().ram.profileCount);
        const double elapsedMs = timer.nsecsElapsed() / 1e6;
        if (!ok) {
            std::fprintf(stderr, "reload did not complete\n");
            return 1;
        }
        frames = base.receivedFrames().size();   // every frame of a reload is answered
        idealMs = double(frames) * 2 * kTransitMs + wire::kAnalogRecordCount * kAnalogRecordPauseMs;
        ratios.push_back(elapsedMs / idealMs);
        link.disconnectDevice();
    }
    std::vector<double> floors;
    for (int run = 0; run < runs; ++run)
        floors.push_back(sleepFloorMs(frames) / idealMs);
    std::sort(ratios.begin(), ratios.end());
    std::sort(floors.begin(), floors.end());
    std::printf("full reload: %zu frames (%zu exchanges), ideal %.0f ms\n", frames, frames, idealMs);
    std::printf("reload time / ideal: min %.4f median %.4f max %.4f over %d runs\n", ratios.front(),
                ratios[ratios.size() / 2], ratios.back(), runs);
    std::printf("bare sleeps / ideal: min %.4f median %.4f max %.4f\n", floors.front(), floors[floors.size() / 2],
                floors.back());
    return 0;
}
