// The wave input's rules: buffers queued after the open notification, each
// returned to the device after the handler, closing, the lost device, and
// the raw-capture file.
#include "EnhWave.h"
#include "ScriptedBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace moravel {
namespace {

using testing::Deliver;
using testing::ScriptedBackend;

class WaveIn : public ::testing::Test {
protected:
    WaveIn() : in(backend) {
        in.SampleBits = 16;
        in.MaxBuffers = 3;
        in.BufferSize = 1024;
        in.samples = 3950;
        in.OnData = [this](QObject* sender, std::uint8_t* data, std::int32_t size) {
            EXPECT_EQ(sender, &in);
            // The buffer is ours while the handler runs: not at the device.
            queuedDuringHandler = static_cast<int>(backend.devices.queued.size());
            sizes.push_back(size);
            firstBytes.push_back(data[0]);
            if (throwInHandler) throw std::runtime_error("handler failed");
        };
        in.OnOpen = [this](QObject*) { ++opens; };
        in.OnClose = [this](QObject*) { ++closes; };
        in.OnHandlerError = [this](QObject*, std::exception_ptr) { ++errors; };
    }

    ScriptedBackend backend;
    TEnhWaveIn in;
    std::vector<std::int32_t> sizes;
    std::vector<std::uint8_t> firstBytes;
    int queuedDuringHandler = -1;
    int opens = 0, closes = 0, errors = 0;
    bool throwInHandler = false;
};

TEST_F(WaveIn, QueuesItsBuffersOnlyWhenTheOpenNotificationArrives) {
    ASSERT_TRUE(in.Open());
    EXPECT_TRUE(in.IsOpen());
    EXPECT_TRUE(in.IsStarted());
    EXPECT_EQ(backend.devices.queued.size(), 0u);
    EXPECT_EQ(backend.devices.captureFormat.blockAlign(), 2);
    EXPECT_EQ(backend.devices.captureFormat.samplesPerSec, 3950);
    EXPECT_EQ(backend.devices.periodBytes, 1024u);
    Deliver();
    EXPECT_EQ(backend.devices.queued.size(), 3u);
    EXPECT_EQ(opens, 1);
    for (const WaveHeader* h : backend.devices.queued) EXPECT_EQ(h->bufferLength, 1024u);
}

TEST_F(WaveIn, EachBufferReturnsAfterItsHandlerEvenWhenTheHandlerThrows) {
    in.Open();
    Deliver();
    WaveHeader* first = backend.devices.Capture(1024, 0x42);
    Deliver();
    EXPECT_EQ(sizes, std::vector<std::int32_t>{1024});
    EXPECT_EQ(firstBytes[0], 0x42);
    EXPECT_EQ(queuedDuringHandler, 2);
    EXPECT_EQ(backend.devices.queued.back(), first);  // re-queued, at the end
    EXPECT_EQ(backend.devices.queued.size(), 3u);

    throwInHandler = true;
    WaveHeader* second = backend.devices.Capture(1024);
    Deliver();
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(backend.devices.queued.back(), second);  // the ring never shrinks
    EXPECT_EQ(backend.devices.queued.size(), 3u);
}

TEST_F(WaveIn, AnEmptyBufferRaisesNothingButGoesBack) {
    in.Open();
    Deliver();
    const int calls = backend.devices.addBufferCalls;
    backend.devices.Capture(0);
    Deliver();
    EXPECT_TRUE(sizes.empty());
    EXPECT_EQ(backend.devices.addBufferCalls, calls + 1);
    EXPECT_EQ(backend.devices.queued.size(), 3u);
}

TEST_F(WaveIn, CloseStopsResetsAndIgnoresWhatArrivesLater) {
    in.Open();
    Deliver();
    backend.devices.Capture(1024);  // still waiting in the event queue
    in.Close();
    EXPECT_FALSE(in.IsOpen());
    EXPECT_FALSE(in.IsStarted());
    EXPECT_EQ(backend.devices.stopCalls, 1);
    EXPECT_EQ(backend.devices.resetCalls, 1);
    EXPECT_EQ(backend.devices.closeCalls, 1);
    const int calls = backend.devices.addBufferCalls;
    Deliver();
    EXPECT_TRUE(sizes.empty());
    EXPECT_EQ(backend.devices.addBufferCalls, calls);
    EXPECT_EQ(closes, 1);
    in.Close();  // a second close does nothing
    Deliver();
    EXPECT_EQ(backend.devices.closeCalls, 1);
    EXPECT_EQ(closes, 1);
}

TEST_F(WaveIn, ANotificationOfAnEarlierOpeningIsIgnored) {
    in.Open();
    Deliver();
    WaveHeader* old = backend.devices.queued.front();
    const std::uint64_t oldSession = backend.devices.captureSession;
    in.Close();
    Deliver();
    in.Open();
    Deliver();
    old->bytesRecorded = 1024;
    testing::ScriptedDevices::Post(&in, WaveNotification::Data, oldSession, old);
    Deliver();
    EXPECT_TRUE(sizes.empty());
}

TEST_F(WaveIn, ADeviceThatGoesAwayLeavesACleanClosedComponent) {
    in.Open();
    Deliver();
    testing::ScriptedDevices::Post(&in, WaveNotification::Close, backend.devices.captureSession, nullptr, true);
    Deliver();
    EXPECT_FALSE(in.IsOpen());
    EXPECT_FALSE(in.IsStarted());
    EXPECT_EQ(in.DeviceID(), 0u);
    EXPECT_EQ(backend.devices.closeCalls, 1);
    EXPECT_EQ(closes, 1);  // once, although the close itself reports again
    in.Close();
    EXPECT_EQ(backend.devices.closeCalls, 1);
}

TEST_F(WaveIn, AFailedOpenStartsNothing) {
    backend.devices.captureOpenResult = kWaveBadFormat;
    EXPECT_FALSE(in.Open());
    EXPECT_FALSE(in.IsOpen());
    EXPECT_FALSE(in.IsStarted());
    in.Close();
    EXPECT_EQ(backend.devices.closeCalls, 0);
    in.MaxBuffers = 10;
    EXPECT_THROW(in.Open(), std::range_error);
    in.MaxBuffers = 3;
    in.BufferSize = 15;
    EXPECT_THROW(in.Open(), std::range_error);
}

TEST_F(WaveIn, RawCaptureFileHoldsAHeaderAndTheCapturedBytes) {
    const auto path = std::filesystem::temp_directory_path() / "moravel-raw-capture-test.wav";
    in.SetFileName(path.string());
    in.Open();
    in.SetFileName("ignored-while-open.wav");
    EXPECT_EQ(in.FileName(), path.string());
    Deliver();
    backend.devices.Capture(1024, 0x01);
    backend.devices.Capture(512, 0x02);
    Deliver();
    in.Close();
    Deliver();
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 44u + 1536u);
    auto le32 = [&](std::size_t at) {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<unsigned>(bytes[at + 3]) << 24;
    };
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(le32(4), 1536u + 36u);
    EXPECT_EQ(le32(16), 16u);
    EXPECT_EQ(le32(24), 3950u);
    EXPECT_EQ(le32(28), 7900u);
    EXPECT_EQ(le32(40), 1536u);
    EXPECT_EQ(bytes[44], 0x01);
    EXPECT_EQ(bytes[44 + 1024], 0x02);
    std::filesystem::remove(path);
}

TEST_F(WaveIn, CapabilitiesFollowTheDevicesChannels) {
    EXPECT_TRUE(in.capabilities().empty());
    backend.devices.caps = DeviceCaps{true, 2, true, true};
    EXPECT_TRUE(in.capabilities().contains(icStereo));
}

}  // namespace
}  // namespace moravel
