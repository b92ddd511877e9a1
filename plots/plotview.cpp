#include "plots/plotview.h"

#include "plots/plotmodel.h"
#include "common/presentation/effectlist.h"
#include "common/presentation/presentationtext.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace plots {
namespace {

constexpr int kLabelWidth = 100;
constexpr int kRightMargin = 4;
constexpr int kPlotLeft = kLabelWidth;
constexpr int kPlotRight = PlotView::kWidth - kRightMargin; // exclusive
constexpr int kPlotWidth = kPlotRight - kPlotLeft;
constexpr double kPixelsPerMs = double(kPlotWidth) / double(kWindowMs);
// A line into the new strip starts left of it; repainting this much more keeps it whole.
constexpr int kStripOverlap = 2;

struct Lane {
    int top;
    int height;
    int bottom() const { return top + height; }
    double middle() const { return top + height / 2.0; }
};
constexpr Lane kAngleLane{2, 44};
constexpr Lane kSpeedLane{50, 32};
constexpr Lane kPedalLane{86, 36};
constexpr int kBandsTop = 126;
constexpr int kBandHeight = 9;
constexpr float kLeastAngleScale = 15.0f; // degrees
constexpr float kLeastSpeedScale = 90.0f; // degrees per second
static_assert(kBandsTop + kEffectTypeCount * kBandHeight + 2 == PlotView::kHeight, "lanes fill the view");

// The dark theme's background, the accent and the two reds, and quiet greys for the grid.
const QColor kBackground(0x02, 0x23, 0x2b);
const QColor kLaneFill(0x08, 0x31, 0x3b);
const QColor kGrid(0x1d, 0x4b, 0x56);
const QColor kAccent(0xe8, 0x4e, 0x0f);
const QColor kSpeed(0xf2, 0xa0, 0x6c);
const QColor kBrake(0xff, 0x24, 0x00);
const QColor kThrottle(0x9c, 0xd6, 0x8a);
const QColor kClutch(0x7f, 0xb8, 0xe6);
const QColor kBand(0xaf, 0x1d, 0x1f);
const QColor kText(0xc8, 0xc8, 0xc8);

double clampTo(double y, const Lane &lane) { return std::clamp(y, double(lane.top), double(lane.bottom() - 1)); }

QRect laneRect(const Lane &lane) { return QRect(kPlotLeft, lane.top, kPlotWidth, lane.height); }

QRect bandRect(int type) { return QRect(kPlotLeft, kBandsTop + type * kBandHeight, kPlotWidth, kBandHeight - 1); }

} // namespace

PlotView::PlotView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    // Every pixel is painted here: nothing behind needs repainting, and a moved picture
    // can be shifted in place.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotView::setModel(const PlotModel *model)
{
    model_ = model;
    replot();
}

float PlotView::scaleFor(float peak, float least, float current)
{
    if (current >= least && peak <= current && peak > current * 0.45f)
        return current;
    float scale = least;
    while (scale < peak && scale < 1e7f)
        scale *= 2.0f;
    return scale;
}

void PlotView::replot()
{
    placed_ = model_ && !model_->empty();
    if (placed_) {
        rightEdgeMs_ = double(model_->newestMs());
        shownRevision_ = model_->revision();
        shownNewestMs_ = model_->newestMs();
        angleScale_ = scaleFor(model_->peakAngle(), kLeastAngleScale, angleScale_);
        speedScale_ = scaleFor(model_->peakSpeed(), kLeastSpeedScale, speedScale_);
    }
    update();
}

void PlotView::showEvent(QShowEvent *event)
{
    // Hidden, nothing followed the record: start from it.
    replot();
    QWidget::showEvent(event);
}

