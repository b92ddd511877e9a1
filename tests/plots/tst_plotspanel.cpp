// The live plots panel offscreen: what it exports, what pausing freezes, when it repaints,
// and that painting only the new strip gives the picture a whole repaint gives.

#include "plots/plotcsv.h"
#include "plots/plotmodel.h"
#include "plots/plotspanel.h"
#include "plots/plotview.h"
#include "tests/support/scriptedprompts.h"

#include <QFile>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <cmath>
#include <functional>

using plots::PlotModel;
using plots::PlotsPanel;
using plots::PlotView;

namespace {

// A wheel swinging ±200 degrees, the pedals working against each other, damping playing
// in the middle of every two seconds: something on every lane.
class Feed {
public:
    Feed(PlotModel &model, std::function<void()> grew) : model_(model), grew_(std::move(grew)) {}
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            t_ += 40;
            const double phase = double(t_) / 1300.0;
            model_.setEffectsPlaying((t_ / 1000) % 2 ? (1u << 3) : 0u);
            const float throttle = float(50.0 + 50.0 * std::sin(phase * 1.7));
            model_.addWheelSample(t_, float(200.0 * std::sin(phase)), {100.0f - throttle, throttle, 30.0f});
            grew_();
        }
    }
    qint64 now() const { return t_; }

private:
    PlotModel &model_;
    std::function<void()> grew_;
    qint64 t_ = 50000;
};

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            differing += x.pixel(column, row) != y.pixel(column, row);
    return differing;
}

QImage shown(PlotsPanel &panel) { return panel.view().grab().toImage(); }

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
            widest = std::max(widest, static_cast<QPaintEvent *>(event)->rect().width());
        }
        return false;
    }

public:
    int widest = 0;
};

} // namespace

class TestPlotsPanel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pngExportIsTheShownPicture();
    void csvExportAndItsFailures();
    void pauseFreezesWhileRecordingGoesOn();
    void framesFollowTheRecordWhileShownAndRunning();
    void newStripsAddUpToTheWholePicture();
    void scaleSteps_data();
    void scaleSteps();

private:
    std::unique_ptr<PlotModel> live_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<PlotsPanel> panel_;
    std::unique_ptr<Feed> feed_;
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestPlotsPanel::init()
{
    live_ = std::make_unique<PlotModel>();
    prompts_ = std::make_unique<ScriptedPrompts>();
    panel_ = std::make_unique<PlotsPanel>(*live_, *prompts_);
    feed_ = std::make_unique<Feed>(*live_, [this] { panel_->recordGrew(); });
    dir_ = std::make_unique<QTemporaryDir>();
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
}

void TestPlotsPanel::cleanup()
{
    panel_.reset();
    prompts_.reset();
    live_.reset();
}

void TestPlotsPanel::pngExportIsTheShownPicture()
{
    feed_->ticks(300);
    panel_->view().advance();
    const QString path = dir_->filePath("plots.png");
    prompts_->fileNames << path;
    QVERIFY(panel_->exportPng());
    QCOMPARE(prompts_->suggestions.last(), QString("veltrane_plots.png | PNG pictures (*.png)"));
    const QImage picture(path);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), QSize(PlotView::kWidth, PlotView::kHeight));
    QCOMPARE(differingPixels(picture, shown(*panel_)), 0);
    // The angle's accent line is in it, not just empty lanes.
    int accent = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 120; x < picture.width(); ++x)
            accent += picture.pixel(x, y) == qRgb(0xe8, 0x4e, 0x0f);
    QVERIFY2(accent > 200, qPrintable(QString::number(accent)));

    // Cancelled: nothing written, nothing said.
    const QString before = panel_->exportStatus();
    QVERIFY(!panel_->exportPng());
    QCOMPARE(panel_->exportStatus(), before);

    prompts_->fileNames << dir_->filePath("no/such/folder/plots.png");
    QVERIFY(!panel_->exportPng());
    QVERIFY2(panel_->exportStatus().startsWith("Could not write "), qPrintable(panel_->exportStatus()));
}

void TestPlotsPanel::csvExportAndItsFailures()
{
    feed_->ticks(400); // more than the window holds
    const QString folder = dir_->path();
    const QString path = dir_->filePath("plots.csv");
    prompts_->fileNames << folder << dir_->filePath("missing/plots.csv") << path;

    QVERIFY(!panel_->exportCsv());
    const QString folderMessage = panel_->exportStatus();
    QVERIFY2(folderMessage.startsWith("Could not write " + QDir::toNativeSeparators(folder) + ": "),
             qPrintable(folderMessage));
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(!panel_->exportCsv());
    QVERIFY2(panel_->exportStatus().contains("missing"), qPrintable(panel_->exportStatus()));

    QVERIFY(panel_->exportCsv());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, plots::csvBytes(*live_));
    // Ten seconds at 40 ms: 251 samples and the header.
    QCOMPARE(bytes.count('\n'), 252);
    QVERIFY(panel_->exportStatus().startsWith("Saved "));
}

