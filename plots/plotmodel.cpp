#include "plots/plotmodel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plots {

PlotModel::PlotModel(std::size_t capacity) : ring_(std::max<std::size_t>(capacity, 2)) {}

bool PlotModel::addWheelSample(qint64 timeMs, float angle, const std::array<float, kPedalCount> &pedals)
{
    PlotSample sample;
    sample.timeMs = timeMs;
    sample.angle = angle;
    sample.pedals = pedals;
    sample.effectsPlaying = effectsPlaying_;
    sample.speed = std::numeric_limits<float>::quiet_NaN();
    if (!empty()) {
        const PlotSample &previous = at(count_ - 1);
        const qint64 elapsed = timeMs - previous.timeMs;
        if (elapsed <= 0)
            return false;
        sample.gapBefore = gapPending_ || elapsed > kGapMs;
        if (!sample.gapBefore)
            sample.speed = float(double(angle - previous.angle) * 1000.0 / double(elapsed));
    }
    gapPending_ = false;

    if (count_ == ring_.size()) {
        head_ = (head_ + 1) % ring_.size();
        --count_;
    }
    ring_[(head_ + count_) % ring_.size()] = sample;
    ++count_;
    ++revision_;
    // What fell out of the window goes; the newest sample always stays.
    while (count_ > 1 && at(0).timeMs < timeMs - kWindowMs) {
        head_ = (head_ + 1) % ring_.size();
        --count_;
    }
    return true;
}

void PlotModel::markGap()
{
    gapPending_ = true;
    effectsPlaying_ = 0;
}

std::size_t PlotModel::firstAtOrAfter(qint64 timeMs) const
{
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (at(middle).timeMs < timeMs)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::vector<EffectSpan> PlotModel::effectSpans(int type) const
{
    std::vector<EffectSpan> spans;
    if (type < 0 || type >= kEffectTypeCount)
        return spans;
    const std::uint32_t mask = 1u << type;
    bool open = false;
    for (std::size_t i = 0; i < count_; ++i) {
        const PlotSample &sample = at(i);
        const bool playing = sample.effectsPlaying & mask;
        if (playing && !open) {
            spans.push_back({sample.timeMs, sample.timeMs});
            open = true;
        } else if (open) {
            spans.back().endMs = sample.timeMs;
            open = playing;
        }
    }
    return spans;
}

float PlotModel::peakAngle() const
{
    float peak = 0.0f;
    for (std::size_t i = 0; i < count_; ++i)
        peak = std::max(peak, std::fabs(at(i).angle));
    return peak;
}

float PlotModel::peakSpeed() const
{
    float peak = 0.0f;
    for (std::size_t i = 0; i < count_; ++i) {
        const float speed = at(i).speed;
        if (!std::isnan(speed))
            peak = std::max(peak, std::fabs(speed));
    }
    return peak;
}

} // namespace plots
