// How the ALSA workers wait on the sound server: a capture block costs
// about one wait on the device, not one every few milliseconds, and a
// close or a reset cuts a long wait short instead of waiting it out.
#include "audio/alsa/AlsaStreamCore.h"
#include "WithStreams.h"

#include <array>
#include <chrono>
#include <vector>

namespace moravel::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Waits : public WithStreams {
protected:
    int Data() const { return notes.Count(WaveNotification::Data); }

    template <typename Call>
    static std::chrono::milliseconds Timed(Call call) {
        const auto start = Clock::now();
        call();
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    }
};

TEST(WaitLimit, DoublesAfterEachFruitlessWaitUpToTheLongestWait) {
    // A server that delivers a 132 ms block in one fragment, waited for
    // with 14 ms missing: 20 ms, then 40, 80, 160, and 250 at most,
    // instead of a wake-up every 20 ms until the fragment comes.
    EXPECT_EQ(alsa::WaitLimitMs(20, 0), 20);
    EXPECT_EQ(alsa::WaitLimitMs(20, 1), 40);
    EXPECT_EQ(alsa::WaitLimitMs(20, 3), 160);
    EXPECT_EQ(alsa::WaitLimitMs(20, 4), alsa::kWaitMs);
    EXPECT_EQ(alsa::WaitLimitMs(250, 6), alsa::kWaitMs) << "no overflow at the most doublings";
    EXPECT_EQ(alsa::WaitLimitMs(7, 60), alsa::kWaitMs) << "a count past the most doublings is bounded";
}

TEST_F(Waits, ACaptureBlockCostsAFewWaitsOnTheDevice) {
    // 512 samples at 3950 Hz: 129.6 ms a block, in periods of an eighth.
    // The server's plugin wakes the poll for each period's fragment; the
    // worker then rests until the missing frames are due, and waits once
    // more when the last fragment comes a little after the block's time:
    // three or four waits a block, where a worker that waited a period at
    // a time (or 1 ms at a time) would need eight or more.
    constexpr std::uint32_t kBlock = 1024;
    ASSERT_EQ(capture->open(wvMapper, PcmFormat{1, 3950, 16}, kBlock, &notes, 1), kWaveOk);
    std::array<std::vector<std::uint8_t>, 3> buffers;
    std::array<WaveHeader, 3> headers{};
    for (std::size_t i = 0; i < headers.size(); ++i) {
        buffers[i].assign(kBlock, 0);
        headers[i] = WaveHeader{buffers[i].data(), kBlock};
        capture->addBuffer(&headers[i]);
    }
    notes.onReceived = [&](const Received& r) {
        if (r.kind == WaveNotification::Data) capture->addBuffer(r.header);
    };
    capture->start();
    ASSERT_TRUE(PumpUntil([&] { return Data() == 1; }, 1s));
    const std::int64_t waitsBefore = capture->deviceWaits();
    ASSERT_TRUE(PumpUntil([&] { return Data() == 11; }, 3s));
    const std::int64_t waits = capture->deviceWaits() - waitsBefore;
    EXPECT_GE(waits, 10) << "each block is waited for";
    EXPECT_LE(waits, 50) << "over 10 blocks";
    capture->reset();
    EXPECT_EQ(capture->close(), kWaveOk);
}

TEST_F(Waits, CloseCutsALongCaptureWaitShort) {
    // 4000 samples at 3950 Hz: a block of about a second, waited for in
    // waits of up to a quarter of a second.
    ASSERT_EQ(capture->open(wvMapper, PcmFormat{1, 3950, 16}, 8000, &notes, 1), kWaveOk);
    ASSERT_EQ(capture->start(), kWaveOk);
    PumpFor(300ms);
    ASSERT_GE(capture->deviceWaits(), 1) << "the worker waits on the device";
    std::int32_t closed = -1;
    const auto took = Timed([&] { closed = capture->close(); });
    EXPECT_EQ(closed, kWaveOk);
    EXPECT_LT(took, 100ms);
}

TEST_F(Waits, ResetCutsAPlaybackWaitForRoomShort) {
    // Eight blocks of about a second each: the worker soon waits for room.
    ASSERT_EQ(playback->open(wvMapper, PcmFormat{1, 4000, 16}, &notes, 1), kWaveOk);
    std::vector<std::uint8_t> silence(8000, 0);
    std::array<WaveHeader, 8> headers{};
    for (WaveHeader& h : headers) {
        h = WaveHeader{silence.data(), 8000};
        playback->write(&h);
    }
    PumpFor(300ms);
    ASSERT_GE(playback->deviceWaits(), 1) << "the worker waits for room";
    std::int32_t closed = -1;
    const auto took = Timed([&] {
        playback->reset();
        closed = playback->close();
    });
    EXPECT_EQ(closed, kWaveOk);
    EXPECT_LT(took, 100ms);
}

}  // namespace
}  // namespace moravel::testing
