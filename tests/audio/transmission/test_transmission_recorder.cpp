// The transmission recorder on generated recordings: a tone at -13 dBFS in
// band noise at about -55 dBFS, fed block by block as the batch tool and
// the window feed it.
#include "audio/transmission/SignalGate.h"
#include "BurstRecording.h"
#include "TempFolder.h"
#include "audio/transmission/TransmissionFileName.h"
#include "audio/transmission/TransmissionLog.h"
#include "audio/transmission/TransmissionRecorder.h"
#include "audio/waveio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace moravel {
namespace {

namespace fs = std::filesystem;
using testing::Burst;
using testing::BurstRecording;
using testing::ReadText;
using testing::TempFolder;

constexpr std::int32_t kRate = 8000;
constexpr std::int32_t kBlock = 1024;

// A display spectrum with its peak at 1000 Hz (point 40 of 25 Hz points).
struct FakeSpectrum {
    std::vector<float> points = std::vector<float>(161, 1.0f);
    FakeSpectrum() { points[40] = 50; }
    BlockSpectrum View() const { return {points.data(), static_cast<std::int32_t>(points.size()), 25.0}; }
};

std::chrono::system_clock::time_point LocalNoon() {
    std::tm noon{};
    noon.tm_year = 2026 - 1900;
    noon.tm_mon = 11;
    noon.tm_mday = 9;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&noon));
}

bool FeedAll(TransmissionRecorder& recorder, const std::vector<std::int16_t>& samples) {
    const FakeSpectrum spectrum;
    for (std::size_t at = 0; at < samples.size(); at += kBlock) {
        const auto n = static_cast<std::int32_t>(std::min<std::size_t>(kBlock, samples.size() - at));
        if (!recorder.Feed(samples.data() + at, n, spectrum.View())) return false;
    }
    return true;
}

std::vector<std::int16_t> FileSamples(const std::string& path) {
    FileWaveStream stream(path, nullptr);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(stream.FrameCount() / 2));
    stream.Read(samples.data(), static_cast<std::int32_t>(stream.FrameCount()));
    return samples;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    return fields;
}

std::size_t FirstLoud(const std::vector<std::int16_t>& samples) {
    for (std::size_t n = 0; n < samples.size(); ++n)
        if (std::abs(samples[n]) > 2000) return n;
    return samples.size();
}

std::size_t LastLoud(const std::vector<std::int16_t>& samples) {
    for (std::size_t n = samples.size(); n > 0; --n)
        if (std::abs(samples[n - 1]) > 2000) return n;
    return 0;
}

TEST(SignalGate, OpensAfterTheAttackAndClosesAfterTheHang) {
    SignalGate gate(100, 300);  // samples
    EXPECT_EQ(gate.Step(true, 0, 50), SignalGate::Event::kNone);
    EXPECT_EQ(gate.Step(false, 50, 100), SignalGate::Event::kNone);  // a click shorter than the attack
    EXPECT_EQ(gate.Step(true, 100, 150), SignalGate::Event::kNone);
    EXPECT_EQ(gate.Step(true, 150, 200), SignalGate::Event::kOpened);
    EXPECT_EQ(gate.Onset(), 100);
    EXPECT_EQ(gate.Step(false, 200, 400), SignalGate::Event::kNone);  // a pause shorter than the hang
    EXPECT_EQ(gate.Step(true, 400, 450), SignalGate::Event::kNone);
    EXPECT_EQ(gate.Step(false, 450, 700), SignalGate::Event::kNone);
    EXPECT_EQ(gate.Step(false, 700, 750), SignalGate::Event::kClosed);
    EXPECT_FALSE(gate.Open());
}

