#pragma once
// The base's pending replies, each readable from its own time on. A fixed ring, so
// queueing and reading never allocate; when full, the oldest reply is lost, as a USB
// input buffer that nobody drains loses reports.

#include "basesim/basetiming.h"
#include "device/wire/frames.h"

#include <array>
#include <cstddef>

namespace basesim {

class ReplyQueue {
public:
    static constexpr std::size_t kCapacity = 16;

    struct Entry {
        wire::ReplyBuffer bytes{};
        Milliseconds readyAt = 0;
    };

    void push(const wire::ReplyBuffer &bytes, Milliseconds readyAt)
    {
        if (count_ == kCapacity)
            pop();
        Entry &entry = entries_[(head_ + count_) % kCapacity];
        entry.bytes = bytes;
        entry.readyAt = readyAt;
        ++count_;
    }
    // The oldest reply when it is readable at `now`, else null.
    const Entry *ready(Milliseconds now) const
    {
        return count_ > 0 && entries_[head_].readyAt <= now ? &entries_[head_] : nullptr;
    }
    void pop()
    {
        if (count_ == 0)
            return;
        head_ = (head_ + 1) % kCapacity;
        --count_;
    }
    void clear() { head_ = count_ = 0; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const Entry &front() const { return entries_[head_]; }

private:
    std::array<Entry, kCapacity> entries_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
};

} // namespace basesim
