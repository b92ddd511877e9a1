// The game watcher's cost per scan with 500 processes: the process table read from a
// folder laid out as /proc (500 numbered folders with comm and cmdline, every tenth a
// Proton command line) and matched against ten mapped games, none running, as the
// switcher does every 2 s against a connected virtual base. Prints the median of five
// runs of 200 scans, the share of a core it takes at one scan per 2 s, and for scale one
// read of this machine's own /proc.

#include "basesim/virtualbase.h"
#include "bench/benchsettings.h"
#include "games/gameswitcher.h"
#include "games/processtable.h"
#include "session/basesession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kProcesses = 500;
constexpr int kScansPerRun = 200;
constexpr int kRuns = 5;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool layOutProcesses(const QString &root)
{
    for (int i = 0; i < kProcesses; ++i) {
        const QString folder = root + QStringLiteral("/%1").arg(1000 + i);
        if (!QDir().mkpath(folder))
            return false;
        QByteArray comm = QByteArray("worker-") + QByteArray::number(i) + '\n';
        QByteArray cmdline = QByteArray("/usr/lib/worker-") + QByteArray::number(i) + '\0' + "--option=value" + '\0';
        if (i % 10 == 0) {
            comm = "wine64-preload\n";
            cmdline = QByteArray("/home/rider/.steam/steam/steamapps/common/Proton 8.0/dist/bin/wine64") + '\0'
                      + "c:\\windows\\system32\\steam.exe" + '\0' + "Z:\\games\\tool" + QByteArray::number(i)
                      + ".exe" + '\0';
        }
        if (!writeFile(folder + "/comm", comm) || !writeFile(folder + "/cmdline", cmdline))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BenchSettings settings;
    QTemporaryDir root;
    if (!root.isValid() || !layOutProcesses(root.path())) {
        std::fprintf(stderr, "could not lay out the process folders\n");
        return 1;
    }

    basesim::BaseConfig config;
    config.startOperational = true;
    basesim::VirtualBase base(config);
    BaseSession session(base, SessionOptions{QStringLiteral("1.0.15"), 0});
    session.statusTick();
    if (!session.link().connected()) {
        std::fprintf(stderr, "the virtual base did not connect\n");
        return 1;
    }
    games::ProcProcessTable table(root.path());
    games::GameSwitcher switcher(session, table);
    std::vector<games::GameMapping> mappings;
    for (int i = 0; i < 10; ++i)
        mappings.push_back({QStringLiteral("game%1.exe").arg(i), QStringLiteral("Profile %1").arg(i)});
    switcher.setMappings(mappings);

    std::vector<double> perScanMs;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kScansPerRun; ++i)
            switcher.scan();
        perScanMs.push_back(double(timer.nsecsElapsed()) / 1e6 / kScansPerRun);
    }
    std::sort(perScanMs.begin(), perScanMs.end());
    const double median = perScanMs[kRuns / 2];
    std::printf("game watcher, %d processes, 10 mapped games: median %.3f ms per scan (runs %.3f .. %.3f ms)\n",
                kProcesses, median, perScanMs.front(), perScanMs.back());
    std::printf("share of a core at one scan per %d ms: %.5f\n", games::GameSwitcher::kScanIntervalMs,
                median / games::GameSwitcher::kScanIntervalMs);

    QElapsedTimer own;
    own.start();
    const std::size_t count = games::ProcProcessTable().processes().size();
    std::printf("this machine's /proc: %zu processes read in %.3f ms\n", count, double(own.nsecsElapsed()) / 1e6);
    return 0;
}
