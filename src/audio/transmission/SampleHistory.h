// The last few seconds of audio, so that a transmission's file can start
// before the moment it was recognised (the pre-roll and the attack time).
// Samples are numbered from the first one ever pushed.
#pragma once

#include <cstdint>
#include <vector>

namespace moravel {

class SampleHistory {
public:
    /// Keeps the last `capacity` (> 0) samples.
    explicit SampleHistory(std::int64_t capacity) : ring_(static_cast<std::size_t>(capacity)) {}

    void Push(const std::int16_t* samples, std::int32_t count);

    /// Samples pushed so far: the number the next sample will get.
    std::int64_t End() const { return end_; }
    /// The oldest sample still kept.
    std::int64_t Begin() const;

    /// Copies samples [from, End()) (from no earlier than Begin()) to `out`.
    void CopySince(std::int64_t from, std::vector<std::int16_t>& out) const;

private:
    std::vector<std::int16_t> ring_;
    std::int64_t end_ = 0;
};

}  // namespace moravel
