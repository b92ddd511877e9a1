// What the live plots cost to draw, our painter against a chart from the Qt Charts module
// of the same size, fed the same way: a wheel sample every 40 ms (a swinging wheel, pedals
// working, effects coming and going with the 1 s status tick), a frame at most every 100 ms
// of it, drawn in the same turn as the sample. Each
// runs as a process of its own on a real X11 display (its own Xvfb, the xcb platform); its
// CPU seconds per wall second are measured after a settling time, medians of several runs,
// against the same process showing a window with no plot.
//
// Usage: bench_plots [runs=3] [seconds=15]. Starts its own Xvfb through xvfb-run.

#include "bench/benchfigures.h"
#include "plots/plotmodel.h"
#include "plots/plotview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using benchfigures::kUnderXvfb;
using benchfigures::median;
constexpr int kSampleIntervalMs = 40;
constexpr int kStatusIntervalMs = 1000;
constexpr int kSettleMs = 3000;

double ownCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The synthetic base: what the session would put into the record, on the same timers.
class Feed : public QObject {
public:
    Feed(plots::PlotModel &model, std::function<void()> grew) : model_(model), grew_(std::move(grew))
    {
        clock_.start();
        connect(&sampleTimer_, &QTimer::timeout, this, [this] {
            const qint64 t = clock_.elapsed() + 1;
            const double s = double(t) / 1000.0;
            const float throttle = float(50.0 + 50.0 * std::sin(s * 1.3));
            model_.addWheelSample(t, float(120.0 * std::sin(s * 0.8)), {100.0f - throttle, throttle, 20.0f});
            grew_();
        });
        connect(&statusTimer_, &QTimer::timeout, this, [this] {
            ++status_;
            model_.setEffectsPlaying((status_ % 3 ? 1u << 11 : 0u) | (status_ % 2 ? 1u << 3 : 0u) | 1u);
        });
        sampleTimer_.start(kSampleIntervalMs);
        statusTimer_.start(kStatusIntervalMs);
    }

private:
    plots::PlotModel &model_;
    std::function<void()> grew_;
    QElapsedTimer clock_;
    QTimer sampleTimer_;
    QTimer statusTimer_;
    int status_ = 0;
};

// The same lanes as our painter, as one chart: every series scaled into its lane's band of
// a single value axis, redrawn from the record at every frame.
class ChartPanel : public QtCharts::QChartView {
public:
    explicit ChartPanel(const plots::PlotModel &model) : model_(model)
    {
        using namespace QtCharts;
        auto *chart = new QChart;
        chart->legend()->hide();
        chart->setMargins(QMargins(0, 0, 0, 0));
        chart->setBackgroundRoundness(0);
        chart->setAnimationOptions(QChart::NoAnimation);
        axisX_ = new QValueAxis;
        axisY_ = new QValueAxis;
        axisY_->setRange(0, kLanes);
        axisX_->setLabelsVisible(false);
        axisY_->setLabelsVisible(false);
        chart->addAxis(axisX_, Qt::AlignBottom);
        chart->addAxis(axisY_, Qt::AlignLeft);
        for (int i = 0; i < kLines; ++i) {
            lines_[i] = new QLineSeries;
            chart->addSeries(lines_[i]);
            lines_[i]->attachAxis(axisX_);
            lines_[i]->attachAxis(axisY_);
        }
        for (int type = 0; type < plots::kEffectTypeCount; ++type) {
            bandTops_[type] = new QLineSeries;
            bandBottoms_[type] = new QLineSeries;
            auto *area = new QAreaSeries(bandTops_[type], bandBottoms_[type]);
            chart->addSeries(area);
            area->attachAxis(axisX_);
            area->attachAxis(axisY_);
        }
        setChart(chart);
        setRenderHint(QPainter::Antialiasing, false);
        setFixedSize(plots::PlotView::kWidth, plots::PlotView::kHeight);
    }

    // As often as our painter draws: at most once per 100 ms of record time.
    void recordGrew()
    {
        if (model_.empty() || model_.newestMs() - shownNewestMs_ < plots::PlotView::kFrameIntervalMs)
            return;
        shownNewestMs_ = model_.newestMs();
        frame();
    }

private:
    static constexpr int kLines = 5;
    static constexpr int kLanes = kLines + plots::kEffectTypeCount;

