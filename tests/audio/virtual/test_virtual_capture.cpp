// The virtual capture device on the stepping clock: blocks come due at the
// exact rate of every audio range, fill the queued buffers in order with
// the source's samples, are lost as overruns when nothing is queued, and
// stop, reset and close behave as the capture contract says.
#include "VirtualTestSupport.h"
#include "audio/virtual/BlockTiming.h"
#include "audio/virtual/PcmCodec.h"
#include "audio/virtual/ReceiverSignal.h"
#include "audio/virtual/VirtualCard.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

using namespace testing;
using std::chrono::nanoseconds;
using Kind = WaveNotification::Kind;
using Samples = std::vector<std::int16_t>;

constexpr std::uint64_t kSession = 42;

VirtualCardOptions stepping() {
    VirtualCardOptions options;
    options.clock = ClockMode::Stepping;
    return options;
}

// The signal's samples [first, first + count) as the device would encode them.
std::vector<std::uint8_t> expectedBytes(std::int64_t first, std::size_t count, const PcmFormat& format) {
    const ReceiverSignal signal(format.samplesPerSec);
    Samples mono(count);
    for (std::size_t i = 0; i < count; ++i) mono[i] = signal.Sample(first + std::int64_t(i));
    std::vector<std::uint8_t> bytes(count * std::size_t(format.blockAlign()));
    vcard::EncodeFrames(mono.data(), count, format, bytes.data());
    return bytes;
}

std::vector<std::uint8_t> contents(const WaveHeader* header) {
    return {header->data, header->data + header->bytesRecorded};
}

class Capture : public ::testing::Test {
protected:
    std::int32_t open(const PcmFormat& format, std::uint32_t bufferBytes) {
        format_ = format;
        frames_ = bufferBytes / std::uint32_t(format.blockAlign());
        return device->open(wvMapper, format, bufferBytes, &log, kSession);
    }
    void openAndStart(std::int32_t rate, std::uint32_t bufferBytes) {
        ASSERT_EQ(open(Format(rate), bufferBytes), kWaveOk);
        ASSERT_EQ(device->start(), kWaveOk);
    }
    nanoseconds blocks(std::int64_t n) const { return vcard::FramesDuration(n * frames_, format_.samplesPerSec); }
    void queue(BufferRing& ring) {
        for (WaveHeader& header : ring.headers) ASSERT_EQ(device->addBuffer(&header), kWaveOk);
    }

    VirtualCard card{stepping()};
    NotificationLog log;
    std::unique_ptr<CaptureService> device = card.createCapture();
    PcmFormat format_;
    std::int64_t frames_ = 0;
};

struct Range {
    std::int32_t rate;
    std::uint32_t bufferBytes;
};

class CaptureRange : public Capture, public ::testing::WithParamInterface<Range> {};

// With each buffer given back as soon as its Data arrives, every block
// arrives: block n exactly n block durations after start, not a nanosecond
// earlier, holding the signal's samples n - 1 blocks in.
TEST_P(CaptureRange, BlocksComeDueAtTheExactRate) {
    const Range range = GetParam();
    openAndStart(range.rate, range.bufferBytes);
    log.requeue = device.get();
    BufferRing ring(3, range.bufferBytes);
    queue(ring);
    log.Deliver();
    for (std::int64_t n = 1; n <= 40; ++n) {
        ASSERT_EQ(CountsAround(card, log, blocks(n), Kind::Data), std::make_pair(std::size_t(n - 1), std::size_t(n)))
            << n;
        const auto data = log.Of(Kind::Data).back();
        ASSERT_EQ(data.bytes, range.bufferBytes);
        ASSERT_EQ(contents(data.header), expectedBytes((n - 1) * frames_, std::size_t(frames_), format_)) << n;
    }
    EXPECT_EQ(device->xruns(), 0);
}

