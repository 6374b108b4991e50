// The player's position track bar counts in int, a file's frames in 64 bits:
// a recording of up to 4 GiB, whose frames are single bytes, has up to 2^32
// of them. The scale shows such a file in steps of several frames; every
// file of fewer than 2^31 frames keeps one step per frame.
//
// Pure arithmetic; any thread.
#pragma once

#include <cstdint>

namespace moravel {

class TrackBarScale {
public:
    /// For a file of `frames` frames (≥ 0).
    explicit TrackBarScale(std::int64_t frames);

    /// The bar's maximum: the last step, at or just before the end.
    int Maximum() const;
    /// The step that holds `frame` (0 … frames), 0 … Maximum().
    int BarValue(std::int64_t frame) const;
    /// The first frame of step `value` (0 … Maximum()).
    std::int64_t Frame(int value) const;

private:
    std::int64_t frames_;
    std::int64_t framesPerStep_;
};

}  // namespace moravel
