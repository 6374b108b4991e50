// The band noise's spectrum, followed frame by frame by minimum statistics:
// each bin's power, smoothed over its neighbours and over time, has its
// minimum taken over a window of about 1.5 s (four sub-windows, so the
// window slides in steps). Speech seldom fills a bin for that long, so the
// minimum is the noise beneath it; times a bias factor it is the noise's
// mean. A drop of the noise shows at once (the last few frames' minimum,
// still a little high, until the window has filled), a rise within the
// window's length.
//
// All zero is the fresh state (the engine's memset). No allocation.
#pragma once

#include <cstdint>

namespace moravel {

class NoiseTracker {
public:
    static constexpr std::int32_t kMaxBins = 513;

    void Reset();

    /// Takes one frame's bin powers power[0..bins−1]; `frameSeconds` is the
    /// time between frames (it sets the smoothing and the window in frames).
    void Update(const float* power, std::int32_t bins, double frameSeconds);

    /// The estimated noise power of bin k (0 before the first Update).
    float Noise(std::int32_t k) const { return noise_[k]; }

private:
    static constexpr std::int32_t kSubWindows = 4;

    void smoothOverBins(const float* power, std::int32_t bins);
    void closeSubWindow(std::int32_t bins);

    std::int32_t bins_;
    std::int32_t framesInSub_;  // frames in the current sub-window so far
    std::int32_t subWindowsFilled_;
    std::int32_t nextSub_;
    bool started_;
    float smooth_[kMaxBins];   // power smoothed over bins and time
    float current_[kMaxBins];  // minimum of the current sub-window
    float past_[kSubWindows][kMaxBins];
    float noise_[kMaxBins];
    float wide_[kMaxBins];  // scratch: this frame's power over neighbouring bins
};

}  // namespace moravel