INSTANTIATE_TEST_SUITE_P(AudioRanges, CaptureRange,
                         ::testing::Values(Range{3950, 1024}, Range{8450, 2048}, Range{15950, 4096},
                                           Range{30950, 8192}),
                         [](const ::testing::TestParamInfo<Range>& p) { return std::to_string(p.param.rate) + "Hz"; });

TEST_F(Capture, FillsQueuedBuffersInQueueOrder) {
    openAndStart(8450, 2048);
    BufferRing ring(3, 2048);
    queue(ring);
    card.Advance(blocks(3));
    log.Deliver();
    EXPECT_EQ(log.Headers(Kind::Data), (std::vector<WaveHeader*>{ring[0], ring[1], ring[2]}));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ring[i]->bytesRecorded, 2048U);
        EXPECT_EQ(ring[i]->flags, kHeaderPrepared | kHeaderDone);
        EXPECT_EQ(contents(ring[i]), expectedBytes(std::int64_t(i) * 1024, 1024, format_));
    }
    for (const auto& entry : log.entries) EXPECT_EQ(entry.session, kSession);
}

// Blocks 2 and 3 find no buffer: lost, counted, and their samples skipped,
// so block 4 holds what the signal produced three blocks after block 1.
TEST_F(Capture, BlocksWithoutABufferAreOverruns) {
    openAndStart(8450, 2048);
    BufferRing ring(1, 2048);
    queue(ring);
    card.Advance(blocks(3));
    EXPECT_EQ(device->xruns(), 2);
    log.Deliver();
    ASSERT_EQ(log.Count(Kind::Data), 1U);
    ASSERT_EQ(device->addBuffer(ring[0]), kWaveOk);
    card.Advance(blocks(1));
    log.Deliver();
    ASSERT_EQ(log.Count(Kind::Data), 2U);
    EXPECT_EQ(contents(ring[0]), expectedBytes(3 * 1024, 1024, format_));
    EXPECT_EQ(device->xruns(), 2);
}

TEST_F(Capture, FillsEveryDeviceFormat) {
    for (const PcmFormat& format : {Format(8000, 16, 2), Format(8000, 8, 1), Format(8000, 8, 2)}) {
        std::unique_ptr<CaptureService> other = card.createCapture();
        const std::uint32_t bytes = 256 * std::uint32_t(format.blockAlign());
        ASSERT_EQ(other->open(wvDevice0, format, bytes, &log, kSession), kWaveOk);
        BufferRing ring(2, bytes);
        for (WaveHeader& header : ring.headers) other->addBuffer(&header);
        other->start();
        card.AdvanceFrames(512, 8000);
        EXPECT_EQ(contents(ring[0]), expectedBytes(0, 256, format)) << format.bitsPerSample << format.channels;
        EXPECT_EQ(contents(ring[1]), expectedBytes(256, 256, format)) << format.bitsPerSample << format.channels;
        EXPECT_EQ(other->close(), kWaveOk);
    }
}

// A buffer shorter than the device period takes what fits; the rest of
// that block is lost, and the next block starts where it should.
TEST_F(Capture, ShortBufferTakesTheBlocksFirstFrames) {
    openAndStart(8450, 2048);
    BufferRing ring(2, 301);
    queue(ring);
    card.Advance(blocks(2));
    EXPECT_EQ(ring[0]->bytesRecorded, 300U);
    EXPECT_EQ(contents(ring[0]), expectedBytes(0, 150, format_));
    EXPECT_EQ(contents(ring[1]), expectedBytes(1024, 150, format_));
}

