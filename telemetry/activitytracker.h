#pragma once
// How long each successive value stayed in effect: closed periods are filed, and only
// the `limit` longest are kept (ties favour the newer one). After each successful upload
// the filed periods are dropped, so each document covers the time since the last one.

#include "telemetry/telemetrydocument.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

template <typename T>
struct TrackedPeriod {
    T item;
    std::int32_t changedAsNth = 0;
    QDateTime startedAt;
    std::int64_t durationMillis = 0;
};

template <typename T>
class ActivityTracker {
public:
    using Clock = std::function<QDateTime()>;
    using ItemToJson = std::function<QJsonValue(const T &)>;

    static constexpr std::uint32_t kDefaultLimit = 10;

    explicit ActivityTracker(ItemToJson itemToJson, Clock clock = {}, std::uint32_t limit = kDefaultLimit)
        : itemToJson_(std::move(itemToJson)), clock_(std::move(clock)), limit_(limit), startedTrackingAt_(now())
    {
    }

    void closeCurrentPeriod()
    {
        if (!currentStartedAt_.isValid())
            return;
        const QDateTime started = currentStartedAt_;
        const std::int64_t duration = started.msecsTo(now());
        currentStartedAt_ = QDateTime();
        TrackedPeriod<T> period{current_, changeCounter_, started, duration};
        if (limit_ == 0 || history_.size() < limit_) {
            history_.push_back(std::move(period));
            std::push_heap(history_.begin(), history_.end(), longer);
        } else if (period.durationMillis >= history_.front().durationMillis) {
            std::pop_heap(history_.begin(), history_.end(), longer);
            history_.back() = std::move(period);
            std::push_heap(history_.begin(), history_.end(), longer);
        }
        ++changeCounter_;
    }

    void startPeriod(const T &item)
    {
        currentStartedAt_ = now();
        current_ = item;
    }

    bool running() const { return currentStartedAt_.isValid(); }
    const T &currentItem() const { return current_; }
    std::int32_t changeCounter() const { return changeCounter_; }
    std::size_t keptPeriods() const { return history_.size(); }

    void restartAfterUpload()
    {
        history_.clear();
        startedTrackingAt_ = now();
        if (currentStartedAt_.isValid())
            currentStartedAt_ = startedTrackingAt_;
    }

    QJsonObject toJson() const
    {
        std::vector<TrackedPeriod<T>> sorted = history_;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const TrackedPeriod<T> &a, const TrackedPeriod<T> &b) { return a.durationMillis > b.durationMillis; });
        QJsonArray periods;
        for (const TrackedPeriod<T> &period : sorted)
            periods.append(periodJson(period.durationMillis, period.startedAt, period.changedAsNth, period.item));
        QJsonObject object;
        object.insert(QStringLiteral("startedTrackingAt"), telemetry::isoWithOffset(startedTrackingAt_));
        object.insert(QStringLiteral("profiles"), periods);
        if (currentStartedAt_.isValid())
            object.insert(QStringLiteral("latest"), periodJson(currentStartedAt_.msecsTo(now()), currentStartedAt_,
                                                               changeCounter_, current_));
        return object;
    }

private:
    // A min-heap on the duration: the shortest kept period sits at the front.
    static bool longer(const TrackedPeriod<T> &a, const TrackedPeriod<T> &b) { return a.durationMillis > b.durationMillis; }

    QDateTime now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

    QJsonObject periodJson(std::int64_t duration, const QDateTime &startedAt, std::int32_t nth, const T &item) const
    {
        return QJsonObject{{QStringLiteral("durationMillis"), qint64(duration)},
                           {QStringLiteral("startedAt"), telemetry::isoWithOffset(startedAt)},
                           {QStringLiteral("changedAsNth"), nth},
                           {QStringLiteral("item"), itemToJson_(item)}};
    }

    ItemToJson itemToJson_;
    Clock clock_;
    std::uint32_t limit_;
    std::vector<TrackedPeriod<T>> history_;
    QDateTime startedTrackingAt_;
    QDateTime currentStartedAt_;
    std::int32_t changeCounter_ = 0;
    T current_{};
};
