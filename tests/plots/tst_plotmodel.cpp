// The live plots' record: what stays in the ring and the window, the speed it derives,
// where effects played, what a wheel sample plots as, and the CSV of it.

#include "plots/plotcsv.h"
#include "plots/plotmodel.h"
#include "plots/wheelplot.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>
#include <optional>

using plots::PlotModel;

namespace {

const std::array<float, plots::kPedalCount> kNoPedals{0.0f, 0.0f, 0.0f};

QList<qint64> times(const PlotModel &model)
{
    QList<qint64> out;
    for (std::size_t i = 0; i < model.size(); ++i)
        out << model.at(i).timeMs;
    return out;
}

} // namespace

class TestPlotModel : public QObject {
    Q_OBJECT

private slots:
    void keepsTheNewestWithinRingAndWindow_data();
    void keepsTheNewestWithinRingAndWindow();
    void speedFromSuccessiveSamples();
    void noSpeedOrJoinAcrossAGap();
    void refusesTimeGoingBack();
    void effectSpans();
    void wheelSamplePlotsAs_data();
    void wheelSamplePlotsAs();
    void csvContent();
    void csvUnwritablePathSaysWhy();
};

void TestPlotModel::keepsTheNewestWithinRingAndWindow_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QList<qint64>>("added");
    QTest::addColumn<QList<qint64>>("kept");

    QTest::newRow("ring wraps, oldest go") << 4 << QList<qint64>{10, 20, 30, 40, 50, 60} << QList<qint64>{30, 40, 50, 60};
    QTest::newRow("ring wraps twice") << 3 << QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8} << QList<qint64>{6, 7, 8};
    QTest::newRow("exactly ten seconds stays")
        << 100 << QList<qint64>{1000, 5000, 11000} << QList<qint64>{1000, 5000, 11000};
    QTest::newRow("older than ten seconds goes")
        << 100 << QList<qint64>{1000, 5000, 11001} << QList<qint64>{5000, 11001};
    QTest::newRow("a long pause leaves only the newest")
        << 100 << QList<qint64>{0, 40, 80, 60000} << QList<qint64>{60000};
    QTest::newRow("window trims after a wrap") << 3 << QList<qint64>{0, 4000, 8000, 12000, 20000}
                                               << QList<qint64>{12000, 20000};
}

void TestPlotModel::keepsTheNewestWithinRingAndWindow()
{
    QFETCH(int, capacity);
    QFETCH(QList<qint64>, added);
    QFETCH(QList<qint64>, kept);
    PlotModel model{std::size_t(capacity)};
    for (const qint64 t : added)
        QVERIFY(model.addWheelSample(t, float(t) / 100.0f, kNoPedals));
    QCOMPARE(times(model), kept);
    QCOMPARE(model.newestMs(), added.last());
    QCOMPARE(model.at(model.size() - 1).angle, float(added.last()) / 100.0f);
    QCOMPARE(model.firstAtOrAfter(kept.first()), std::size_t(0));
    QCOMPARE(model.firstAtOrAfter(added.last() + 1), model.size());
}

void TestPlotModel::speedFromSuccessiveSamples()
{
    // A ring of three, so the speeds are worked out across its end again and again.
    PlotModel model(3);
    const float angles[] = {0.0f, 2.0f, 6.0f, 5.0f, 5.0f, -15.0f, -15.0f};
    const qint64 steps[] = {0, 40, 40, 20, 40, 200, 100};
    qint64 t = 1000;
    for (std::size_t i = 0; i < std::size(angles); ++i) {
        t += steps[i];
        QVERIFY(model.addWheelSample(t, angles[i], kNoPedals));
    }
    QCOMPARE(model.size(), std::size_t(3));
    QCOMPARE(model.at(0).speed, 0.0f);   // 5 -> 5 over 40 ms
    QCOMPARE(model.at(1).speed, -100.0f); // 5 -> -15 over 200 ms
    QCOMPARE(model.at(2).speed, 0.0f);
    QVERIFY(!model.at(2).gapBefore);
    QCOMPARE(model.peakSpeed(), 100.0f);
    QCOMPARE(model.peakAngle(), 15.0f);
}