TEST(TransmissionRecorder, FiveTransmissionsGiveFiveFilesAndLogRowsWithinAttackAndHang) {
    const std::vector<Burst> bursts = {{5.5, 2}, {20.5, 7}, {40.5, 0.6}, {55.5, 12}, {80.5, 3.3}};
    TransmissionSettings settings;  // -35 dBFS, 0.2 s attack, 2 s hang, 1 s pre-roll
    TempFolder folder;
    TransmissionRecorder recorder(folder.Path().string(), kRate, settings, LocalNoon());
    ASSERT_TRUE(FeedAll(recorder, BurstRecording(kRate, 95, bursts)));
    ASSERT_TRUE(recorder.Finish()) << recorder.Error();
    EXPECT_EQ(recorder.FilesClosed(), 5);

    const auto rows = Lines(ReadText(folder.File(TransmissionLog::kFileName)));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0] + "\n", TransmissionLog::kHeader);
    for (std::size_t i = 0; i < bursts.size(); ++i) {
        SCOPED_TRACE(i);
        const Burst& burst = bursts[i];
        const auto fields = Fields(rows[i + 1]);
        ASSERT_EQ(fields.size(), 5u);
        const auto startTime = std::chrono::system_clock::to_time_t(LocalNoon()) + static_cast<std::time_t>(burst.start);
        EXPECT_EQ(fields[0], TransmissionClock(startTime));
        EXPECT_EQ(fields[4], TransmissionStem(startTime) + ".wav");
        EXPECT_GE(std::stod(fields[1]), burst.length);
        EXPECT_LE(std::stod(fields[1]), burst.length + settings.hangSeconds + 0.05);
        EXPECT_NEAR(std::stod(fields[2]), -13, 1);
        EXPECT_EQ(fields[3], "1000");

        // The tone starts a pre-roll into the file, give or take the attack,
        // and the file ends no later than a hang after it.
        const auto samples = FileSamples(folder.File(fields[4]));
        const double toneStart = static_cast<double>(FirstLoud(samples)) / kRate;
        const double toneEnd = static_cast<double>(LastLoud(samples)) / kRate;
        EXPECT_NEAR(toneStart, settings.preRollSeconds, settings.attackSeconds);
        EXPECT_NEAR(toneEnd - toneStart, burst.length, 0.01);
        const double tail = static_cast<double>(samples.size()) / kRate - toneEnd;
        EXPECT_GE(tail, settings.hangSeconds - 0.05);
        EXPECT_LE(tail, settings.hangSeconds + 0.05);
    }
}

TEST(TransmissionRecorder, TransmissionStillOnAtTheEndIsClosedAndLogged) {
    TempFolder folder;
    TransmissionRecorder recorder(folder.Path().string(), kRate, TransmissionSettings{}, LocalNoon());
    ASSERT_TRUE(FeedAll(recorder, BurstRecording(kRate, 6, {{3.5, 10}})));
    EXPECT_EQ(recorder.CurrentState(), TransmissionRecorder::State::kRecording);
    ASSERT_TRUE(recorder.Finish());
    const auto rows = Lines(ReadText(folder.File(TransmissionLog::kFileName)));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NEAR(std::stod(Fields(rows[1])[1]), 2.5, 0.05);
    EXPECT_EQ(FileSamples(folder.File(Fields(rows[1])[4])).size(), static_cast<std::size_t>(3.5 * kRate));
}

TEST(TransmissionRecorder, NameTakenInTheSameSecondGetsANumber) {
    TempFolder folder;
    const std::time_t time = std::chrono::system_clock::to_time_t(LocalNoon());
    const std::string first = FreeTransmissionPath(folder.Path().string(), time);
    EXPECT_EQ(fs::path(first).filename(), TransmissionStem(time) + ".wav");
    testing::WriteText(first, "");
    EXPECT_EQ(fs::path(FreeTransmissionPath(folder.Path().string(), time)).filename(),
              TransmissionStem(time) + "-2.wav");
}

// The folder moved away mid-transmission: the mode stops with the
// recorder's message, and the file closed before and its log row stay.
TEST(TransmissionRecorder, RemovedFolderStopsTheModeAndKeepsEarlierFiles) {
    TempFolder parent;
    const std::string folder = parent.File("rx");
    fs::create_directory(folder);
    TransmissionRecorder recorder(folder, kRate, TransmissionSettings{}, LocalNoon());
    const auto samples = BurstRecording(kRate, 30, {{2.5, 2}, {10.5, 15}});
    const FakeSpectrum spectrum;
    const std::size_t cut = 15 * kRate;
    ASSERT_TRUE(recorder.Feed(samples.data(), static_cast<std::int32_t>(cut), spectrum.View()));
    ASSERT_EQ(recorder.CurrentState(), TransmissionRecorder::State::kRecording);
    fs::rename(folder, parent.File("moved"));
    EXPECT_FALSE(recorder.Feed(samples.data() + cut, static_cast<std::int32_t>(samples.size() - cut), spectrum.View()));
    EXPECT_EQ(recorder.CurrentState(), TransmissionRecorder::State::kFailed);
    EXPECT_NE(recorder.Error().find("stopped: the file or its folder was removed"), std::string::npos)
        << recorder.Error();
    EXPECT_EQ(Lines(ReadText(parent.File("moved/transmissions.csv"))).size(), 2u);
    EXPECT_FALSE(recorder.Finish());
}

}  // namespace
}  // namespace moravel
