// The live plots in the main window against the virtual base: every wheel tick recorded
// as the window shows it, the effects the status tick reads, a lost connection breaking
// the lines, and the "Live plots" button keeping its choice and the window's size.

#include "basesim/ffbeffects.h"
#include "plots/plotmodel.h"
#include "plots/plotspanel.h"
#include "plots/plotswindowpart.h"
#include "plots/plotview.h"
#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"
#include "wireless/wirelessmonitor.h"
#include "wireless/wirelesswindowpart.h"

#include <QPaintEvent>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <cmath>

namespace {

void storeShown(bool shown) { QSettings("Halvern Labs", "Veltrane2").setValue("LivePlotsShown", shown); }

} // namespace

class TestMw2Plots : public QObject {
    Q_OBJECT

private slots:
    void recordsWhatTheWindowShows();
    void buttonKeepsChoiceAndWindowSize();
    void framesPaintTheNewStripOnly();
};

void TestMw2Plots::recordsWhatTheWindowShows()
{
    storeShown(false);
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    fixture.session.statusTick();
    QVERIFY(fixture.link().connected());
    const plots::PlotModel &record = window.part<plots::PlotsWindowPart>().panel().shownModel();
    QVERIFY(record.empty());

    // Hidden or not, the record fills, so the panel has ten seconds to show when it opens.
    const std::uint16_t positions[] = {0x8000, 0x8100, 0x8300, 0x8300, 0x7f00};
    for (const std::uint16_t position : positions) {
        fixture.base->state().holdWheel(position);
        clock.advance(40);
        fixture.session.wheelTick();
        const plots::PlotSample &newest = record.at(record.size() - 1);
        QCOMPARE(newest.angle, wire::wheelAngle(900, position));
    }
    QCOMPARE(record.size(), std::size(positions));
    QVERIFY(std::isnan(record.at(0).speed));
    for (std::size_t i = 1; i < record.size(); ++i) {
        const double elapsed = double(record.at(i).timeMs - record.at(i - 1).timeMs) / 1000.0;
        QVERIFY(elapsed >= 0.040);
        const double expected = double(record.at(i).angle - record.at(i - 1).angle) / elapsed;
        QVERIFY2(std::fabs(double(record.at(i).speed) - expected) < 0.01, qPrintable(QString::number(i)));
    }
    QVERIFY(record.peakSpeed() > 100.0f);
    for (const float pedal : record.at(0).pedals)
        QVERIFY(!std::isnan(pedal) && pedal >= 0.0f && pedal <= 100.0f);

    // Spring plays from the next status tick on.
    basesim::startEffect(fixture.base->state(), 11);
    fixture.session.statusTick();
    clock.advance(40);
    fixture.session.wheelTick();
    QCOMPARE(record.at(record.size() - 1).effectsPlaying, 1u << 11);
    QCOMPARE(record.effectSpans(11).size(), std::size_t(1));

    // Unplugged and back: no line and no speed across the time the base was away.
    fixture.base->faults().failReads = true;
    clock.advance(40);
    fixture.session.wheelTick();
    fixture.session.statusTick();
    QVERIFY(!fixture.link().connected());
    fixture.base->faults().failReads = false;
    fixture.session.statusTick();
    QVERIFY(fixture.link().connected());
    const std::size_t before = record.size();
    clock.advance(40);
    fixture.session.wheelTick();
    QCOMPARE(record.size(), before + 1);
    QVERIFY(record.at(before).gapBefore);
    QVERIFY(std::isnan(record.at(before).speed));
}

void TestMw2Plots::buttonKeepsChoiceAndWindowSize()
{
    storeShown(false);
    SessionFixture fixture;
    {
        MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
        {
            // The Overview tab, the button on it included, is usable while a base is connected.
            ManualClock clock;
            fixture.session.statusTick();
            fixture.session.statusTick();
        }
        QVERIFY(window.findChild<QWidget *>("OverviewTab")->isEnabled());
        auto *button = window.findChild<QPushButton *>("plotspushButton");
        QVERIFY(button && button->isCheckable() && !button->isChecked());
        QVERIFY(!window.part<plots::PlotsWindowPart>().panel().isVisibleTo(&window));
        // The button sits in room the page had anyway: the window wants no more space for it.
        const QSize wanted = window.sizeHint();
        button->hide();
        QCOMPARE(window.sizeHint(), wanted);
        button->show();

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // As small as it goes, so the panel cannot fit in room to spare.
        window.resize(window.minimumSizeHint());
        const QSize shownBefore = window.size();
        button->click();
        QVERIFY(window.part<plots::PlotsWindowPart>().panel().isVisible());
        // The window grows as far as the panel needs: all of the plot is on the screen.
        const plots::PlotView &view = window.part<plots::PlotsWindowPart>().panel().view();
        QTRY_COMPARE(view.visibleRegion().boundingRect(), view.rect());
        QVERIFY(window.height() > shownBefore.height());
        QVERIFY(window.part<plots::PlotsWindowPart>().panel().following());
        QCOMPARE(QSettings("Halvern Labs", "Veltrane2").value("LivePlotsShown").toBool(), true);
        button->click();
        QVERIFY(!window.part<plots::PlotsWindowPart>().panel().isVisible());
        QVERIFY(!window.part<plots::PlotsWindowPart>().panel().following());
        QCOMPARE(window.size(), shownBefore);
        button->click();
    }
    // The next start shows it again.
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    QVERIFY(window.findChild<QPushButton *>("plotspushButton")->isChecked());
    QVERIFY(window.part<plots::PlotsWindowPart>().panel().isVisibleTo(&window));
}

// In the window, among the other widgets and under the style sheet, a frame still shifts the
// picture in place and paints only the strip that is new.
void TestMw2Plots::framesPaintTheNewStripOnly()
{
    storeShown(true);
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    window.setStyleSheet(QStringLiteral("QWidget { background-color: #02232b; color: #e84e0f; }"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    fixture.session.statusTick();
    fixture.session.statusTick();
    plots::PlotView &view = window.part<plots::PlotsWindowPart>().panel().view();
    QVERIFY(view.isVisible());
    // Only the ticks below move the window: the blinks, the wheel monitor and the session's
    // own timers run on real time, which a loaded machine stretches into the counted frames.
    for (QTimer *timer : window.findChildren<QTimer *>())
        timer->stop();
    window.part<WirelessWindowPart>().monitor().wirelessStatusTimer().stop();
    fixture.session.stopPolling();

    struct Widest : QObject {
        int width = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                width = std::max(width, static_cast<QPaintEvent *>(event)->rect().width());
            return false;
        }
    } widest;
    view.installEventFilter(&widest);
    const auto ticks = [&](int count) {
        for (int i = 0; i < count; ++i) {
            clock.advance(40);
            fixture.session.wheelTick();
            QCoreApplication::processEvents();
        }
    };
    // The virtual wheel's whole swing first, so the scales have settled.
    ticks(250);
    widest.width = 0;
    ticks(30);
    QVERIFY2(widest.width > 0 && widest.width < 20, qPrintable(QString::number(widest.width)));
}

QTEST_MAIN(TestMw2Plots)
#include "tst_mw2plots.moc"