void TestPlotsPanel::pauseFreezesWhileRecordingGoesOn()
{
    feed_->ticks(100);
    panel_->view().advance();
    const qint64 pausedAt = feed_->now();
    panel_->findChild<QPushButton *>("pausepushButton")->click();
    QVERIFY(panel_->paused());
    QCOMPARE(panel_->findChild<QPushButton *>("pausepushButton")->text(), QString("Resume"));
    const QImage frozen = shown(*panel_);

    feed_->ticks(50);
    QCoreApplication::processEvents();
    QCOMPARE(live_->newestMs(), feed_->now());
    QCOMPARE(panel_->shownModel().newestMs(), pausedAt);
    QCOMPARE(differingPixels(shown(*panel_), frozen), 0);

    // What is exported is what is shown.
    const QString path = dir_->filePath("paused.csv");
    prompts_->fileNames << path;
    QVERIFY(panel_->exportCsv());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), plots::csvBytes(panel_->shownModel()));
    QCOMPARE(panel_->shownModel().size(), std::size_t(100));

    panel_->findChild<QPushButton *>("pausepushButton")->click();
    QVERIFY(!panel_->paused());
    QCOMPARE(panel_->shownModel().newestMs(), feed_->now());
    QVERIFY(differingPixels(shown(*panel_), frozen) > 100);
}

void TestPlotsPanel::framesFollowTheRecordWhileShownAndRunning()
{
    PaintCounter paints(&panel_->view());
    const auto frames = [&](int ticks) {
        QCoreApplication::processEvents();
        paints.count = 0;
        for (int i = 0; i < ticks; ++i) {
            feed_->ticks(1);
            QCoreApplication::processEvents();
        }
        return paints.count;
    };
    // A tick every 40 ms, a frame at most every 100 ms of it: every third tick.
    QVERIFY(panel_->following());
    // A whole swing first, so the scales have settled and no frame redraws it all.
    feed_->ticks(300);
    frames(1);
    paints.widest = 0;
    const int running = frames(30);
    QVERIFY2(running >= 9 && running <= 11, qPrintable(QString::number(running)));
    // Each frame paints the new strip only: 120 ms of 10 s, a few pixels and the overlap.
    QVERIFY2(paints.widest > 0 && paints.widest < 20, qPrintable(QString::number(paints.widest)));

    panel_->setPaused(true);
    QVERIFY(!panel_->following());
    QCOMPARE(frames(30), 0);
    panel_->setPaused(false);
    QVERIFY(frames(30) >= 9);

    panel_->hide();
    QVERIFY(!panel_->following());
    QCOMPARE(frames(30), 0);
    panel_->show();
    QVERIFY(panel_->following());
    QVERIFY(frames(30) >= 9);
}

void TestPlotsPanel::newStripsAddUpToTheWholePicture()
{
    // Frames as the timer makes them, ticks between them as the session makes them; what
    // the screen holds then must be what painting everything at once gives.
    feed_->ticks(10);
    panel_->view().advance();
    for (int frame = 0; frame < 120; ++frame) {
        feed_->ticks(frame % 3 ? 2 : 3);
        panel_->view().advance();
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    PlotView &view = panel_->view();
    const QPoint origin = view.mapTo(panel_.get(), QPoint(0, 0));
    const QImage screen = panel_->windowHandle()->screen()->grabWindow(panel_->winId(), origin.x(), origin.y(),
                                                                        view.width(), view.height()).toImage();
    QCOMPARE(screen.size(), view.size());
    const QImage whole = shown(*panel_);
    // Lines cut at strip edges may round a pixel differently; nothing more.
    const int differing = differingPixels(screen, whole);
    QVERIFY2(differing < view.width() * view.height() / 500, qPrintable(QString::number(differing)));
}

void TestPlotsPanel::scaleSteps_data()
{
    QTest::addColumn<float>("peak");
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("scale");
    QTest::newRow("nothing") << 0.0f << 0.0f << 90.0f;
    QTest::newRow("exactly the least") << 90.0f << 0.0f << 90.0f;
    QTest::newRow("just over") << 90.5f << 0.0f << 180.0f;
    QTest::newRow("far over") << 1000.0f << 0.0f << 1440.0f;
    // A swing peaking at a step keeps the larger scale instead of flipping with each sample.
    QTest::newRow("back at the step") << 90.0f << 180.0f << 180.0f;
    QTest::newRow("within a tenth of the step") << 81.5f << 180.0f << 180.0f;
    QTest::newRow("well under the step") << 80.0f << 180.0f << 90.0f;
    QTest::newRow("two steps down") << 100.0f << 720.0f << 180.0f;
    QTest::newRow("over the current") << 181.0f << 180.0f << 360.0f;
}

void TestPlotsPanel::scaleSteps()
{
    QFETCH(float, peak);
    QFETCH(float, current);
    QFETCH(float, scale);
    QCOMPARE(PlotView::scaleFor(peak, 90.0f, current), scale);
}

QTEST_MAIN(TestPlotsPanel)
#include "tst_plotspanel.moc"