void PlotView::advance()
{
    if (!model_ || model_->empty()) {
        if (placed_)
            replot();
        return;
    }
    if (placed_ && model_->revision() == shownRevision_)
        return;
    const qint64 newest = model_->newestMs();
    if (placed_ && newest > shownNewestMs_ && newest - shownNewestMs_ < kFrameIntervalMs)
        return;
    if (!placed_ || scaleFor(model_->peakAngle(), kLeastAngleScale, angleScale_) != angleScale_
        || scaleFor(model_->peakSpeed(), kLeastSpeedScale, speedScale_) != speedScale_) {
        replot();
        return;
    }
    // Whole pixels only, so what is drawn stays where it belongs after the shift.
    const double behind = (double(newest) - rightEdgeMs_) * kPixelsPerMs;
    const int shift = int(std::ceil(behind));
    if (shift < 0 || shift >= kPlotWidth - kStripOverlap) {
        replot();
        return;
    }
    shownRevision_ = model_->revision();
    shownNewestMs_ = newest;
    const QRect plot(kPlotLeft, 0, kPlotWidth, kHeight);
    if (shift > 0) {
        rightEdgeMs_ += shift / kPixelsPerMs;
        scroll(-shift, 0, plot);
    }
    update(QRect(kPlotRight - shift - kStripOverlap, 0, shift + kStripOverlap, kHeight));
}

double PlotView::xOf(qint64 timeMs) const { return kPlotRight - 1 - (rightEdgeMs_ - double(timeMs)) * kPixelsPerMs; }

void PlotView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, kBackground);
    if (area.left() < kPlotLeft)
        paintLabels(painter);
    const QRect plot = area.intersected(QRect(kPlotLeft, 0, kPlotWidth, kHeight));
    if (plot.isEmpty())
        return;
    painter.setClipRect(plot);
    paintGrid(painter, plot);
    if (placed_ && model_) {
        paintBands(painter, plot);
        paintLines(painter, plot);
    }
}

void PlotView::paintLabels(QPainter &painter) const
{
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    const int width = kLabelWidth - 8;
    const auto caption = [&](const Lane &lane, const QString &name, const QString &scale, const QColor &colour) {
        painter.setPen(colour);
        painter.drawText(QRect(2, lane.top, width, lane.height / 2), Qt::AlignRight | Qt::AlignVCenter, name);
        painter.setPen(kText);
        painter.drawText(QRect(2, lane.top + lane.height / 2, width, lane.height / 2),
                         Qt::AlignRight | Qt::AlignVCenter, scale);
    };
    const QChar degree(0x00B0);
    const QChar plusMinus(0x00B1);
    const float angleScale = placed_ ? angleScale_ : kLeastAngleScale;
    const float speedScale = placed_ ? speedScale_ : kLeastSpeedScale;
    caption(kAngleLane, tr("Wheel angle"), QString(plusMinus) + QString::number(double(angleScale), 'f', 0) + degree,
            kAccent);
    caption(kSpeedLane, tr("Wheel speed"),
            QString(plusMinus) + QString::number(double(speedScale), 'f', 0) + degree + QStringLiteral("/s"), kSpeed);
    const QString pedals[kPedalCount] = {tr("Brake"), tr("Throttle"), tr("Clutch")};
    const QColor pedalColours[kPedalCount] = {kBrake, kThrottle, kClutch};
    const int row = kPedalLane.height / kPedalCount;
    for (int pedal = 0; pedal < kPedalCount; ++pedal) {
        painter.setPen(pedalColours[pedal]);
        painter.drawText(QRect(2, kPedalLane.top + pedal * row, width, row), Qt::AlignRight | Qt::AlignVCenter,
                         pedals[pedal]);
    }
    font.setPixelSize(kBandHeight);
    painter.setFont(font);
    painter.setPen(kText);
    for (int type = 0; type < kEffectTypeCount; ++type)
        painter.drawText(QRect(2, kBandsTop + type * kBandHeight, width, kBandHeight),
                         Qt::AlignRight | Qt::AlignVCenter,
                         presentation::windowText(presentation::effectTypeName(type)));
}