TEST_F(Capture, StopKeepsBuffersAndStartBeginsANewGrid) {
    openAndStart(8450, 2048);
    BufferRing ring(2, 2048);
    queue(ring);
    card.Advance(blocks(1) / 2);
    ASSERT_EQ(device->stop(), kWaveOk);
    card.Advance(blocks(10));
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Data), 0U);
    EXPECT_EQ(device->xruns(), 0);
    ASSERT_EQ(device->start(), kWaveOk);
    card.Advance(blocks(1) - nanoseconds(1));
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Data), 0U);
    card.Advance(nanoseconds(1));
    log.Deliver();
    EXPECT_EQ(log.Headers(Kind::Data), std::vector<WaveHeader*>{ring[0]});
    // The source went on where it stopped: nothing was captured while stopped.
    EXPECT_EQ(contents(ring[0]), expectedBytes(0, 1024, format_));
}

TEST_F(Capture, ResetReturnsQueuedBuffersEmptyInOrder) {
    openAndStart(8450, 2048);
    BufferRing ring(3, 2048);
    queue(ring);
    card.Advance(blocks(1));
    ASSERT_EQ(device->reset(), kWaveOk);
    log.Deliver();
    const auto data = log.Of(Kind::Data);
    ASSERT_EQ(data.size(), 3U);
    EXPECT_EQ(log.Headers(Kind::Data), (std::vector<WaveHeader*>{ring[0], ring[1], ring[2]}));
    EXPECT_EQ(data[0].bytes, 2048U);
    EXPECT_EQ(data[1].bytes, 0U);
    EXPECT_EQ(data[2].bytes, 0U);
    EXPECT_EQ(ring[2]->flags & kHeaderInQueue, 0U);
    card.Advance(blocks(5));  // reset also stopped the device
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Data), 3U);
    EXPECT_EQ(device->xruns(), 0);
}

TEST_F(Capture, CloseWaitsForResetThenPostsClose) {
    openAndStart(8450, 2048);
    BufferRing ring(1, 2048);
    queue(ring);
    EXPECT_EQ(device->close(), kWaveStillPlaying);
    EXPECT_EQ(card.OpenDevices(), 1U);
    ASSERT_EQ(device->reset(), kWaveOk);
    ASSERT_EQ(device->close(), kWaveOk);
    EXPECT_EQ(card.OpenDevices(), 0U);
    log.Deliver();
    const auto closes = log.Of(Kind::Close);
    ASSERT_EQ(closes.size(), 1U);
    EXPECT_FALSE(closes[0].lost);
    EXPECT_EQ(closes[0].session, kSession);
    EXPECT_EQ(log.entries.back().kind, Kind::Close);  // after the reset buffer's Data
    EXPECT_EQ(device->start(), kWaveNotOpen);
    EXPECT_EQ(device->addBuffer(ring[0]), kWaveNotOpen);
    EXPECT_EQ(device->close(), kWaveNotOpen);
}

TEST_F(Capture, OpenPostsOpenAndRefusesASecondOpen) {
    ASSERT_EQ(open(Format(8450), 2048), kWaveOk);
    log.Deliver();
    ASSERT_EQ(log.entries.size(), 1U);
    EXPECT_EQ(log.entries[0].kind, Kind::Open);
    EXPECT_EQ(log.entries[0].session, kSession);
    EXPECT_EQ(open(Format(8450), 2048), kWaveError);
    EXPECT_EQ(device->addBuffer(nullptr), kWaveError);
}

TEST_F(Capture, OpenFailsWhenThePeriodHoldsNoFrame) {
    EXPECT_EQ(open(Format(8450, 16, 2), 3), kWaveBadFormat);
    EXPECT_EQ(open(Format(8450, 16, 2), 4), kWaveOk);
}

TEST(CaptureSource, ASourceThatCannotBeMadeFailsTheOpen) {
    VirtualCardOptions options = stepping();
    options.source = [](std::int32_t) -> std::unique_ptr<SampleSource> { throw std::runtime_error("gone"); };
    VirtualCard card(options);
    NotificationLog log;
    EXPECT_EQ(card.createCapture()->open(wvMapper, Format(8000), 1024, &log, 1), kWaveError);
    log.Deliver();
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(card.OpenDevices(), 0U);
}

}  // namespace
}  // namespace moravel
