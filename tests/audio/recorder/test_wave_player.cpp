// The player: which files it opens and refuses, the device settings for a
// file's rate, the blocks it reads from files made by sox and by the
// recorder, and the position logic of the track bar (loop, finish, pause,
// seek).
#include "audio/recorder/PlayableFormat.h"
#include "RecorderTestSupport.h"
#include "audio/recorder/TrackBarScale.h"
#include "audio/recorder/WavePlayer.h"
#include "audio/recorder/WaveRecorder.h"

#include "../../app/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace moravel {
namespace {

using namespace testing;

Bytes waveFile(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
               const Bytes& data = {}) {
    const auto align = std::uint16_t(channels * bits / 8);
    const Bytes fmt = tag == 1 ? FmtPcmPart(tag, channels, rate, align, bits)
                               : Cat({FmtPcmPart(tag, channels, rate, align, bits), Le16(0)});
    return Wave(Cat({Chunk("fmt ", fmt), Chunk("data", data)}));
}

std::vector<std::int16_t> ramp(int n) {
    std::vector<std::int16_t> v;
    for (int k = 0; k < n; ++k) v.push_back(std::int16_t(k * 13 - 20000));
    return v;
}

class Player : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ToolInstalled("sox")); }

    // A WAV file made by sox from raw little-endian bytes.
    std::string soxFile(const Bytes& raw, int rate, int channels, int bits) {
        WriteFile(dir.File("in.raw"), raw);
        const std::string out = dir.File("sox.wav");
        const std::string encoding = bits == 8 ? "unsigned" : "signed";
        EXPECT_TRUE(RunCommand("sox -t raw -r " + std::to_string(rate) + " -e " + encoding + " -b " +
                               std::to_string(bits) + " -c " + std::to_string(channels) + " " + dir.File("in.raw") +
                               " " + out));
        return out;
    }

    std::string writeWave(const Bytes& bytes) {
        const std::string path = dir.File("made.wav");
        WriteFile(path, bytes);
        return path;
    }

    // One block of `bytes` bytes, zeroed before the read as the cycle does.
    std::vector<std::int16_t> read(WavePlayer& player, std::int32_t bytes, PlayerControls controls = {}) {
        std::vector<std::int16_t> block(std::size_t(bytes / 2), 0);
        player.ReadBlock(block.data(), bytes, controls);
        return block;
    }

    TempFolder dir;
};

TEST_F(Player, MissingAndForeignFilesGiveTheirMessages) {
    EXPECT_STREQ(WavePlayer::kMissingFileMessage, "The audio file does not exist and therefore cannot be played.");
    EXPECT_FALSE(WavePlayer::FileExists(dir.File("none.wav")));
    EXPECT_FALSE(WavePlayer::FileExists(dir.Path().string()));
    EXPECT_EQ(MessageOf([&] { WavePlayer player(dir.File("none.wav")); }), "Can't open file stream.");
    const std::string text = writeWave(Text("just some text, no RIFF header at all"));
    EXPECT_TRUE(WavePlayer::FileExists(text));
    EXPECT_EQ(MessageOf([&] { WavePlayer player(text); }), "Not a wave file!");
}

// Each would play silence forever; the message says what the file holds.
TEST_F(Player, FormatsOutsideTheTableAreRefusedByName) {
    struct Case {
        Bytes file;
        std::string description;
    };
    const std::vector<Case> cases = {
        {waveFile(3, 1, 8000, 32), "IEEE float, 32 bits, 1 channel, block alignment 4, 8000 Hz"},
        {waveFile(6, 1, 8000, 8), "A-law, 8 bits, 1 channel, block alignment 1, 8000 Hz"},
        {waveFile(1, 1, 44100, 24), "PCM, 24 bits, 1 channel, block alignment 3, 44100 Hz"},
        {waveFile(1, 3, 8000, 16), "PCM, 16 bits, 3 channels, block alignment 6, 8000 Hz"},
        {waveFile(0x1234, 2, 8000, 16), "format tag 4660, 16 bits, 2 channels, block alignment 4, 8000 Hz"},
        {waveFile(1, 1, 50, 16), "PCM, 16 bits, 1 channel, block alignment 2, 50 Hz"},
    };
    for (const Case& c : cases) {
        const std::string path = writeWave(c.file);
        try {
            WavePlayer player(path);
            ADD_FAILURE() << "opened " << c.description;
        } catch (const UnplayableFormatError& e) {
            EXPECT_EQ(std::string(e.what()), "This audio file cannot be played: it holds " + c.description +
                                                 ". The player plays PCM files of 1 or 2 channels with 8 or 16 "
                                                 "bits per sample at more than 50 Hz.");
        }
    }
    EXPECT_EQ(UnplayableReason(RecordingFormat(51)), "");
}

