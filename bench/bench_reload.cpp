// Time of the tick that connects to a zero-latency virtual base and runs the reload
// sequence, divided by the waits that sequence mandates. Goal: at most 1.05.

#include "devicelink.h"
#include "mw2.h"
#include "virtualbase.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// 500 after connecting, 200 before the firmware check, 20 after the profiles,
// 100 after them, 100 after the hardware settings, 5 after each of 21 analog records.
constexpr double kMandatedWaitsMs = 500 + 200 + 20 + 100 + 100 + 21 * 5;
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    setStandardOutputSink([](const char *) {});

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        basesim::BaseConfig config;
        config.startOperational = true;
        basesim::VirtualBase base(config);
        hid::setBackend(&base);
        deviceLink() = DeviceLink{};
        MW2 window("1.0.15", "2020.1", 0);

        QElapsedTimer timer;
        timer.start();
        window.statusUpdate();
        const double elapsedMs = timer.nsecsElapsed() / 1e6;
        if (!deviceLink().connected || !window.firstConnectionDone()) {
            std::fprintf(stderr, "reload did not complete\n");
            return 1;
        }
        ratios.push_back(elapsedMs / kMandatedWaitsMs);
        disconnectDevice();
        hid::setBackend(nullptr);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("reload time / mandated waits (%.0f ms): min %.4f median %.4f max %.4f over %d runs\n",
                kMandatedWaitsMs, ratios.front(), ratios[ratios.size() / 2], ratios.back(), runs);
    return 0;
}
