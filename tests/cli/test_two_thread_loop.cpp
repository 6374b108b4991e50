// The batch loop on two threads (reading and analysis ahead on a second
// engine) against the loop on one: the same output bytes, the same display
// values in every block callback, and failures met at the same block with
// the same bytes written before them.
#include "MemoryWave.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

namespace moravel {
namespace {

using testing::MonoWave16;

std::vector<std::int16_t> ToneAndNoise(std::size_t count, double rate, unsigned seed, double level) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-level, level);
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double tone = level * 3 * std::sin(2 * 3.141592653589793 * 1000.0 * static_cast<double>(i) / rate);
        samples[i] = static_cast<std::int16_t>(std::clamp(tone + noise(random), -32768.0, 32767.0));
    }
    return samples;
}

ChainSettings EveryStage(std::int32_t filterType) {
    ChainSettings s;
    s.dynamics.agcOn = true;
    s.dynamics.agcLevel = 30000;
    s.dynamics.agcDecay = 2;
    s.dynamics.noiseBlankerOn = true;
    s.dynamics.noiseBlankerLevel = 20;
    s.dynamics.compressorOn = true;
    s.dynamics.compressorThreshold = -50;
    s.dynamics.compressorGain = 10;
    s.dynamics.expanderOn = true;
    s.dynamics.expanderThreshold = 50;
    s.dynamics.expanderGain = -10;
    s.filterOn = true;
    s.filterType = filterType;
    s.filterCenter = 1200;
    s.filterWidth = 900;
    s.shiftOn = true;
    s.shiftPosition = 40;
    s.equalizerOn = true;
    s.equalizer = {10, -10, 5, 0, -5, 10, -10};
    s.resolutionIndex = 2;
    s.decay = 7;
    s.cleanup = CleanSpeech(s.cleanup);  // impulse blanker, noise reduction, automatic notch
    s.cleanup.notchHz[0] = 700;
    s.cleanup.notchCount = 1;
    return s;
}

// What one run leaves: the output file and, per block callback, the display
// values the spectrum CSV and the picture read.
struct RunResult {
    std::vector<std::uint8_t> image;
    std::vector<std::vector<float>> displays;
    std::string failure;  // empty when the run finished
};

// A memory file whose reads or writes fail once they reach byte `failAt`.
class FailingFile : public MemoryRiffFile {
public:
    enum Side { kReads, kWrites };
    FailingFile(std::vector<std::uint8_t> bytes, Side side, std::int64_t failAt)
        : MemoryRiffFile(std::move(bytes)), side_(side), failAt_(failAt) {}
    std::int64_t read(void* buffer, std::int64_t count) override {
        if (side_ == kReads && tell() + count > failAt_) return -1;
        return MemoryRiffFile::read(buffer, count);
    }
    std::int64_t write(const void* buffer, std::int64_t count) override {
        if (side_ == kWrites && tell() + count > failAt_) return -1;
        return MemoryRiffFile::write(buffer, count);
    }

private:
    Side side_;
    std::int64_t failAt_;
};

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// Runs the loop; `stopAfter` blocks in, the progress callback throws (as an
// interruption does).
RunResult Process(const std::vector<std::uint8_t>& wave, const ChainSettings& settings, LoopThreads threads,
                  FailingFile::Side side = FailingFile::kReads, std::int64_t failAt = kNever,
                  std::int64_t stopAfter = kNever) {
    FailingFile in(wave, side == FailingFile::kReads ? side : FailingFile::kWrites,
                   side == FailingFile::kReads ? failAt : kNever);
    WaveStream reader(in, nullptr);
    const WaveFormatEx format = OutputFormat(static_cast<std::int32_t>(reader.Format().nSamplesPerSec));
    FailingFile out({}, FailingFile::kWrites, side == FailingFile::kWrites ? failAt : kNever);
    RunResult run;
    {
        WaveStream writer(out, &format);
        LoopCallbacks callbacks;
        callbacks.block = [&](std::int64_t, const Engine& e) {
            std::vector<float> values(e.DisplaySpectrum, e.DisplaySpectrum + e.DisplayCount + 1);
            values.push_back(static_cast<float>(e.PeakValue));
            values.push_back(e.PeakFrequency);
            run.displays.push_back(std::move(values));
        };
        std::int64_t calls = 0;
        callbacks.progress = [&](std::int64_t, std::int64_t) {
            if (++calls == stopAfter) throw std::runtime_error("stopped");
        };
        const auto engine = std::make_unique<Engine>();
        try {
            ProcessWave(reader, writer, settings, *engine, callbacks, threads);
            writer.Finish();
        } catch (const std::exception& error) {
            run.failure = error.what();
        }
    }
    run.image = out.bytes();
    return run;
}

void ExpectSameRuns(const RunResult& one, const RunResult& two, const std::string& what) {
    EXPECT_EQ(one.failure, two.failure) << what;
    EXPECT_EQ(one.image, two.image) << what;
    ASSERT_EQ(one.displays.size(), two.displays.size()) << what;
    for (std::size_t b = 0; b < one.displays.size(); ++b) {
        // Bit for bit, NaN and −0 included.
        ASSERT_EQ(one.displays[b].size(), two.displays[b].size()) << what << ", block " << b;
        EXPECT_EQ(std::memcmp(one.displays[b].data(), two.displays[b].data(), one.displays[b].size() * sizeof(float)),
                  0)
            << what << ", block " << b;
    }
}

