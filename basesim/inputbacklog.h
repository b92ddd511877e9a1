#pragma once
// The input reports one open handle has not read yet, oldest first. A fixed ring, as the
// host's per-reader buffer: when it is full the oldest report is lost.

#include "device/wire/frames.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace basesim {

class InputBacklog {
public:
    static constexpr std::size_t kCapacity = 64;

    void push(const std::uint8_t *report, std::size_t length)
    {
        if (count_ == kCapacity) {
            head_ = (head_ + 1) % kCapacity;
            --count_;
        }
        Entry &entry = entries_[(head_ + count_) % kCapacity];
        entry.length = std::min(length, entry.bytes.size());
        std::copy(report, report + entry.length, entry.bytes.begin());
        ++count_;
    }
    // Copies the oldest report out and forgets it; 0 when there is none.
    int pop(std::uint8_t *data, std::size_t length)
    {
        if (count_ == 0)
            return 0;
        const Entry &entry = entries_[head_];
        const std::size_t n = std::min(entry.length, length);
        std::copy(entry.bytes.begin(), entry.bytes.begin() + n, data);
        head_ = (head_ + 1) % kCapacity;
        --count_;
        return static_cast<int>(n);
    }
    void clear() { head_ = count_ = 0; }
    // Reports waiting whose id is not `id`.
    std::size_t countNot(std::uint8_t id) const
    {
        std::size_t n = 0;
        for (std::size_t i = 0; i < count_; ++i)
            n += entries_[(head_ + i) % kCapacity].bytes[0] != id;
        return n;
    }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

private:
    struct Entry {
        wire::ReplyBuffer bytes{};
        std::size_t length = 0;
    };
    std::array<Entry, kCapacity> entries_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
};

} // namespace basesim