    void frame()
    {
        if (model_.empty())
            return;
        const qint64 newest = model_.newestMs();
        std::vector<QVector<QPointF>> lines(kLines);
        std::vector<QVector<QPointF>> tops(plots::kEffectTypeCount);
        std::vector<QVector<QPointF>> bottoms(plots::kEffectTypeCount);
        for (std::size_t i = 0; i < model_.size(); ++i) {
            const plots::PlotSample &s = model_.at(i);
            const double x = double(s.timeMs - newest) / 1000.0;
            const double values[kLines] = {s.angle / 240.0, std::isnan(s.speed) ? 0.0 : s.speed / 360.0,
                                           s.pedals[0] / 200.0 - 0.5, s.pedals[1] / 200.0 - 0.5,
                                           s.pedals[2] / 200.0 - 0.5};
            for (int line = 0; line < kLines; ++line)
                lines[std::size_t(line)].append(QPointF(x, kLanes - 0.5 - line + values[line] * 0.9));
            for (int type = 0; type < plots::kEffectTypeCount; ++type) {
                const double bottom = plots::kEffectTypeCount - 1 - type + 0.05;
                const bool playing = s.effectsPlaying & (1u << type);
                tops[std::size_t(type)].append(QPointF(x, playing ? bottom + 0.9 : bottom));
                bottoms[std::size_t(type)].append(QPointF(x, bottom));
            }
        }
        for (int line = 0; line < kLines; ++line)
            lines_[line]->replace(lines[std::size_t(line)]);
        for (int type = 0; type < plots::kEffectTypeCount; ++type) {
            bandTops_[type]->replace(tops[std::size_t(type)]);
            bandBottoms_[type]->replace(bottoms[std::size_t(type)]);
        }
        axisX_->setRange(-double(plots::kWindowMs) / 1000.0, 0.0);
    }

    const plots::PlotModel &model_;
    QtCharts::QValueAxis *axisX_ = nullptr;
    QtCharts::QValueAxis *axisY_ = nullptr;
    QtCharts::QLineSeries *lines_[kLines]{};
    QtCharts::QLineSeries *bandTops_[plots::kEffectTypeCount]{};
    QtCharts::QLineSeries *bandBottoms_[plots::kEffectTypeCount]{};
    qint64 shownNewestMs_ = 0;
};

// One variant in this process: shows it, lets it settle, prints CPU seconds per wall second.
int runVariant(int argc, char **argv)
{
    QApplication app(argc, argv);
    const std::string variant = argv[2];
    const int seconds = std::max(2, std::atoi(argv[3]));
    plots::PlotModel model;
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    std::function<void()> grew = [] {};
    if (variant == "ours") {
        auto *ours = new plots::PlotView;
        ours->setModel(&model);
        layout->addWidget(ours);
        grew = [ours] { ours->advance(); };
    } else if (variant == "charts") {
        auto *chart = new ChartPanel(model);
        layout->addWidget(chart);
        grew = [chart] { chart->recordGrew(); };
    } else {
        auto *empty = new QLabel(QStringLiteral("no plot"));
        empty->setFixedSize(plots::PlotView::kWidth, plots::PlotView::kHeight);
        layout->addWidget(empty);
    }
    Feed feed(model, grew);
    window.show();

    double before = 0.0;
    QElapsedTimer wall;
    QTimer::singleShot(kSettleMs, [&] {
        before = ownCpuSeconds();
        wall.start();
    });
    QTimer::singleShot(kSettleMs + seconds * 1000, [&] {
        std::printf("%.6f\n", (ownCpuSeconds() - before) / (double(wall.nsecsElapsed()) / 1e9));
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 3 && std::strcmp(argv[1], "--variant") == 0)
        return runVariant(argc, argv);
    if (!std::getenv(kUnderXvfb))
        return benchfigures::runUnderXvfb(argv, "1280x1024x24");

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int seconds = argc > 2 ? std::max(2, std::atoi(argv[2])) : 15;
    const char *variants[] = {"bare", "ours", "charts"};
    std::map<std::string, std::vector<double>> figures;
    for (int run = 1; run <= runs; ++run) {
        std::printf("run %d of %d (CPU seconds per wall second over %d s)\n", run, runs, seconds);
        for (const char *variant : variants) {
            QProcess child;
            child.setProcessChannelMode(QProcess::SeparateChannels);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--variant"), QLatin1String(variant), QString::number(seconds)});
            if (!child.waitForFinished((seconds + 30) * 1000) || child.exitCode() != 0) {
                std::fprintf(stderr, "the %s panel did not finish: %s\n", variant, child.readAllStandardError().constData());
                return 1;
            }
            const double value = child.readAllStandardOutput().trimmed().toDouble();
            std::printf("  %-8s %.5f\n", variant, value);
            std::fflush(stdout);
            figures[variant].push_back(value);
        }
    }
    const double bare = median(figures["bare"]);
    std::printf("\nmedians of %d runs, panel %d x %d, Xvfb with the xcb platform (resolution %.5f):\n", runs,
                plots::PlotView::kWidth, plots::PlotView::kHeight, 0.01 / seconds);
    std::printf("  %-28s %10s %12s\n", "", "CPU/wall", "minus bare");
    std::printf("  %-28s %10.5f %12s\n", "window without plot", bare, "-");
    std::printf("  %-28s %10.5f %12.5f\n", "our painter", median(figures["ours"]), median(figures["ours"]) - bare);
    std::printf("  %-28s %10.5f %12.5f\n", "Qt Charts panel", median(figures["charts"]),
                median(figures["charts"]) - bare);
    return 0;
}
