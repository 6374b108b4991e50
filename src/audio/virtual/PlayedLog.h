// Everything the playback devices of a virtual card played, as mono 16-bit
// samples, kept for tests when enabled (it grows without bound).
//
// Threads: any; it has its own lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace moravel::vcard {

class PlayedLog {
public:
    explicit PlayedLog(bool enabled) : enabled_(enabled) {}

    void Append(const std::int16_t* samples, std::size_t count) {
        if (!enabled_) return;
        std::lock_guard lock(mutex_);
        samples_.insert(samples_.end(), samples, samples + count);
    }
    std::vector<std::int16_t> Snapshot() const {
        std::lock_guard lock(mutex_);
        return samples_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        samples_.clear();
    }

private:
    const bool enabled_;
    mutable std::mutex mutex_;
    std::vector<std::int16_t> samples_;
};

}  // namespace moravel::vcard
