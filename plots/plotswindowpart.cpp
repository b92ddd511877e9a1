#include "plots/plotswindowpart.h"

#include "device/hid/clock.h"
#include "plots/plotmodel.h"
#include "plots/plotspanel.h"
#include "plots/wheelplot.h"
#include "session/basesession.h"
#include "common/widgets/windowhost.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QSettings>

#include <algorithm>

namespace plots {

namespace {

const char kShownKey[] = "LivePlotsShown";

QSettings store() { return QSettings(QStringLiteral("Halvern Labs"), QStringLiteral("Veltrane2")); }

} // namespace

PlotsWindowPart::PlotsWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), session_(session), host_(host), model_(std::make_unique<PlotModel>())
{
    QWidget *frame = host.frame();
    panel_ = new PlotsPanel(*model_, prompts, frame);
    panel_->setObjectName(QStringLiteral("plotsPanel"));
    auto *toggle = new QPushButton(QCoreApplication::translate("MW2", "Live plots"), frame);
    toggle->setObjectName(QStringLiteral("plotspushButton"));
    toggle->setCheckable(true);
    toggle->setToolTip(QCoreApplication::translate(
        "MW2", "Show the last ten seconds of wheel angle, wheel speed, pedals and playing effects."));
    panel_->hide();
    host.addPanel(WindowHost::Place::Overview, panel_, toggle);

    connect(&session_, &BaseSession::wheelSampled, this, &PlotsWindowPart::recordSample);
    connect(&session_, &BaseSession::statusRefreshed, this,
            [this](const DeviceStatus &status) { model_->setEffectsPlaying(status.effectsPlaying); });
    connect(&session_, &BaseSession::disconnected, this, [this] { model_->markGap(); });
    connect(toggle, &QPushButton::toggled, this, [this](bool shown) {
        showPanel(shown);
        store().setValue(QLatin1String(kShownKey), shown);
    });
    toggle->setChecked(store().value(QLatin1String(kShownKey), false).toBool());
}

PlotsWindowPart::~PlotsWindowPart() = default;

void PlotsWindowPart::showPanel(bool shown)
{
    QWidget *frame = host_.frame();
    if (shown == panel_->isVisibleTo(frame))
        return;
    // The window may sit in an outer frame: that is what grows and shrinks.
    QWidget *top = frame->window();
    const bool sized = top->isVisible() && !top->isMaximized() && !top->isFullScreen();
    if (shown) {
        heightWithoutPlots_ = sized ? top->height() : 0;
        panel_->setVisible(true);
        return;
    }
    panel_->setVisible(false);
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

void PlotsWindowPart::recordSample()
{
    const DeviceLink &link = session_.link();
    std::optional<std::uint32_t> range;
    std::array<bool, wire::kAnalogAxes> enabled{};
    if (link.wheelSampleStale() || !host_.wheelReadings(range, enabled)) {
        model_->markGap();
        return;
    }
    const PlottedWheel plotted = plottedWheel(link.wheelSample(), range, enabled);
    if (model_->addWheelSample(linkclock::nowMs(), plotted.angle, plotted.pedals))
        panel_->recordGrew();
}

} // namespace plots
