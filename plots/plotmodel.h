#pragma once
// The live plots' record: the last ten seconds of wheel angle, wheel speed, pedals and the
// force-feedback effect types playing, one entry per wheel tick, in a ring of fixed size.
// Times come from the caller's monotonic clock, so a test decides what time it is.

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plots {

constexpr qint64 kWindowMs = 10000;
// Samples further apart than this are not joined: the wheel was not seen in between.
constexpr qint64 kGapMs = 250;
// Enough for a 4 ms tick over the whole window.
constexpr std::size_t kDefaultCapacity = 2560;

enum Pedal { Brake, Throttle, Clutch };
constexpr int kPedalCount = 3;
constexpr int kEffectTypeCount = 13;

struct PlotSample {
    qint64 timeMs = 0;
    float angle = 0.0f;                    // degrees from centre
    float speed = 0.0f;                    // degrees per second; NaN when unknown
    std::array<float, kPedalCount> pedals{}; // percent; NaN for an axis the settings disable
    std::uint32_t effectsPlaying = 0;      // one bit per effect type, as the status tick read it
    bool gapBefore = true;                 // not joined to the sample before it
};

struct EffectSpan {
    qint64 startMs = 0;
    qint64 endMs = 0;
};

class PlotModel {
public:
    explicit PlotModel(std::size_t capacity = kDefaultCapacity);

    // One wheel tick. A time not after the newest sample is refused (false).
    bool addWheelSample(qint64 timeMs, float angle, const std::array<float, kPedalCount> &pedals);
    // The status tick's playing effects; later wheel samples carry them.
    void setEffectsPlaying(std::uint32_t mask) { effectsPlaying_ = mask; }
    // The wheel went unseen (stale sample, lost connection): the next sample starts afresh.
    void markGap();

    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }
    // Oldest first.
    const PlotSample &at(std::size_t index) const { return ring_[(head_ + index) % ring_.size()]; }
    qint64 newestMs() const { return empty() ? 0 : at(count_ - 1).timeMs; }
    // The first sample at or after `timeMs`; size() when none.
    std::size_t firstAtOrAfter(qint64 timeMs) const;
    // Grows with every sample taken, so a reader can tell whether anything is new.
    std::uint64_t revision() const { return revision_; }

    // Where effect type `type` (its bit) played within the window: from the first sample
    // that carried it to the next that did not, or to the newest sample.
    std::vector<EffectSpan> effectSpans(int type) const;
    // The largest angle and speed magnitudes in the window; 0 when none is known.
    float peakAngle() const;
    float peakSpeed() const;

private:
    std::vector<PlotSample> ring_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    std::uint64_t revision_ = 0;
    std::uint32_t effectsPlaying_ = 0;
    bool gapPending_ = true;
};

} // namespace plots
