// The bridge between the capture and the playback clocks, driven by a
// simulated output whose clock runs apart from the nominal rates.
#include "RateBridge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace moravel {
namespace {

constexpr int kInputRate = 15950;
constexpr int kOutputRate = 16000;
constexpr int kBlock = 2048;

// A simulated output: each block arrives one block's time (at the input
// rate) after the one before, and the device plays `clock` × kOutputRate
// frames a second meanwhile; a device that ran dry starts again from
// nothing. Returns the lead ahead of each block.
// `jitter` frames are added to every other report and taken from the
// others, as a server that takes audio in chunks of its own cycle reports.
std::vector<double> RunAgainstClock(RateBridge& bridge, double clock, int blocks, double jitter = 0) {
    std::vector<std::int16_t> silence(kBlock, 0);
    std::vector<double> leads;
    double lead = 0;
    for (int k = 0; k < blocks; ++k) {
        lead = std::max(0.0, lead - clock * kOutputRate * kBlock / kInputRate);  // played meanwhile
        const double reported = lead + (k % 2 == 0 ? jitter : -jitter);
        leads.push_back(reported);
        lead += static_cast<double>(bridge.Process(silence.data(), silence.size(), std::llround(reported)).size());
    }
    return leads;
}

TEST(RateBridge, HoldsTheLeadAtItsFloorAcrossAClockDifference) {
    const std::int64_t floor = 800;  // 50 ms
    for (const double clock : {1.0, 1.0 + 300e-6, 1.0 - 300e-6}) {
        RateBridge bridge({kInputRate, kOutputRate, floor});
        const std::vector<double> leads = RunAgainstClock(bridge, clock, 2500);  // about 5.3 minutes
        // Settled after two minutes: a steady lead within 2 ms of the floor
        // and the trim equal to the clocks' ratio within 20 ppm.
        for (std::size_t k = 1000; k < leads.size(); ++k) EXPECT_NEAR(leads[k], floor, 32) << "clock " << clock;
        EXPECT_NEAR(bridge.Trim(), clock, 20e-6) << "clock " << clock;
    }
}

TEST(RateBridge, KeepsAJumpyLeadsLowPointsAboveTheFloor) {
    // Reports 10 ms either side of the true lead: the low reports settle
    // above the floor, and the margin is no more than twice the jump.
    const std::int64_t floor = 320;
    RateBridge bridge({kInputRate, kOutputRate, floor});
    const std::vector<double> leads = RunAgainstClock(bridge, 1.0 + 300e-6, 1500, 160);
    for (std::size_t k = 750; k < leads.size(); ++k) {
        EXPECT_GT(leads[k], floor - 16) << "block " << k;
        EXPECT_LT(leads[k], floor + 4 * 160) << "block " << k;
    }
}

TEST(RateBridge, KeepsATonesPitchAtTheOutputRate) {
    RateBridge bridge({kInputRate, kOutputRate, 800});
    std::vector<std::int16_t> in(kBlock), out;
    std::int64_t n = 0;
    for (int k = 0; k < 40; ++k) {
        for (auto& s : in) s = static_cast<std::int16_t>(std::lround(8000 * std::sin(2 * std::numbers::pi * 1000 * n++ / kInputRate)));
        const auto& made = bridge.Process(in.data(), in.size(), -1);
        out.insert(out.end(), made.begin(), made.end());
    }
    // Frames out per frame in is the rates' ratio, and a 1000 Hz tone stays
    // 1000 Hz at the output rate: rising zero crossings over the last 4 s.
    EXPECT_NEAR(static_cast<double>(out.size()) / (40.0 * kBlock), double(kOutputRate) / kInputRate, 1e-4);
    std::vector<double> crossings;
    for (std::size_t i = out.size() - 4 * kOutputRate; i + 1 < out.size(); ++i)
        if (out[i] < 0 && out[i + 1] >= 0) crossings.push_back(i + double(-out[i]) / (out[i + 1] - out[i]));
    const double frequency = (crossings.size() - 1) * double(kOutputRate) / (crossings.back() - crossings.front());
    EXPECT_NEAR(frequency, 1000.0, 0.05);
}

}  // namespace
}  // namespace moravel