void TestPlotModel::noSpeedOrJoinAcrossAGap()
{
    PlotModel model;
    QCOMPARE(model.peakSpeed(), 0.0f);
    model.addWheelSample(0, 0.0f, kNoPedals);
    QVERIFY(model.at(0).gapBefore);
    QVERIFY(std::isnan(model.at(0).speed));

    // Ticks missed for longer than the gap: the line breaks and no speed is made up.
    model.addWheelSample(plots::kGapMs + 1, 90.0f, kNoPedals);
    QVERIFY(model.at(1).gapBefore);
    QVERIFY(std::isnan(model.at(1).speed));
    model.addWheelSample(plots::kGapMs + 41, 92.0f, kNoPedals);
    QCOMPARE(model.at(2).speed, 50.0f);

    // The connection lost between two ticks that are close together.
    model.markGap();
    model.addWheelSample(plots::kGapMs + 81, -90.0f, kNoPedals);
    QVERIFY(model.at(3).gapBefore);
    QVERIFY(std::isnan(model.at(3).speed));
    model.addWheelSample(plots::kGapMs + 121, -90.0f, kNoPedals);
    QCOMPARE(model.at(4).speed, 0.0f);
    QCOMPARE(model.peakSpeed(), 50.0f);
}

void TestPlotModel::refusesTimeGoingBack()
{
    PlotModel model;
    QVERIFY(model.addWheelSample(500, 1.0f, kNoPedals));
    const std::uint64_t revision = model.revision();
    QVERIFY(!model.addWheelSample(500, 2.0f, kNoPedals));
    QVERIFY(!model.addWheelSample(499, 2.0f, kNoPedals));
    QCOMPARE(model.size(), std::size_t(1));
    QCOMPARE(model.revision(), revision);
    QVERIFY(model.addWheelSample(540, 2.0f, kNoPedals));
    QCOMPARE(model.at(1).speed, 25.0f);
}

void TestPlotModel::effectSpans()
{
    PlotModel model;
    const auto tick = [&](qint64 t) { model.addWheelSample(t, 0.0f, kNoPedals); };
    tick(0);
    model.setEffectsPlaying((1u << 3) | (1u << 11)); // damping and spring
    tick(40);
    tick(80);
    model.setEffectsPlaying(1u << 11);
    tick(120);
    model.markGap(); // unknown while the base is gone
    tick(160);
    model.setEffectsPlaying(1u << 3);
    tick(200);

    const auto spans = [&](int type) {
        QList<QPair<qint64, qint64>> out;
        for (const plots::EffectSpan &span : model.effectSpans(type))
            out << qMakePair(span.startMs, span.endMs);
        return out;
    };
    QCOMPARE(spans(3), (QList<QPair<qint64, qint64>>{{40, 120}, {200, 200}}));
    QCOMPARE(spans(11), (QList<QPair<qint64, qint64>>{{40, 160}}));
    QVERIFY(spans(0).isEmpty());
    QVERIFY(spans(13).isEmpty());
    QVERIFY(spans(-1).isEmpty());
}

void TestPlotModel::csvContent()
{
    PlotModel model;
    const float off = std::numeric_limits<float>::quiet_NaN();
    model.addWheelSample(2000, -12.345f, {0.0f, 100.0f, off});
    model.setEffectsPlaying((1u << 0) | (1u << 5));
    model.addWheelSample(2040, -10.0f, {12.5f, 50.0f, off});
    model.markGap();
    model.addWheelSample(2500, 3.0f, {0.0f, 0.0f, off});

    const QByteArray expected = "time (s),wheel angle (deg),wheel speed (deg/s),brake (%),throttle (%),clutch (%),"
                                "playing effects\n"
                                "0.000,-12.35,,0.0,100.0,,\n"
                                "0.040,-10.00,58.6,12.5,50.0,,Constantforce Friction\n"
                                "0.500,3.00,,0.0,0.0,,\n";
    QCOMPARE(plots::csvBytes(model), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("plots.csv");
    QString error;
    QVERIFY(plots::saveCsv(model, path, error));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), expected);
}

