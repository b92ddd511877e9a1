// Time of the tick that connects to a zero-latency virtual base and runs the reload
// sequence, divided by the waits that sequence mandates. Goal: at most 1.05.

#include "session/basesession.h"
#include "bench/benchsettings.h"
#include "device/devicelink.h"
#include "common/widgets/desktopprompts.h"
#include "ui/mw2.h"
#include "basesim/virtualbase.h"

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
    const BenchSettings settings;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        basesim::BaseConfig config;
        config.startOperational = true;
        basesim::VirtualBase base(config);
        // A fresh session per run; its timers stay still, the one tick is driven by hand.
        BaseSession session(base, SessionOptions{QStringLiteral("1.0.15"), 0});
        DeviceLink &link = session.link();
        link.setStandardOutputSink([](const char *) {});
        DesktopPrompts prompts;
        MW2 window(session, prompts, "1.0.15", "2020.1");

        QElapsedTimer timer;
        timer.start();
        session.statusTick();
        const double elapsedMs = timer.nsecsElapsed() / 1e6;
        if (!link.connected() || !session.firstConnectionDone()) {
            std::fprintf(stderr, "reload did not complete\n");
            return 1;
        }
        ratios.push_back(elapsedMs / kMandatedWaitsMs);
        link.disconnectDevice();
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("reload time / mandated waits (%.0f ms): min %.4f median %.4f max %.4f over %d runs\n",
                kMandatedWaitsMs, ratios.front(), ratios[ratios.size() / 2], ratios.back(), runs);
    return 0;
}