TEST(TwoThreadLoop, SameOutputAndDisplaysAsOneThreadAtEveryBlockSizeAndFilter) {
    // 8000 Hz gives 1024-sample blocks, 11025 Hz 2048, 48000 and 96000 Hz 4096.
    for (const std::uint32_t rate : {8000u, 11025u, 48000u, 96000u}) {
        for (const std::int32_t filterType : {0, 1, 2, 3}) {
            const auto wave = MonoWave16(rate, ToneAndNoise(3 * rate / 2 + 77, rate, rate + filterType, 2000));
            const ChainSettings settings = EveryStage(filterType);
            const RunResult one = Process(wave, settings, LoopThreads::kOne);
            const RunResult two = Process(wave, settings, LoopThreads::kTwo);
            ASSERT_TRUE(one.failure.empty()) << one.failure;
            ExpectSameRuns(one, two, std::to_string(rate) + " Hz, filter " + std::to_string(filterType));
        }
    }
}

TEST(TwoThreadLoop, SameOutputForDefaultsShortFilesAndLoudInput) {
    const ChainSettings defaults;
    for (const std::size_t length : {0u, 1u, 1023u, 1024u, 1025u, 5000u}) {
        const auto wave = MonoWave16(8000, ToneAndNoise(length, 8000, 3, 3000));
        ExpectSameRuns(Process(wave, defaults, LoopThreads::kOne), Process(wave, defaults, LoopThreads::kTwo),
                       std::to_string(length) + " samples");
    }
    // Clipping input with every stage at its strongest.
    const auto loud = MonoWave16(22050, ToneAndNoise(40000, 22050, 9, 16000));
    ExpectSameRuns(Process(loud, EveryStage(1), LoopThreads::kOne), Process(loud, EveryStage(1), LoopThreads::kTwo),
                   "loud");
}

// The header of a file the stream writes: RIFF (12 bytes), fmt with its
// 18-byte format (26), the data chunk's own header (8).
constexpr std::int64_t kHeader = 46;

// 8000 Hz, 1024-sample blocks of 2048 bytes after the header: a read
// failing inside input block 3 is met after output blocks 0 and 1 (input
// blocks 1 and 2) were written, with either loop.
TEST(TwoThreadLoop, ReadFailurePartWayIsReportedAfterTheSameBlocks) {
    const auto wave = MonoWave16(8000, ToneAndNoise(8 * 1024, 8000, 5, 2000));
    const std::int64_t insideBlock3 = kHeader + 3 * 2048 + 100;
    const RunResult one = Process(wave, EveryStage(1), LoopThreads::kOne, FailingFile::kReads, insideBlock3);
    const RunResult two = Process(wave, EveryStage(1), LoopThreads::kTwo, FailingFile::kReads, insideBlock3);
    EXPECT_EQ(one.failure, "Error reading from file.");
    EXPECT_EQ(one.displays.size(), 2u);
    EXPECT_EQ(static_cast<std::int64_t>(one.image.size()), kHeader + 2 * 2048);
    ExpectSameRuns(one, two, "read failure");
}

TEST(TwoThreadLoop, WriteFailureStopsBothLoopsAtTheSameByte) {
    const auto wave = MonoWave16(8000, ToneAndNoise(8 * 1024, 8000, 6, 2000));
    const std::int64_t insideBlock3 = kHeader + 3 * 2048 - 10;
    const RunResult one = Process(wave, EveryStage(2), LoopThreads::kOne, FailingFile::kWrites, insideBlock3);
    const RunResult two = Process(wave, EveryStage(2), LoopThreads::kTwo, FailingFile::kWrites, insideBlock3);
    EXPECT_EQ(one.failure, "Error writing to file.");
    EXPECT_EQ(one.displays.size(), 2u);  // output blocks 0 and 1; block 2 did not fit
    EXPECT_EQ(static_cast<std::int64_t>(one.image.size()), kHeader + 2 * 2048);
    ExpectSameRuns(one, two, "write failure");
}

TEST(TwoThreadLoop, AnInterruptionFromTheProgressCallbackStopsAtTheSameBlock) {
    const auto wave = MonoWave16(8000, ToneAndNoise(20 * 1024, 8000, 8, 2000));
    for (const std::int64_t stopAfter : {1, 2, 7}) {
        const RunResult one = Process(wave, EveryStage(3), LoopThreads::kOne, FailingFile::kReads, kNever, stopAfter);
        const RunResult two = Process(wave, EveryStage(3), LoopThreads::kTwo, FailingFile::kReads, kNever, stopAfter);
        EXPECT_EQ(one.failure, "stopped");
        // Progress call k follows output block k − 2 (block 0 writes nothing).
        EXPECT_EQ(one.displays.size(), static_cast<std::size_t>(stopAfter - 1));
        ExpectSameRuns(one, two, "stopped after " + std::to_string(stopAfter));
    }
}

}  // namespace
}  // namespace moravel
