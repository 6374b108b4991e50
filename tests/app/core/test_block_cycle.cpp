// The block cycle's player catch-up: a second block of the file when the
// output runs short, and only while the player runs.
#include "app/pipeline/BlockCycle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace moravel {
namespace {

constexpr std::int32_t kRate = 8000;
constexpr std::int32_t kBytes = 1024;

// Counts what the cycle asks for; the output runs short `shortCalls` times.
class CountingClient final : public CycleClient {
public:
    int playerBlocks = 0, outputs = 0, shortCalls = 0;
    void ShowAvailable(long double) override {}
    void ShowBufferCycle(long double) override {}
    void ShowBuffersBehind(std::int32_t) override {}
    void ShowProcessTime(long double) override {}
    void ReadPlayerBlock(std::int16_t*, std::int32_t) override { ++playerBlocks; }
    void ShowAgcMeter(std::int32_t) override {}
    void PlotSpectral(const float*, std::int32_t) override {}
    void PlotSignal(const std::int16_t*, std::int32_t) override {}
    void WriteOutput(const std::uint8_t*, std::int32_t) override { ++outputs; }
    void WriteRecording(const std::int16_t*, std::int32_t) override {}
    bool OutputRunsShort() override { return shortCalls-- > 0; }
};

TEST(BlockCycle, APlayerBlockFollowsAtOnceWhenTheOutputRunsShort) {
    Engine engine;
    engine.Configure(kRate, kBytes);
    std::int64_t now = 0;
    Stopwatch stopwatch([&now] { return now; });
    PipelineState state;
    state.SamplingEnabled = true;
    BlockCycle cycle(engine, stopwatch, state);
    std::vector<std::uint8_t> block(kBytes);
    for (const bool player : {false, true}) {
        CountingClient client;
        client.shortCalls = 1;
        CycleControls controls;
        controls.playerActive = player;
        for (int k = 0; k < 3; ++k) {
            now += 128'000'000;  // a block's time apart
            ASSERT_TRUE(cycle.WaveInData(block.data(), kBytes, controls, client));
        }
        // Three captured blocks; while the player runs, one more of the file
        // for the one time the output ran short.
        EXPECT_EQ(client.outputs, player ? 4 : 3) << "player " << player;
        EXPECT_EQ(client.playerBlocks, player ? 4 : 0) << "player " << player;
    }
    EXPECT_EQ(state.BlocksProcessed, 7);
}

}  // namespace
}  // namespace moravel
