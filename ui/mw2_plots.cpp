// Live plots: every wheel tick goes into the record, whichever tab is in front, so the
// panel shows the last ten seconds the moment it appears; the status tick tells which
// effects play. The "Live plots" button shows the panel and the settings store keeps it.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "device/hid/clock.h"
#include "plots/plotmodel.h"
#include "plots/plotspanel.h"
#include "session/basesession.h"

#include <QPushButton>
#include <QSettings>
#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace {

const char kShownKey[] = "LivePlotsShown";

QSettings store() { return QSettings(QStringLiteral("Halvern Labs"), QStringLiteral("Veltrane2")); }

} // namespace

void MW2::setUpPlots()
{
    plotModel_ = std::make_unique<plots::PlotModel>();
    plotsPanel_ = new plots::PlotsPanel(*plotModel_, prompts_, this);
    plotsPanel_->setObjectName(QStringLiteral("plotsPanel"));
    auto *toggle = new QPushButton(tr("Live plots"), this);
    toggle->setObjectName(QStringLiteral("plotspushButton"));
    toggle->setCheckable(true);
    toggle->setToolTip(tr("Show the last ten seconds of wheel angle, wheel speed, pedals and playing effects."));
    plotsPanel_->hide();
    ui->OverviewTab->addPanel(toggle, plotsPanel_);

    connect(&session_, &BaseSession::wheelSampled, this, &MW2::recordPlotSample);
    connect(&session_, &BaseSession::statusRefreshed, this,
            [this](const DeviceStatus &status) { plotModel_->setEffectsPlaying(status.effectsPlaying); });
    connect(&session_, &BaseSession::disconnected, this, [this] { plotModel_->markGap(); });
    connect(toggle, &QPushButton::toggled, this, [this](bool shown) {
        showPlots(shown);
        store().setValue(QLatin1String(kShownKey), shown);
    });
    toggle->setChecked(store().value(QLatin1String(kShownKey), false).toBool());
}

void MW2::showPlots(bool shown)
{
    if (shown == plotsPanel_->isVisibleTo(this))
        return;
    // The window may sit in an outer frame: that is what grows and shrinks.
    QWidget *top = window();
    const bool sized = top->isVisible() && !top->isMaximized() && !top->isFullScreen();
    if (shown) {
        heightWithoutPlots_ = sized ? top->height() : 0;
        plotsPanel_->setVisible(true);
        return;
    }
    plotsPanel_->setVisible(false);
    if (!sized)
        return;
    // The window grew for the panel; without it, it goes back to the height it had before
    // (or the height it wants, shown from the start). The layouts give the panel's room
    // back one level per pass, the window's minimum last.
    const int minimum = top->minimumHeight();
    for (int pass = 0; pass < 8 && top->minimumHeight() == minimum; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const int height = heightWithoutPlots_ > 0 ? heightWithoutPlots_ : top->sizeHint().height();
    top->resize(top->width(), std::max(height, top->minimumHeight()));
}

void MW2::recordPlotSample()
{
    const DeviceLink &link = session_.link();
    std::optional<std::uint32_t> range;
    std::array<bool, wire::kAnalogAxes> enabled{};
    if (link.wheelSampleStale() || !wheelReadings(range, enabled)) {
        plotModel_->markGap();
        return;
    }
    const float angle = range ? wire::wheelAngle(*range, link.wheelSample().position) : 0.0f;
    // Brake, throttle and clutch, in the sample's axis order.
    std::array<float, plots::kPedalCount> pedals{};
    for (int pedal = 0; pedal < plots::kPedalCount; ++pedal) {
        const std::size_t axis = std::size_t(2 + pedal);
        pedals[std::size_t(pedal)] = enabled[axis] ? float(link.wheelSample().axes[axis]) * 100.0f / 65535.0f
                                                   : std::numeric_limits<float>::quiet_NaN();
    }
    if (plotModel_->addWheelSample(linkclock::nowMs(), angle, pedals))
        plotsPanel_->recordGrew();
}
