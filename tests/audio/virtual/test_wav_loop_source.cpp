// A WAV file as the capture signal: looped without a seam, read as the
// player reads it, resampled to the capture rate, and refused with the file
// name and the reason when it cannot be played.
#include "VirtualTestSupport.h"
#include "WavTestSupport.h"
#include "audio/virtual/WavLoopSource.h"

#include "../../app/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace moravel {
namespace {

using namespace testing;
using Samples = std::vector<std::int16_t>;

Bytes waveAt(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits, const Bytes& data) {
    const auto align = std::uint16_t(channels * bits / 8);
    return Wave(Cat({Chunk("fmt ", FmtPcmPart(kWaveFormatPcm, channels, rate, align, bits)), Chunk("data", data)}));
}

Samples sine(std::size_t count, double hz, std::int32_t rate, double amplitude) {
    Samples out(count);
    for (std::size_t k = 0; k < count; ++k)
        out[k] = std::int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * double(k) / rate)));
    return out;
}

// What linear interpolation leaves of a tone: its response is sinc^2 of
// the frequency in units of the input rate.
double interpolatedAmplitude(double amplitude, double hz, double inRate) {
    const double x = std::numbers::pi * hz / inRate;
    return amplitude * std::pow(std::sin(x) / x, 2);
}

Samples fillInPieces(SampleSource& source, std::size_t total, std::size_t piece) {
    Samples out;
    while (out.size() < total) {
        Samples part(std::min(piece, total - out.size()));
        source.Fill(part.data(), part.size());
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

class WavLoop : public ::testing::Test {
protected:
    std::string write(const Bytes& image, const std::string& name = "loop.wav") {
        const std::string path = dir.File(name);
        WriteFile(path, image);
        return path;
    }
    std::string errorOf(const std::string& path) {
        try {
            WavLoopSource source(path, 8000);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "";
    }
    TempFolder dir;
};

// Longer than one read of the file (4096 samples) and of odd length, so
// that both a refill and the wrap fall inside a Fill call.
TEST_F(WavLoop, RepeatsTheFileWithoutASeam) {
    Samples file(5003);
    for (std::size_t k = 0; k < file.size(); ++k) file[k] = std::int16_t(int(k) * 13 - 30000);
    const std::string path = write(waveAt(8000, 1, 16, Samples16(file)));
    for (std::size_t piece : {1U, 333U, 4096U, 12000U}) {
        WavLoopSource source(path, 8000);
        const Samples out = fillInPieces(source, 3 * file.size() + 17, piece);
        for (std::size_t j = 0; j < out.size(); ++j) ASSERT_EQ(out[j], file[j % file.size()]) << piece << " at " << j;
    }
}

TEST_F(WavLoop, ReadsEightBitAndStereoAsThePlayerDoes) {
    WavLoopSource eightBit(write(waveAt(8000, 1, 8, {0, 128, 255, 1}), "u8.wav"), 8000);
    EXPECT_EQ(fillInPieces(eightBit, 6, 6), (Samples{12800, 0, -12700, 12700, 12800, 0}));
    WavLoopSource stereo(write(waveAt(8000, 2, 16, Samples16({100, -1, -200, -2})), "s16.wav"), 8000);
    EXPECT_EQ(fillInPieces(stereo, 4, 4), (Samples{100, -200, 100, -200}));
}

// One second of 700 Hz at 8000 Hz (whole cycles) captured at 3950 Hz: the
// tone stays at 700 Hz, and the loop repeats every 3950 output samples.
TEST_F(WavLoop, ResamplesDownToTheCaptureRate) {
    WavLoopSource source(write(waveAt(8000, 1, 16, Samples16(sine(8000, 700, 8000, 10000)))), 3950);
    EXPECT_EQ(source.FileRate(), 8000);
    const Samples out = fillInPieces(source, 3 * 3950, 1024);
    for (std::size_t j = 0; j < 3950; ++j) ASSERT_EQ(out[j + 3950], out[j]) << j;
    const Samples second(out.begin(), out.begin() + 3950);
    EXPECT_NEAR(ToneAmplitude(second, 700, 3950), interpolatedAmplitude(10000, 700, 8000), 50);
    EXPECT_LT(ToneAmplitude(second, 600, 3950), 100);
    EXPECT_LT(ToneAmplitude(second, 800, 3950), 100);
}

TEST_F(WavLoop, ResamplesUpToTheCaptureRate) {
    WavLoopSource source(write(waveAt(4000, 1, 16, Samples16(sine(4000, 500, 4000, 10000)))), 8450);
    const Samples out = fillInPieces(source, 8450, 1024);
    EXPECT_NEAR(ToneAmplitude(out, 500, 8450), interpolatedAmplitude(10000, 500, 4000), 50);
    EXPECT_LT(ToneAmplitude(out, 3500, 8450), 300);  // the image above the file's band stays small
    // Linear interpolation never overshoots its neighbours.
    int most = 0;
    for (std::int16_t s : out) most = std::max(most, std::abs(int(s)));
    EXPECT_LE(most, 10000);
}

TEST_F(WavLoop, RefusesWhatCannotBePlayedNamingFileAndReason) {
    const std::string missing = dir.File("missing.wav");
    EXPECT_EQ(errorOf(missing), "Cannot loop WAV file \"" + missing + "\": Can't open file stream.");
    const std::string text = write(Text("not a wave file at all"), "text.wav");
    const std::string message = errorOf(text);
    EXPECT_EQ(message.rfind("Cannot loop WAV file \"" + text + "\": ", 0), 0U) << message;
    EXPECT_GT(message.size(), ("Cannot loop WAV file \"" + text + "\": ").size());
    EXPECT_EQ(errorOf(write(waveAt(8000, 1, 24, Bytes(30, 0)), "24.wav")),
              "Cannot loop WAV file \"" + dir.File("24.wav") + "\": not 1 or 2 channels of 8- or 16-bit PCM");
    EXPECT_EQ(errorOf(write(waveAt(8000, 1, 16, {}), "empty.wav")),
              "Cannot loop WAV file \"" + dir.File("empty.wav") + "\": no samples");
}

TEST_F(WavLoop, FactoryChecksTheFileAtOnceAndOpensItPerSession) {
    EXPECT_THROW(WavLoopSource::Factory(dir.File("missing.wav")), std::runtime_error);
    const SourceFactory factory = WavLoopSource::Factory(write(waveAt(8000, 1, 16, Samples16({5, 6, 7}))));
    for (int session = 0; session < 2; ++session) {
        const std::unique_ptr<SampleSource> source = factory(8000);
        EXPECT_EQ(fillInPieces(*source, 4, 4), (Samples{5, 6, 7, 5})) << session;
    }
}

}  // namespace
}  // namespace moravel
