// Flashing the built-in image into the virtual base's bootloader on the real clock,
// divided by the waits the flashing must make at least: 2800 ms erase, 4 ms after each of
// the 5120 chunks, 10 + 1000 + 5000 ms around the verify request and 1000 ms after the
// first status poll (30290 ms). Prints each run's ratio and the median; the labels of a
// window are updated as in the wizard, offscreen.

#include "basesim/virtualbase.h"
#include "device/devicelink.h"
#include "firmware/firmwareflasher.h"
#include "session/includedfirmware.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kMandatedMs = 2800 + 5120 * 4 + 10 + 1000 + 5000 + 1000;

class LabelView final : public FlashView {
public:
    void beginFlash() override {}
    void setTitle(const QString &title) override { title_.setText(title); }
    void setMainText(const QString &text, bool wordWrap) override
    {
        marks.push_back({text.left(24), clock.nsecsElapsed() / 1e6});
        main_.setText(text);
        main_.setWordWrap(wordWrap);
    }
    void setProgressVisible(bool visible) override { progress_.setVisible(visible); }
    void setProgressText(const QString &text) override { progress_.setText(text); }
    void showFailureButtons() override {}
    void showSuccessButtons() override {}

    // When each step began, for the breakdown.
    std::vector<std::pair<QString, double>> marks;
    QElapsedTimer clock;

private:
    QLabel title_;
    QLabel main_;
    QLabel progress_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        basesim::BaseConfig config;
        config.inBootloader = true;
        basesim::VirtualBase base(config);
        DeviceLink link(base);
        link.setStandardOutputSink([](const char *) {});
        if (!link.openUpdateMode()) {
            std::fprintf(stderr, "the virtual bootloader was not found\n");
            return 1;
        }
        LabelView view;
        QElapsedTimer timer;
        timer.start();
        view.clock.start();
        const bool ok = flashFirmware(link, QLatin1String(kIncludedFirmwareImage), view);
        const double elapsedMs = timer.nsecsElapsed() / 1e6;
        if (!ok) {
            std::fprintf(stderr, "flashing failed\n");
            return 1;
        }
        ratios.push_back(elapsedMs / kMandatedMs);
        for (std::size_t i = 0; i < view.marks.size(); ++i) {
            const double end = i + 1 < view.marks.size() ? view.marks[i + 1].second : elapsedMs;
            std::printf("  %-24s %8.1f ms\n", qPrintable(view.marks[i].first), end - view.marks[i].second);
        }
        std::printf("run %d: %.0f ms, ratio %.4f\n", run + 1, elapsedMs, ratios.back());
        std::fflush(stdout);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("flash built-in image: median ratio %.4f over %d runs (goal at most 1.03)\n",
                ratios[ratios.size() / 2], runs);
    return 0;
}
