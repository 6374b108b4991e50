// The life of an ALSA capture or playback session against the sound server:
// what open, stop, start, reset and close post, in which order, and that
// buffers given back are not touched again.
#include "WithStreams.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

namespace moravel::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kBlock = 1024;  // 512 samples: 130 ms at 3950 Hz

// Capture buffers the test owns, each filled with a mark the device would
// overwrite.
struct CaptureRing {
    static constexpr std::uint8_t kMark = 0x55;
    std::array<std::vector<std::uint8_t>, 3> buffers;
    std::array<WaveHeader, 3> headers{};
    CaptureRing() {
        for (std::size_t i = 0; i < headers.size(); ++i) {
            buffers[i].assign(kBlock, kMark);
            headers[i].data = buffers[i].data();
            headers[i].bufferLength = kBlock;
        }
    }
    std::vector<WaveHeader*> All() { return {&headers[0], &headers[1], &headers[2]}; }
    bool Marked(std::size_t i) const {
        return std::all_of(buffers[i].begin(), buffers[i].end(), [](std::uint8_t b) { return b == kMark; });
    }
};

class Streams : public WithStreams {
protected:
    void OpenCapture(std::uint64_t session = 1) {
        ASSERT_EQ(capture->open(wvMapper, PcmFormat{1, 3950, 16}, kBlock, &notes, session), kWaveOk);
    }
    int Data() const { return notes.Count(WaveNotification::Data); }
    int Done() const { return notes.Count(WaveNotification::Done); }
};

TEST_F(Streams, ResetReturnsQueuedCaptureBuffersEmptyInOrderAndNeverTouchesThemAgain) {
    OpenCapture();
    CaptureRing ring;
    for (WaveHeader* h : ring.All()) ASSERT_EQ(capture->addBuffer(h), kWaveOk);
    ASSERT_EQ(capture->reset(), kWaveOk);
    ASSERT_TRUE(PumpUntil([&] { return Data() == 3; }, 1s));
    EXPECT_EQ(notes.Headers(WaveNotification::Data), ring.All());
    EXPECT_EQ(notes.BytesRecorded(), std::vector<std::uint32_t>(3, 0));
    for (const WaveHeader& h : ring.headers) EXPECT_EQ(h.flags & (kHeaderDone | kHeaderInQueue), kHeaderDone);

    // Capturing on with no buffer queued: blocks are dropped and counted,
    // and the buffers given back stay as they are.
    ASSERT_EQ(capture->start(), kWaveOk);
    ASSERT_TRUE(PumpUntil([&] { return capture->xruns() >= 2; }, 2s));
    EXPECT_EQ(Data(), 3);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(ring.Marked(i)) << "buffer " << i;

    // A buffer queued now is filled.
    ASSERT_EQ(capture->addBuffer(&ring.headers[0]), kWaveOk);
    ASSERT_TRUE(PumpUntil([&] { return Data() == 4; }, 1s));
    EXPECT_EQ(notes.received.back().bytesRecorded, kBlock);
    EXPECT_FALSE(ring.Marked(0));
}

TEST_F(Streams, StopKeepsCaptureBuffersQueuedAndStartResumesFillingThem) {
    OpenCapture();
    CaptureRing ring;
    for (WaveHeader* h : ring.All()) capture->addBuffer(h);
    capture->start();
    ASSERT_TRUE(PumpUntil([&] { return Data() == 1; }, 1s));
    ASSERT_EQ(capture->stop(), kWaveOk);
    PumpFor(400ms);  // three blocks' time
    EXPECT_EQ(Data(), 1) << "nothing is captured while stopped";
    EXPECT_TRUE(ring.Marked(1));

    capture->start();
    ASSERT_TRUE(PumpUntil([&] { return Data() == 3; }, 1s));
    EXPECT_EQ(notes.Headers(WaveNotification::Data), ring.All());
    EXPECT_EQ(capture->xruns(), 0);
}