void PlotView::paintGrid(QPainter &painter, const QRect &area) const
{
    for (const Lane &lane : {kAngleLane, kSpeedLane, kPedalLane})
        painter.fillRect(laneRect(lane).intersected(area), kLaneFill);
    for (int type = 0; type < kEffectTypeCount; ++type)
        painter.fillRect(bandRect(type).intersected(area), kLaneFill);
    painter.setPen(kGrid);
    for (const Lane &lane : {kAngleLane, kSpeedLane})
        painter.drawLine(area.left(), int(lane.middle()), area.right(), int(lane.middle()));
    if (!placed_)
        return;
    // A mark every second, at whole seconds of the record's clock, so marks move with the lines.
    const qint64 first = qint64(std::floor((rightEdgeMs_ - (kPlotRight - area.left()) / kPixelsPerMs) / 1000.0));
    const qint64 last = qint64(std::ceil((rightEdgeMs_ - (kPlotRight - 1 - area.right()) / kPixelsPerMs) / 1000.0));
    for (qint64 second = first; second <= last; ++second) {
        const int x = int(std::lround(xOf(second * 1000)));
        if (x >= area.left() && x <= area.right())
            painter.drawLine(x, kAngleLane.top, x, kPedalLane.bottom() - 1);
    }
}

void PlotView::paintBands(QPainter &painter, const QRect &area) const
{
    for (int type = 0; type < kEffectTypeCount; ++type) {
        const QRect lane = bandRect(type);
        if (!lane.intersects(area))
            continue;
        for (const EffectSpan &span : model_->effectSpans(type)) {
            const int left = int(std::lround(xOf(span.startMs)));
            const int right = std::max(left + 1, int(std::lround(xOf(span.endMs))));
            painter.fillRect(QRect(QPoint(left, lane.top()), QPoint(right, lane.bottom())).intersected(area), kBand);
        }
    }
}

void PlotView::paintLines(QPainter &painter, const QRect &area) const
{
    // The samples that reach into the area: one before its left edge, one after its right.
    const qint64 from = qint64(std::floor(rightEdgeMs_ - (kPlotRight - area.left()) / kPixelsPerMs));
    std::size_t begin = model_->firstAtOrAfter(from);
    if (begin > 0)
        --begin;
    const qint64 to = qint64(std::ceil(rightEdgeMs_ - (kPlotRight - 1 - area.right()) / kPixelsPerMs));
    std::size_t end = model_->firstAtOrAfter(to);
    if (end < model_->size())
        ++end;
    if (begin >= end)
        return;

    const double pedalScale = kPedalLane.height / 100.0;
    // Each series as runs of joined samples; a gap or an unknown value ends a run.
    const auto series = [&](const QColor &colour, auto value, const Lane &lane) {
        painter.setPen(colour);
        QPolygonF run;
        run.reserve(int(end - begin));
        for (std::size_t i = begin; i < end; ++i) {
            const PlotSample &sample = model_->at(i);
            const double y = value(sample);
            if (sample.gapBefore || std::isnan(y)) {
                if (run.size() > 1)
                    painter.drawPolyline(run);
                run.clear();
            }
            if (!std::isnan(y))
                run.append(QPointF(xOf(sample.timeMs), clampTo(y, lane)));
        }
        if (run.size() > 1)
            painter.drawPolyline(run);
        else if (run.size() == 1)
            painter.drawPoint(run.first());
    };
    const double angleScale = kAngleLane.height / 2.0 / double(angleScale_);
    const double speedScale = kSpeedLane.height / 2.0 / double(speedScale_);
    series(kAccent, [&](const PlotSample &s) { return kAngleLane.middle() - double(s.angle) * angleScale; }, kAngleLane);
    series(kSpeed, [&](const PlotSample &s) { return kSpeedLane.middle() - double(s.speed) * speedScale; }, kSpeedLane);
    const QColor pedalColours[kPedalCount] = {kBrake, kThrottle, kClutch};
    for (int pedal = 0; pedal < kPedalCount; ++pedal)
        series(pedalColours[pedal],
               [&](const PlotSample &s) { return kPedalLane.bottom() - 1 - double(s.pedals[std::size_t(pedal)]) * pedalScale; },
               kPedalLane);
}

} // namespace plots
