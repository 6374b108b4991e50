// The bridge between the capture and the playback clocks, driven by a
// simulated output whose clock runs apart from the nominal rates.
#include "audio/rate/RateBridge.h"

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
// nothing. Run returns the lead ahead of each block; `jitter` frames are
// added to every other report and taken from the others, as a server that
// takes audio in chunks of its own cycle reports.
struct SimulatedOutput {
    double clock = 1.0;
    double jitter = 0;
    double lead = 0;
    int blocksSoFar = 0;

    std::vector<double> Run(RateBridge& bridge, int blocks) {
        const std::vector<std::int16_t> silence(kBlock, 0);
        std::vector<double> leads;
        for (int k = 0; k < blocks; ++k, ++blocksSoFar) {
            lead = std::max(0.0, lead - clock * kOutputRate * kBlock / kInputRate);  // played meanwhile
            const double reported = lead + (blocksSoFar % 2 == 0 ? jitter : -jitter);
            leads.push_back(reported);
            lead += static_cast<double>(bridge.Process(silence.data(), silence.size(), std::llround(reported)).size());
        }
        return leads;
    }
};

std::vector<double> RunAgainstClock(RateBridge& bridge, double clock, int blocks, double jitter = 0) {
    return SimulatedOutput{clock, jitter}.Run(bridge, blocks);
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

TEST(RateBridge, AGapRaisesTheFloorWhichSinksBackWithoutOne) {
    RateBridge bridge({kInputRate, kOutputRate, 320});
    SimulatedOutput output;
    output.Run(bridge, 50);
    for (int k = 0; k < 3; ++k) bridge.RaiseFloor();  // three gaps: 30 ms up
    EXPECT_DOUBLE_EQ(bridge.Floor(), 320 + 3 * 160);
    // Held there at first; most of the way back after four minutes without
    // a gap, the lead with it, and no silence put in for the raised floor.
    std::vector<double> leads = output.Run(bridge, 250);
    EXPECT_NEAR(leads.back(), bridge.Floor(), 160);
    EXPECT_GT(bridge.Floor(), 320 + 0.8 * 480);
    leads = output.Run(bridge, 1650);
    EXPECT_LT(bridge.Floor(), 320 + 0.35 * 480);
    EXPECT_NEAR(leads.back(), bridge.Floor(), 48);
    EXPECT_EQ(bridge.Resyncs(), 1) << "only the start's";
    RateBridge capped({kInputRate, kOutputRate, 320});
    SimulatedOutput{}.Run(capped, 20);
    for (int k = 0; k < 20; ++k) capped.RaiseFloor();
    EXPECT_DOUBLE_EQ(capped.Floor(), 1600) << "at most 100 ms";
}

TEST(RateBridge, ABlockTooManyIsDroppedWithinAFewBlocksAndNoGapRaisesTheFloorAtTheStart) {
    RateBridge bridge({kInputRate, kOutputRate, 320});
    SimulatedOutput output;
    output.Run(bridge, 5);
    bridge.RaiseFloor();  // the start's own gaps
    EXPECT_DOUBLE_EQ(bridge.Floor(), 320);
    output.Run(bridge, 60);
    const std::int64_t resyncs = bridge.Resyncs();
    output.lead += kBlock;  // two blocks came at once
    const std::vector<double> leads = output.Run(bridge, 8);
    EXPECT_EQ(bridge.Resyncs(), resyncs + 1);
    EXPECT_NEAR(leads.back(), 320, 48) << "back at the floor within eight blocks, not four seconds";
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
