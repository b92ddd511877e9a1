// One whole wheel tick as the window pays for it: the game report read from the virtual
// base, the presentation update and every repaint it causes, until the events it posted
// (the repaints and the flush of the window's backing store) are processed. The window is
// shown and in front on the Overview tab; the virtual base turns its wheel and works its
// pedals. Printed as CPU time per tick divided by the 40 ms frame; medians of several runs.
// Offscreen unless QT_QPA_PLATFORM says otherwise: the X server's share is not in it
// (bench_live_window measures the whole). The window wears the program's theme and frame.
//
// Usage: bench_wheel_ui [ticks=250] [runs=5] [--paints]
//   --paints  also lists which widgets painted how often over the measured ticks and the
//             CPU time their paint events took, so a repaint that spreads beyond what
//             changed, or a costly one, can be found.

#include "common/identity/appinfo.h"
#include "app/framelesswindow.h"
#include "basesim/virtualbase.h"
#include "bench/benchfigures.h"
#include "bench/benchsettings.h"
#include "device/devicelink.h"
#include "session/basesession.h"
#include "ui/mw2.h"
#include "common/widgets/desktopprompts.h"
#include "common/widgets/theme.h"

#include <QApplication>
#include <QMap>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr double kFrameMs = 40.0;

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Paint events per widget, named by class and object name, with the CPU time each took.
class PaintTimingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool counting = false;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!counting || event->type() != QEvent::Paint)
            return QApplication::notify(receiver, event);
        const double start = threadCpuMs();
        const bool result = QApplication::notify(receiver, event);
        Tally &tally = tallies_[QString::fromLatin1(receiver->metaObject()->className()) + QLatin1Char(' ')
                                + receiver->objectName()];
        ++tally.count;
        tally.ms += threadCpuMs() - start;
        return result;
    }
    void print(int ticks) const
    {
        std::vector<std::pair<double, QString>> sorted;
        for (auto it = tallies_.cbegin(); it != tallies_.cend(); ++it)
            sorted.emplace_back(it.value().ms, QStringLiteral("%1 paints  %2").arg(it.value().count, 6).arg(it.key()));
        std::sort(sorted.rbegin(), sorted.rend());
        std::printf("paint events over %d ticks (CPU ms per tick, count, widget):\n", ticks);
        for (const auto &[ms, line] : sorted)
            std::printf("  %7.4f  %s\n", ms / ticks, qPrintable(line));
    }

private:
    struct Tally {
        int count = 0;
        double ms = 0;
    };
    QMap<QString, Tally> tallies_;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PaintTimingApplication app(argc, argv);
    applyTheme(app, QLatin1String(appinfo::styleSheetResource));
    const BenchSettings settings;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const int ticks = argc > 1 ? std::max(25, std::atoi(argv[1])) : 250;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const bool listPaints = argc > 3 && std::strcmp(argv[3], "--paints") == 0;

    basesim::BaseConfig config;
    config.startOperational = true;
    basesim::VirtualBase base(config);
    BaseSession session(base, SessionOptions{QStringLiteral("1.0.15"), 0});
    DeviceLink &link = session.link();
    link.setStandardOutputSink([](const char *) {});
    DesktopPrompts prompts;
    FramelessWindow frame;
    MW2 window(session, prompts, "1.0.15", "2020.1");
    frame.setContent(&window);
    frame.show();
    frame.activateWindow();
    // Connect and reload, then one refresh fills the controls; the session's own timers
    // stay still, the ticks are driven by hand.
    session.statusTick();
    session.statusTick();
    session.stopPolling();
    if (!link.connected()) {
        std::fprintf(stderr, "could not connect to the virtual base\n");
        return 1;
    }
    QCoreApplication::processEvents();

    app.counting = listPaints;
    std::vector<double> perTick;
    for (int run = 0; run < runs; ++run) {
        double cpuMs = 0;
        for (int tick = 0; tick < ticks; ++tick) {
            QThread::msleep(static_cast<unsigned long>(kFrameMs)); // the wheel moves on in real time
            const double start = threadCpuMs();
            session.wheelTick();
            QCoreApplication::processEvents();
            cpuMs += threadCpuMs() - start;
        }
        perTick.push_back(cpuMs / ticks);
        std::printf("run %d: %.3f ms CPU per wheel tick = %.4f of the %.0f ms frame\n", run + 1, perTick.back(),
                    perTick.back() / kFrameMs, kFrameMs);
    }
    if (listPaints)
        app.print(ticks * runs);
    const double ms = benchfigures::median(perTick);
    std::printf("whole wheel tick with its repaints, wheel and pedals moving, window in front: median %.3f ms = "
                "%.4f of the %.0f ms frame (%d runs of %d ticks; window %s)\n",
                ms, ms / kFrameMs, kFrameMs, runs, ticks, window.isActiveWindow() ? "active" : "NOT active");
    link.disconnectDevice();
    return 0;
}
