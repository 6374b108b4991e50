// The virtual playback device on the stepping clock: blocks finish in write
// order at the output rate, a late block starts from its write time and
// counts an underrun, reset and close keep the contract, and what was
// played can be read back, in memory and from the recording file.
#include "VirtualTestSupport.h"
#include "WavTestSupport.h"
#include "audio/virtual/BlockTiming.h"
#include "audio/virtual/PcmCodec.h"
#include "audio/virtual/VirtualCard.h"

#include "../../app/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace moravel {
namespace {

using namespace testing;
using std::chrono::nanoseconds;
using Kind = WaveNotification::Kind;
using Samples = std::vector<std::int16_t>;

constexpr std::uint64_t kSession = 7;

VirtualCardOptions stepping(const std::string& playbackFile = "") {
    VirtualCardOptions options;
    options.clock = ClockMode::Stepping;
    options.keepPlayedSamples = true;
    options.playbackFile = playbackFile;
    return options;
}

// Blocks of distinct 16-bit mono samples, as the output component would write them.
struct Blocks {
    Blocks(std::size_t count, std::size_t samples) : ring(count, std::uint32_t(samples * 2)) {
        for (std::size_t b = 0; b < count; ++b) {
            Samples block;
            for (std::size_t i = 0; i < samples; ++i)
                block.push_back(std::int16_t(int(b * 1000 + i % 1000) * (i % 2 ? -7 : 7)));
            const Bytes bytes = Samples16(block);
            std::copy(bytes.begin(), bytes.end(), ring.data[b].begin());  // the headers point there
            played.insert(played.end(), block.begin(), block.end());
        }
    }
    Samples upTo(std::size_t blocks, std::size_t samples) const {
        return Samples(played.begin(), played.begin() + long(blocks * samples));
    }
    BufferRing ring;
    Samples played;
};

class Playback : public ::testing::Test {
protected:
    explicit Playback(VirtualCardOptions options = stepping()) : card(std::move(options)) {}

    void open(std::int32_t rate, std::int32_t bits = 16, std::int32_t channels = 1) {
        rate_ = rate;
        ASSERT_EQ(device->open(wvMapper, Format(rate, bits, channels), &log, kSession), kWaveOk);
    }
    nanoseconds frames(std::int64_t n) const { return vcard::FramesDuration(n, rate_); }
    void writeAll(BufferRing& ring) {
        for (WaveHeader& header : ring.headers) ASSERT_EQ(device->write(&header), kWaveOk);
    }

    VirtualCard card;
    NotificationLog log;
    std::unique_ptr<PlaybackService> device = card.createPlayback();
    std::int32_t rate_ = 0;
};

struct Range {
    std::int32_t rate;
    std::size_t samples;
};

class PlaybackRange : public Playback, public ::testing::WithParamInterface<Range> {};

// Three blocks written at once finish back to back: block n exactly n block
// durations after the write, not a nanosecond earlier.
TEST_P(PlaybackRange, BlocksFinishInWriteOrderAtTheOutputRate) {
    const Range range = GetParam();
    open(range.rate);
    Blocks blocks(3, range.samples);
    writeAll(blocks.ring);
    for (std::size_t n = 1; n <= 3; ++n) {
        ASSERT_EQ(CountsAround(card, log, frames(std::int64_t(n * range.samples)), Kind::Done), std::make_pair(n - 1, n))
            << n;
        EXPECT_EQ(log.Headers(Kind::Done).back(), blocks.ring[n - 1]);
        EXPECT_EQ(card.PlayedSamples(), blocks.upTo(n, range.samples));
    }
    EXPECT_EQ(blocks.ring[2]->flags, kHeaderPrepared | kHeaderDone);
    EXPECT_EQ(device->xruns(), 0);
}

INSTANTIATE_TEST_SUITE_P(AudioRanges, PlaybackRange,
                         ::testing::Values(Range{4000, 512}, Range{8500, 1024}, Range{16000, 2048}, Range{31000, 4096}),
                         [](const ::testing::TestParamInfo<Range>& p) { return std::to_string(p.param.rate) + "Hz"; });

// Block 2 arrives a block after block 1 ran out: it plays from its write
// time (not from block 1's end), and the gap is an underrun.
TEST_F(Playback, ALateBlockPlaysFromItsWriteTimeAndCountsAnUnderrun) {
    open(8500);
    Blocks blocks(2, 1024);
    ASSERT_EQ(device->write(blocks.ring[0]), kWaveOk);
    card.Advance(frames(2048));
    EXPECT_EQ(device->xruns(), 0);  // running dry is noticed when the next block comes
    ASSERT_EQ(device->write(blocks.ring[1]), kWaveOk);
    EXPECT_EQ(device->xruns(), 1);
    card.Advance(frames(1024) - nanoseconds(1));
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Done), 1U);
    card.Advance(nanoseconds(1));
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Done), 2U);
}

// Writing exactly when the previous block ends leaves no gap; writing into
// a queue that is still playing never does; the first block after open or
// reset starts playing rather than underrunning.
TEST_F(Playback, OnlyARealGapIsAnUnderrun) {
    open(8500);
    Blocks blocks(4, 1024);
    card.Advance(frames(50000));
    const nanoseconds start = card.Now();
    ASSERT_EQ(device->write(blocks.ring[0]), kWaveOk);
    card.Advance(frames(512));
    ASSERT_EQ(device->write(blocks.ring[1]), kWaveOk);
    card.Advance(start + frames(2048) - card.Now());  // exactly when block 2 finishes
    ASSERT_EQ(device->write(blocks.ring[2]), kWaveOk);
    EXPECT_EQ(device->xruns(), 0);
    ASSERT_EQ(device->reset(), kWaveOk);
    card.Advance(frames(5000));
    ASSERT_EQ(device->write(blocks.ring[3]), kWaveOk);
    EXPECT_EQ(device->xruns(), 0);
}

