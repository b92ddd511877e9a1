// CPU time of the whole process while connected and idle (status every second, wheel
// every 40 ms) divided by wall time. Goal: at most 0.02. Idle means a base at rest on the
// desk: wheel, pedals and buttons still. With "moving" as the third argument the virtual
// base turns its wheel and works its pedals instead, for comparison.

#include "session/basesession.h"
#include "bench/benchsettings.h"
#include "device/devicelink.h"
#include "common/widgets/desktopprompts.h"
#include "ui/mw2.h"
#include "basesim/virtualbase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchSettings settings;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    const int seconds = argc > 1 ? std::max(2, atoi(argv[1])) : 10;
    const int latencyMs = argc > 2 ? atoi(argv[2]) : 2;
    const bool moving = argc > 3 && std::strcmp(argv[3], "moving") == 0;

    basesim::BaseConfig config;
    config.startOperational = true;
    basesim::VirtualBase base(config);
    base.faults().replyLatencyMs = latencyMs; // a real base answers within a few milliseconds
    if (!moving) {
        base.state().holdWheel(0x8000);
        base.state().inputs.heldAxes = std::array<std::uint16_t, 7>{};
        base.state().inputs.heldButtons = std::array<std::uint32_t, 4>{};
    }
    BaseSession session(base, SessionOptions{QStringLiteral("1.0.15"), 0});
    DeviceLink &link = session.link();
    link.setStandardOutputSink([](const char *) {});
    DesktopPrompts prompts;
    MW2 window(session, prompts, "1.0.15", "2020.1");
    window.show();
    session.start();

    // Connect and reload first; measure only the steady state after it.
    session.statusTick();
    if (!link.connected()) {
        std::fprintf(stderr, "could not connect to the virtual base\n");
        return 1;
    }
    const double cpuStart = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = processCpuSeconds() - cpuStart;
    const double wallSeconds = wall.nsecsElapsed() / 1e9;
    std::printf("%s CPU / wall over %.1f s (reply latency %d ms, window %s): %.4f (connected: %s)\n",
                moving ? "moving wheel" : "idle", wallSeconds, latencyMs,
                window.isActiveWindow() ? "active" : "in the background", cpu / wallSeconds,
                link.connected() ? "yes" : "no");
    session.stopPolling();
    link.disconnectDevice();
    return 0;
}