TEST_F(Player, DeviceSettingsFollowTheFilesRate) {
    struct Case {
        std::uint32_t rate;
        PlayerDeviceSettings expected;
    };
    for (const Case& c : {Case{6003, {5953, 6003, 1024, 3001}}, Case{6004, {5954, 6004, 2048, 3002}},
                          Case{8500, {8450, 8500, 2048, 4250}}, Case{44100, {44050, 44100, 8192, 22050}}}) {
        WavePlayer player(writeWave(waveFile(1, 1, c.rate, 16, Bytes(10, 0))));
        EXPECT_EQ(player.Rate(), std::int32_t(c.rate));
        const PlayerDeviceSettings s = player.DeviceSettings();
        EXPECT_EQ(s.inputRate, c.expected.inputRate);
        EXPECT_EQ(s.outputRate, c.expected.outputRate);
        EXPECT_EQ(s.inputBufferBytes, c.expected.inputBufferBytes) << c.rate;
        EXPECT_EQ(s.displayMaximum, c.expected.displayMaximum);
        EXPECT_EQ(player.FrameCount(), 5);
    }
}

TEST_F(Player, ReadsSoxFilesAsTheTableSays) {
    const std::vector<std::int16_t> samples = ramp(2048);
    {
        WavePlayer mono(soxFile(Samples16(samples), 8050, 1, 16));
        EXPECT_EQ(mono.FrameCount(), 2048);
        EXPECT_EQ(read(mono, 2048), std::vector<std::int16_t>(samples.begin(), samples.begin() + 1024));
        EXPECT_EQ(mono.Position(), 1024);
    }
    {
        // Left samples are the ramp, right ones its negation: only the left plays.
        Bytes raw;
        for (int k = 0; k < 1024; ++k) raw = Cat({raw, Samples16({samples[k], std::int16_t(-samples[k])})});
        WavePlayer stereo(soxFile(raw, 8050, 2, 16));
        EXPECT_EQ(read(stereo, 2048), std::vector<std::int16_t>(samples.begin(), samples.begin() + 1024));
        EXPECT_EQ(stereo.Position(), 1024);
    }
    {
        const Bytes raw = {0, 1, 127, 128, 129, 200, 255, 64};
        WavePlayer eight(soxFile(raw, 8050, 1, 8));
        EXPECT_EQ(read(eight, 20), (std::vector<std::int16_t>{12800, 12700, 100, 0, -100, -7200, -12700, 6400, 0, 0}));
        EXPECT_EQ(eight.Position(), 8);
    }
}

// The recorder's file (frames are bytes) plays back as it was recorded and
// its total time is its samples at the input rate.
TEST_F(Player, PlaysItsOwnRecording) {
    const std::string path = dir.File("own.wav");
    const std::vector<std::int16_t> samples = ramp(2 * 8450);
    {
        WaveRecorder recorder(path, 8500);
        ASSERT_TRUE(AppendInBlocks(recorder, Samples16(samples), 2048));
        ASSERT_TRUE(recorder.Stop());
    }
    WavePlayer player(path);
    EXPECT_EQ(player.FrameCount(), 2 * 8450 * 2);
    EXPECT_EQ(player.TotalText(), "00:00:02");
    EXPECT_EQ(player.DeviceSettings().inputRate, 8450);
    EXPECT_EQ(read(player, 2048), std::vector<std::int16_t>(samples.begin(), samples.begin() + 1024));
    EXPECT_EQ(player.Position(), 2048);
    EXPECT_EQ(read(player, 2048), std::vector<std::int16_t>(samples.begin() + 1024, samples.begin() + 2048));
}

