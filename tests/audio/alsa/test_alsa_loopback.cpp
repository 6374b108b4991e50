// A tone played through the ALSA playback service at each audio range's
// output rate comes back through the capture service from the null sink's
// monitor at the capture rate (50 Hz lower): at its frequency (so neither
// rate was rounded to a near one), at its level, and in blocks paced by the
// capture rate.
#include "LoopbackRig.h"
#include "TestServer.h"

#include <cmath>
#include <ostream>
#include <string>

namespace moravel::testing {

void PrintTo(const AudioRange& range, std::ostream* out) {
    *out << range.outputRate << "/" << range.captureRate << " Hz, " << range.blockBytes << " bytes";
}

namespace {

using namespace std::chrono_literals;

constexpr double kAmplitude = 0.5;  // of full scale: a sine of -9.03 dB RMS
constexpr double kToneDbfs = -9.03;
constexpr double kMeasuredSeconds = 3.0;
// PipeWire brings the mono tone back from its stereo sink's monitor 3.01 dB
// (a factor sqrt 2) louder than PulseAudio, which gives it back at the level
// played: the two servers mix one channel up to two and back differently.
constexpr double kPipeWireDownmixDb = 3.0103;

double ExpectedToneDbfs() { return kToneDbfs + (OnPipeWire() ? kPipeWireDownmixDb : 0.0); }

// Index of the first block that carries the tone (the server's latency
// comes first, as silence), or the block count.
std::size_t ToneOnset(const std::vector<LoopbackRig::Block>& blocks) {
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (RmsDbfs(blocks[i].samples) > kToneDbfs - 20) return i;
    return blocks.size();
}

TEST(ToneAnalysis, SeesARateRoundedToARoundOneAndMeasuresLevelAndPace) {
    ToneSource tone(400, 4000, kAmplitude);
    std::vector<std::uint8_t> bytes = tone.NextBlock(512);
    const std::vector<std::uint8_t> more = tone.NextBlock(4000);
    bytes.insert(bytes.end(), more.begin(), more.end());
    const std::vector<std::int16_t> samples = AsSamples(bytes.data(), bytes.size());
    EXPECT_NEAR(ZeroCrossingFrequency(samples, 4000), 400, 0.01) << "phase runs on across blocks";
    EXPECT_GT(std::abs(ZeroCrossingFrequency(samples, 3950) - 400), 400 * 0.01) << "4000 Hz taken for 3950 Hz";
    EXPECT_NEAR(RmsDbfs(samples), kToneDbfs, 0.05);

    const auto t0 = std::chrono::steady_clock::now();
    std::vector<std::chrono::steady_clock::time_point> times;
    for (int i = 0; i < 20; ++i) times.push_back(t0 + i * 125ms + (i % 2 ? 10ms : -10ms));  // jittered 8 per second
    EXPECT_NEAR(EventsPerSecond(times), 8, 8 * 0.02);
}

class Loopback : public WithServer, public ::testing::WithParamInterface<AudioRange> {};

TEST_P(Loopback, ToneComesBackAtItsFrequencyAndLevelInBlocksPacedByTheCaptureRate) {
    const AudioRange range = GetParam();
    const double toneHz = range.outputRate / 10.0;
    const double blocksPerSecond = range.captureRate / (range.blockBytes / 2.0);
    AlsaBackend backend;
    LoopbackRig rig(backend, range, toneHz, kAmplitude);
    ASSERT_EQ(rig.Open(), kWaveOk);

    ASSERT_TRUE(PumpUntil([&] { return ToneOnset(rig.Captured()) < rig.Captured().size(); }, 3s))
        << "no tone came back";
    const std::size_t first = ToneOnset(rig.Captured()) + 2;  // past the onset and its neighbour
    const auto wanted = first + static_cast<std::size_t>(kMeasuredSeconds * blocksPerSecond);
    EXPECT_TRUE(PumpUntil([&] { return rig.Captured().size() >= wanted; }, 6s));
    rig.Close();

    std::vector<std::int16_t> tone;
    std::vector<std::chrono::steady_clock::time_point> times;
    for (std::size_t i = first; i < rig.Captured().size(); ++i) {
        const auto& block = rig.Captured()[i];
        ASSERT_EQ(block.samples.size(), range.blockBytes / 2);
        tone.insert(tone.end(), block.samples.begin(), block.samples.end());
        times.push_back(block.at);
    }
    EXPECT_NEAR(ZeroCrossingFrequency(tone, range.captureRate), toneHz, toneHz * 0.01);
    EXPECT_NEAR(RmsDbfs(tone), ExpectedToneDbfs(), 3.0);
    EXPECT_NEAR(EventsPerSecond(times), blocksPerSecond, blocksPerSecond * 0.02);
    EXPECT_GT(rig.BlocksPlayed(), 0);
}

std::string RangeName(const ::testing::TestParamInfo<AudioRange>& info) {
    return "Out" + std::to_string(info.param.outputRate) + "In" + std::to_string(info.param.captureRate) + "Block" +
           std::to_string(info.param.blockBytes);
}

INSTANTIATE_TEST_SUITE_P(AudioRanges, Loopback,
                         ::testing::Values(AudioRange{4000, 3950, 1024}, AudioRange{8500, 8450, 2048},
                                           AudioRange{16000, 15950, 4096}, AudioRange{31000, 30950, 8192}),
                         RangeName);

}  // namespace
}  // namespace moravel::testing