TEST_F(Streams, PlaybackResetDiscardsQueuedBlocksWithOneDoneEachInWriteOrder) {
    ASSERT_EQ(playback->open(wvMapper, PcmFormat{1, 4000, 16}, &notes, 1), kWaveOk);
    std::vector<std::uint8_t> silence(kBlock, 0);
    std::array<WaveHeader, 8> headers{};  // about a second of sound
    for (WaveHeader& h : headers) {
        h.data = silence.data();
        h.bufferLength = kBlock;
        ASSERT_EQ(playback->write(&h), kWaveOk);
    }
    ASSERT_TRUE(PumpUntil([&] { return Done() >= 1; }, 1s));
    EXPECT_LT(Done(), 8) << "Done came before the device could take the blocks";
    EXPECT_EQ(playback->close(), kWaveStillPlaying) << "blocks are still queued";
    ASSERT_EQ(playback->reset(), kWaveOk);
    PumpFor(300ms);
    std::vector<WaveHeader*> order;
    for (WaveHeader& h : headers) order.push_back(&h);
    EXPECT_EQ(notes.Headers(WaveNotification::Done), order);

    // The device plays again after a reset.
    playback->write(&headers[0]);
    ASSERT_TRUE(PumpUntil([&] { return Done() == 9; }, 1s));
}

TEST_F(Streams, EachSessionIsOpenThenCloseAndCloseWaitsForItsBuffersToComeBack) {
    OpenCapture(41);
    EXPECT_EQ(capture->open(wvMapper, PcmFormat{1, 3950, 16}, kBlock, &notes, 42), kWaveError) << "already open";
    ASSERT_EQ(playback->open(wvMapper, PcmFormat{1, 4000, 16}, &notes, 43), kWaveOk);
    CaptureRing ring;
    capture->addBuffer(&ring.headers[0]);
    EXPECT_EQ(capture->close(), kWaveStillPlaying) << "a buffer is still queued";
    EXPECT_EQ(capture->reset(), kWaveOk);
    EXPECT_EQ(capture->close(), kWaveOk);
    EXPECT_EQ(playback->close(), kWaveOk);
    PumpFor(300ms);

    ASSERT_EQ(notes.received.size(), 5u);
    const auto& r = notes.received;
    EXPECT_EQ(std::pair(r[0].kind, r[0].session), std::pair(WaveNotification::Open, std::uint64_t{41}));
    EXPECT_EQ(std::pair(r[1].kind, r[1].session), std::pair(WaveNotification::Open, std::uint64_t{43}));
    EXPECT_EQ(std::pair(r[2].kind, r[2].header), std::pair(WaveNotification::Data, &ring.headers[0]));
    EXPECT_EQ(std::tuple(r[3].kind, r[3].session, r[3].lost),
              std::tuple(WaveNotification::Close, std::uint64_t{41}, false));
    EXPECT_EQ(std::tuple(r[4].kind, r[4].session, r[4].lost),
              std::tuple(WaveNotification::Close, std::uint64_t{43}, false));

    EXPECT_EQ(capture->start(), kWaveNotOpen);
    EXPECT_EQ(capture->addBuffer(&ring.headers[1]), kWaveNotOpen);
    EXPECT_EQ(capture->stop(), kWaveNotOpen);
    EXPECT_EQ(capture->reset(), kWaveNotOpen);
    EXPECT_EQ(capture->close(), kWaveNotOpen);
    EXPECT_EQ(playback->write(&ring.headers[1]), kWaveNotOpen);
    EXPECT_EQ(playback->close(), kWaveNotOpen);

    OpenCapture(44);  // a closed service opens again
    ASSERT_TRUE(PumpUntil([&] { return notes.received.size() == 6; }, 1s));
    EXPECT_EQ(notes.received.back().session, 44u);
}

}  // namespace
}  // namespace moravel::testing