void TestPlotModel::csvUnwritablePathSaysWhy()
{
    PlotModel model;
    model.addWheelSample(0, 1.0f, kNoPedals);
    QTemporaryDir dir;
    const QStringList paths{dir.filePath("missing/folder/plots.csv"), dir.path()};
    for (const QString &path : paths) {
        QString error;
        QVERIFY2(!plots::saveCsv(model, path, error), qPrintable(path));
        QVERIFY2(error.startsWith("Could not write " + QDir::toNativeSeparators(path) + ": "), qPrintable(error));
        QVERIFY2(error.size() > QString("Could not write " + path + ": ").size(), qPrintable(error));
    }
    QVERIFY(QFileInfo(dir.path()).isDir());
}

// Axes 2, 3 and 4 of the sample are brake, throttle and clutch; an axis the settings
// disable plots as no value, never as 0 %.
void TestPlotModel::wheelSamplePlotsAs_data()
{
    QTest::addColumn<int>("range"); // 0: no profile, no range
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<bool>>("enabled"); // brake, throttle, clutch
    QTest::addColumn<float>("angle");
    QTest::addColumn<QList<float>>("pedals"); // NaN: no value

    const float none = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("centre, all pedals") << 900 << 0x8000 << QList<bool>{true, true, true}
                                        << wire::wheelAngle(900, 0x8000)
                                        << QList<float>{0.0f, 100.0f, 100.0f * 0x8000 / 65535.0f};
    QTest::newRow("turned, throttle off") << 540 << 0x9000 << QList<bool>{true, false, true}
                                          << wire::wheelAngle(540, 0x9000)
                                          << QList<float>{0.0f, none, 100.0f * 0x8000 / 65535.0f};
    QTest::newRow("no range, no pedals") << 0 << 0x9000 << QList<bool>{false, false, false} << 0.0f
                                         << QList<float>{none, none, none};
}

void TestPlotModel::wheelSamplePlotsAs()
{
    QFETCH(int, range);
    QFETCH(int, position);
    QFETCH(QList<bool>, enabled);
    QFETCH(float, angle);
    QFETCH(QList<float>, pedals);

    wire::WheelSample sample;
    sample.position = std::uint16_t(position);
    sample.axes = {0x1111, 0x2222, 0x0000, 0xFFFF, 0x8000, 0x3333, 0x4444};
    std::array<bool, wire::kAnalogAxes> axes{true, true, false, false, false, true, true};
    for (int pedal = 0; pedal < plots::kPedalCount; ++pedal)
        axes[std::size_t(2 + pedal)] = enabled[pedal];
    const std::optional<std::uint32_t> steeringRange =
        range ? std::optional<std::uint32_t>(std::uint32_t(range)) : std::nullopt;

    const plots::PlottedWheel plotted = plots::plottedWheel(sample, steeringRange, axes);
    QCOMPARE(plotted.angle, angle);
    for (int pedal = 0; pedal < plots::kPedalCount; ++pedal) {
        const float expected = pedals[pedal];
        const float got = plotted.pedals[std::size_t(pedal)];
        if (std::isnan(expected))
            QVERIFY2(std::isnan(got), qPrintable(QString("pedal %1: %2").arg(pedal).arg(got)));
        else
            QCOMPARE(got, expected);
    }
}

QTEST_GUILESS_MAIN(TestPlotModel)
#include "tst_plotmodel.moc"