TEST_F(Playback, ResetDiscardsQueuedBlocksPostingDoneInOrder) {
    open(8500);
    Blocks blocks(3, 1024);
    writeAll(blocks.ring);
    card.Advance(frames(1024));
    ASSERT_EQ(device->reset(), kWaveOk);
    log.Deliver();
    EXPECT_EQ(log.Headers(Kind::Done), (std::vector<WaveHeader*>{blocks.ring[0], blocks.ring[1], blocks.ring[2]}));
    card.Advance(frames(10 * 1024));
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Done), 3U);
    EXPECT_EQ(card.PlayedSamples(), blocks.upTo(1, 1024));  // discarded blocks were not played
    ASSERT_EQ(device->close(), kWaveOk);
}

TEST_F(Playback, CloseWaitsForTheQueueThenPostsClose) {
    open(8500);
    Blocks blocks(1, 1024);
    writeAll(blocks.ring);
    EXPECT_EQ(device->close(), kWaveStillPlaying);
    card.Advance(frames(1024));
    ASSERT_EQ(device->close(), kWaveOk);
    log.Deliver();
    ASSERT_EQ(log.entries.size(), 3U);
    EXPECT_EQ(log.entries[0].kind, Kind::Open);
    EXPECT_EQ(log.entries[1].kind, Kind::Done);
    EXPECT_EQ(log.entries[2].kind, Kind::Close);
    EXPECT_FALSE(log.entries[2].lost);
    for (const auto& entry : log.entries) EXPECT_EQ(entry.session, kSession);
    EXPECT_EQ(device->write(blocks.ring[0]), kWaveNotOpen);
    EXPECT_EQ(device->reset(), kWaveNotOpen);
    EXPECT_EQ(card.OpenDevices(), 0U);
}

// Two 8-bit stereo frames: each played sample is the mean of its channels.
TEST_F(Playback, PlaysEveryFormatAsMonoSixteenBit) {
    open(8000, 8, 2);
    BufferRing ring(1, 4);
    const Bytes bytes{0x80, 0x82, 0x00, 0xFF};
    std::copy(bytes.begin(), bytes.end(), ring.data[0].begin());
    ASSERT_EQ(device->write(ring[0]), kWaveOk);
    card.AdvanceFrames(2, 8000);
    EXPECT_EQ(card.PlayedSamples(), (Samples{256, -128}));
}

TEST_F(Playback, RejectsAMissingHeader) {
    open(8500);
    EXPECT_EQ(device->write(nullptr), kWaveError);
}

// The folder comes first, so that it exists before the card that writes into it.
struct WithTempFolder {
    TempFolder dir;
};

class PlaybackFile : protected WithTempFolder, public Playback {
protected:
    PlaybackFile() : Playback(stepping(dir.File("played.wav"))) {}
};

std::string soxInfo(const std::string& option, const std::string& path) {
    std::string out;
    FILE* pipe = ::popen(("sox --i " + option + " " + path + " 2>&1").c_str(), "r");
    if (!pipe) return out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

// sox, an independent reader, finds a 16-bit mono file at the output rate
// holding exactly the samples played, complete once the device closed.
TEST_F(PlaybackFile, RecordsExactlyWhatWasPlayed) {
    ASSERT_TRUE(ToolInstalled("sox"));
    const std::string path = dir.File("played.wav");
    open(16000);
    Blocks blocks(3, 2048);
    writeAll(blocks.ring);
    card.Advance(frames(2 * 2048));
    ASSERT_EQ(device->reset(), kWaveOk);  // the third block is discarded, not played
    ASSERT_EQ(device->close(), kWaveOk);
    EXPECT_EQ(soxInfo("-r", path), "16000");
    EXPECT_EQ(soxInfo("-c", path), "1");
    EXPECT_EQ(soxInfo("-b", path), "16");
    EXPECT_EQ(soxInfo("-s", path), "4096");
    const std::string raw = dir.File("played.raw");
    ASSERT_TRUE(RunCommand("sox " + path + " -t raw -e signed -b 16 -L " + raw));
    EXPECT_EQ(ReadFile(raw), Samples16(blocks.upTo(2, 2048)));
}

// Every session writes its own file (replacing the last one's) at its rate.
TEST_F(PlaybackFile, EachSessionRewritesTheFile) {
    ASSERT_TRUE(ToolInstalled("sox"));
    const std::string path = dir.File("played.wav");
    open(16000);
    ASSERT_EQ(device->close(), kWaveOk);
    device = card.createPlayback();
    open(4000);
    Blocks blocks(1, 512);
    writeAll(blocks.ring);
    card.Advance(frames(512));
    ASSERT_EQ(device->close(), kWaveOk);
    EXPECT_EQ(soxInfo("-r", path), "4000");
    EXPECT_EQ(soxInfo("-s", path), "512");
}

TEST(PlaybackFileError, AFileThatCannotBeCreatedFailsTheOpen) {
    VirtualCard card(stepping("/nonexistent-folder/played.wav"));
    NotificationLog log;
    EXPECT_EQ(card.createPlayback()->open(wvMapper, Format(8000), &log, 1), kWaveError);
    log.Deliver();
    EXPECT_TRUE(log.entries.empty());
}

}  // namespace
}  // namespace moravel