// 1500 samples read in blocks of 1024: the second block reaches the end.
TEST_F(Player, LoopWrapsToTheStartAndWithoutLoopTheEndIsFinished) {
    const std::vector<std::int16_t> samples = ramp(1500);
    const std::string path = soxFile(Samples16(samples), 8050, 1, 16);
    {
        WavePlayer looping(path);
        read(looping, 2048, {false, true});
        const auto tail = read(looping, 2048, {false, true});
        EXPECT_EQ(tail[475], samples[1499]);
        EXPECT_EQ(tail[476], 0);  // the rest of the last block is silent
        EXPECT_EQ(looping.Position(), 0);
        EXPECT_FALSE(looping.Finished());
        EXPECT_EQ(read(looping, 4, {false, true}), (std::vector<std::int16_t>{samples[0], samples[1]}));
    }
    {
        WavePlayer once(path);
        read(once, 2048);
        EXPECT_FALSE(once.Finished());
        read(once, 2048);
        EXPECT_EQ(once.Position(), 1500);
        EXPECT_TRUE(once.Finished());
        // Blocks until the status tick releases Play are silent and stay at the end.
        EXPECT_EQ(read(once, 8), std::vector<std::int16_t>(4, 0));
        EXPECT_TRUE(once.TakeFinished());
        EXPECT_FALSE(once.Finished());
    }
}

TEST_F(Player, PauseKeepsTheBlockSilentAndThePositionStill) {
    const std::vector<std::int16_t> samples = ramp(1500);
    WavePlayer player(soxFile(Samples16(samples), 8050, 1, 16));
    read(player, 200);
    EXPECT_EQ(read(player, 200, {true, false}), std::vector<std::int16_t>(100, 0));
    EXPECT_EQ(player.Position(), 100);
    EXPECT_EQ(read(player, 4), (std::vector<std::int16_t>{samples[100], samples[101]}));
}

// The track bar sets the stream's position; odd positions move on to the
// next even frame when the next block is read.
TEST_F(Player, SeekingMovesPlayingAndStaysInsideTheFile) {
    const std::vector<std::int16_t> samples = ramp(1500);
    WavePlayer player(soxFile(Samples16(samples), 8050, 1, 16));
    player.Seek(700);
    EXPECT_EQ(player.Position(), 700);
    EXPECT_EQ(player.TimeText(700), "00:00:00");
    EXPECT_EQ(read(player, 4), (std::vector<std::int16_t>{samples[700], samples[701]}));
    player.Seek(901);
    EXPECT_EQ(read(player, 4), (std::vector<std::int16_t>{samples[902], samples[903]}));
    player.Seek(-5);
    EXPECT_EQ(player.Position(), 0);
    player.Seek(99999);
    EXPECT_EQ(player.Position(), 1500);
    EXPECT_EQ(read(player, 4), std::vector<std::int16_t>(2, 0));
    EXPECT_TRUE(player.Finished());
}

// A recording of 3 GiB (more frames than an int holds: its frames are
// bytes) opens, seeks near its end, plays its last samples and ends there.
TEST_F(Player, PlaysARecordingOfMoreThanTwoGibibytes) {
    constexpr std::int64_t kData = 3LL << 30;
    const std::vector<std::int16_t> tail = ramp(1024);
    const std::string path = dir.File("long.wav");
    MakeSparseRecording(path, 8000, kData, tail);
    WavePlayer player(path);
    EXPECT_EQ(player.FrameCount(), kData);
    EXPECT_EQ(player.TotalText(), "56:16:32");  // 1610612736 samples at 7950 Hz
    player.Seek(kData - 2048);
    EXPECT_EQ(player.Position(), kData - 2048);
    EXPECT_EQ(read(player, 2048), tail);
    EXPECT_EQ(player.Position(), kData);
    EXPECT_TRUE(player.Finished());
}

// The track bar counts in int: one step per frame while the frames fit,
// else steps of several frames that still reach both ends.
TEST(TrackBar, StepsCoverTheWholeFileInAnInt) {
    const TrackBarScale small(1500);
    EXPECT_EQ(small.Maximum(), 1500);
    EXPECT_EQ(small.BarValue(701), 701);
    EXPECT_EQ(small.Frame(701), 701);
    const TrackBarScale large(WaveRecorder::kMaxDataBytes);  // the largest recording: two frames a step
    EXPECT_EQ(large.Maximum(), WaveRecorder::kMaxDataBytes / 2);
    EXPECT_EQ(large.Frame(large.Maximum()), WaveRecorder::kMaxDataBytes);
    EXPECT_EQ(large.BarValue(WaveRecorder::kMaxDataBytes), large.Maximum());
    EXPECT_EQ(large.Frame(1000), 2000);
    EXPECT_EQ(large.BarValue(2001), 1000);
}

}  // namespace
}  // namespace moravel
