// The wave output's rules: copies queued in write order, released when
// played, discarded by Close, nothing queued on a closed device, handler
// errors, session numbers, volume.
#include "audio/EnhWave.h"
#include "ScriptedBackend.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace moravel {
namespace {

using testing::Deliver;
using testing::ScriptedBackend;

class WaveOut : public ::testing::Test {
protected:
    WaveOut() : out(backend) {
        out.SampleBits = 16;
        out.samples = 4000;
        out.OnDone = [this](QObject*) { ++done; };
        out.OnClose = [this](QObject*) { ++closes; };
    }
    ScriptedBackend backend;
    EnhWaveOut out;
    int done = 0, closes = 0;
};

TEST_F(WaveOut, PlaysCopiesInWriteOrderAndReleasesThemWhenDone) {
    ASSERT_TRUE(out.Open());
    std::uint8_t block[4] = {1, 2, 3, 4};
    EXPECT_TRUE(out.Write(block, 4));
    block[0] = 9;  // the caller's memory is free as soon as Write returns
    out.Write(block, 4);
    out.Write(block, 2);
    EXPECT_EQ(out.QueuedBlocks(), 3);
    ASSERT_EQ(backend.devices.written.size(), 3u);
    EXPECT_EQ(backend.devices.written[0][0], 1);
    EXPECT_EQ(backend.devices.written[1][0], 9);
    EXPECT_EQ(backend.devices.written[2].size(), 2u);
    for (int i = 0; i < 3; ++i) backend.devices.Play();
    Deliver();
    EXPECT_EQ(done, 3);
    EXPECT_EQ(out.QueuedBlocks(), 0);
    EXPECT_FALSE(out.IsPlaying());
}

TEST_F(WaveOut, CloseDiscardsQueuedBlocksAndLateDoneFreesNothing) {
    out.Open();
    const std::uint8_t block[8] = {};
    out.Write(block, 8);
    out.Write(block, 8);
    out.Close();
    EXPECT_EQ(out.QueuedBlocks(), 0);
    EXPECT_FALSE(out.IsPlaying());
    EXPECT_FALSE(out.IsOpen());
    EXPECT_EQ(backend.devices.playbackResets, 1);
    // The reset blocks' Done notifications arrive afterwards: each still
    // raises OnDone, and nothing is freed twice (the sanitizer build checks).
    Deliver();
    EXPECT_EQ(done, 2);
    EXPECT_EQ(closes, 1);
}

TEST_F(WaveOut, ReleasingAnUnknownBlockLeavesTheQueueAlone) {
    out.Open();
    const std::uint8_t block[2] = {};
    out.Write(block, 2);
    WaveHeader stranger;
    EXPECT_TRUE(out.ReleaseBlock(&stranger));
    EXPECT_TRUE(out.ReleaseBlock(nullptr));
    EXPECT_EQ(out.QueuedBlocks(), 1);
    // A block in the middle of the queue can be released too.
    out.Write(block, 2);
    out.Write(block, 2);
    WaveHeader* middle = backend.devices.playing[1];
    EXPECT_TRUE(out.ReleaseBlock(middle));
    EXPECT_EQ(out.QueuedBlocks(), 2);
    out.Close();
}

TEST_F(WaveOut, WritingToAClosedDeviceQueuesNothing) {
    const std::uint8_t block[2] = {};
    EXPECT_FALSE(out.Write(block, 2));
    backend.devices.playbackOpenResult = kWaveBadDevice;
    EXPECT_FALSE(out.Open());
    EXPECT_FALSE(out.Write(block, 2));
    EXPECT_EQ(out.QueuedBlocks(), 0);
    EXPECT_TRUE(backend.devices.written.empty());
}

TEST_F(WaveOut, ADeviceThatGoesAwayDropsItsQueueOnce) {
    out.Open();
    const std::uint8_t block[2] = {};
    out.Write(block, 2);
    testing::ScriptedDevices::Post(&out, WaveNotification::Close, backend.devices.playbackSession, nullptr, true);
    Deliver();
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(out.IsPlaying());
    EXPECT_EQ(out.QueuedBlocks(), 0);
    EXPECT_EQ(closes, 1);
}

TEST_F(WaveOut, AThrowingHandlerReachesOnHandlerErrorAfterTheBlockIsFreed) {
    int errors = 0;
    out.OnDone = [](QObject*) { throw std::runtime_error("done failed"); };
    out.OnHandlerError = [&](QObject* sender, std::exception_ptr error) {
        EXPECT_EQ(sender, &out);
        EXPECT_EQ(out.QueuedBlocks(), 0);
        EXPECT_THROW(std::rethrow_exception(error), std::runtime_error);
        ++errors;
    };
    out.Open();
    const std::uint8_t block[2] = {};
    out.Write(block, 2);
    backend.devices.Play();
    Deliver();
    EXPECT_EQ(errors, 1);
    EXPECT_FALSE(out.IsPlaying());
}

// Sessions are counted across all components: an input and an output never
// share one, and a reopened device never gets an earlier one back.
TEST_F(WaveOut, SessionsAreNumberedAcrossComponents) {
    EnhWaveIn in(backend);
    EXPECT_EQ(out.DeviceID(), 0u);
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(in.Open());
    const std::uint64_t first = out.DeviceID();
    EXPECT_NE(first, 0u);
    EXPECT_EQ(in.DeviceID(), first + 1);
    EXPECT_EQ(backend.devices.playbackSession, first);
    out.Close();
    EXPECT_EQ(out.DeviceID(), 0u);
    ASSERT_TRUE(out.Open());
    EXPECT_EQ(out.DeviceID(), first + 2);
}

TEST_F(WaveOut, VolumeSetsBothChannelsAndReadsTheLeft) {
    out.setVolume(32768);
    EXPECT_EQ(backend.devices.volume, 0x80008000u);
    backend.devices.volume = 0x1234ABCDu;
    EXPECT_EQ(out.volume(), 0xABCD);
    backend.devices.caps = DeviceCaps{true, 2, true, false};
    const TEWOutCaps caps = out.capabilities();
    EXPECT_TRUE(caps.contains(ocStereo));
    EXPECT_TRUE(caps.contains(ocVolume));
    EXPECT_FALSE(caps.contains(ocLRVolume));
}

}  // namespace
}  // namespace moravel
