// The wave input's rules: buffers queued after the open notification, each
// returned to the device after the handler, closing, the lost device, and
// the raw-capture file.
#include "audio/EnhWave.h"
#include "ScriptedBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>

#include <unistd.h>

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
        in.OnLost = [this](QObject*) {
            ++losses;
            closesAtLoss = closes;
            EXPECT_FALSE(in.IsOpen()) << "closed before the owner hears of the loss";
        };
        in.OnHandlerError = [this](QObject*, std::exception_ptr) { ++errors; };
    }

    ScriptedBackend backend;
    EnhWaveIn in;
    std::vector<std::int32_t> sizes;
    std::vector<std::uint8_t> firstBytes;
    int queuedDuringHandler = -1;
    int opens = 0, closes = 0, errors = 0;
    int losses = 0, closesAtLoss = -1;
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
    EXPECT_EQ(losses, 0) << "a requested close is no loss";
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
    EXPECT_EQ(losses, 1);
    EXPECT_EQ(closesAtLoss, 0) << "the loss is raised before the close";
    in.Close();
    EXPECT_EQ(backend.devices.closeCalls, 1);
}

TEST_F(WaveIn, ALossReportedForAnEarlierOpeningIsNoLoss) {
    in.Open();
    Deliver();
    const std::uint64_t oldSession = backend.devices.captureSession;
    in.Close();
    Deliver();
    in.Open();
    Deliver();
    testing::ScriptedDevices::Post(&in, WaveNotification::Close, oldSession, nullptr, true);
    Deliver();
    EXPECT_EQ(losses, 0);
    EXPECT_TRUE(in.IsOpen());
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

// The raw-capture file as the component writes it: opened at the open
// notification, every captured byte appended, the sizes put in at close.
std::vector<unsigned char> RecordRawCapture(EnhWaveIn& in, ScriptedBackend& backend,
                                            const std::vector<std::uint32_t>& captures,
                                            const std::function<void()>& whileOpen = {}) {
    // One file per test and process: the tests run in parallel.
    const auto path =
        std::filesystem::temp_directory_path() /
        ("moravel-raw-capture-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
         std::to_string(getpid()) + ".wav");
    in.SetFileName(path.string());
    in.Open();
    in.SetFileName("ignored-while-open.wav");
    EXPECT_EQ(in.FileName(), path.string());
    Deliver();
    if (whileOpen) whileOpen();
    std::uint8_t value = 0x01;
    for (const std::uint32_t bytes : captures) backend.devices.Capture(bytes, value++);
    Deliver();
    in.Close();
    Deliver();
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

std::vector<unsigned char> HeaderOf(const std::vector<unsigned char>& file) {
    return {file.begin(), file.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(file.size(), 44))};
}

TEST_F(WaveIn, RawCaptureFileHoldsTheCanonicalHeaderAndTheCapturedBytes) {
    // Mono, 16 bits, 3950 Hz; 1024 + 512 bytes captured.
    const std::vector<unsigned char> file = RecordRawCapture(in, backend, {1024, 512});
    const std::vector<unsigned char> header = {
        'R',  'I',  'F',  'F',  0x24, 0x06, 0x00, 0x00,  // RIFF size 1536 + 36
        'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ',   //
        0x10, 0x00, 0x00, 0x00,                          // fmt size 16
        0x01, 0x00, 0x01, 0x00,                          // PCM, 1 channel
        0x6E, 0x0F, 0x00, 0x00,                          // 3950 samples/s
        0xDC, 0x1E, 0x00, 0x00,                          // 7900 bytes/s
        0x02, 0x00, 0x10, 0x00,                          // block 2, 16 bits
        'd',  'a',  't',  'a',  0x00, 0x06, 0x00, 0x00,  // data size 1536
    };
    ASSERT_EQ(file.size(), 44u + 1536u);
    EXPECT_EQ(HeaderOf(file), header);
    EXPECT_EQ(file[44], 0x01);
    EXPECT_EQ(file[44 + 1023], 0x01);
    EXPECT_EQ(file[44 + 1024], 0x02);
    EXPECT_EQ(file.back(), 0x02);
}

TEST_F(WaveIn, RawCaptureFileKeepsTheFormatItBeganWithAndAnOddSizeUnpadded) {
    in.channels = 2;
    in.SampleBits = 8;
    in.samples = 22050;
    // The fields change while recording; the file keeps its own format.
    const std::vector<unsigned char> file = RecordRawCapture(in, backend, {1024, 513}, [this] {
        in.channels = 1;
        in.SampleBits = 16;
        in.samples = 8000;
    });
    const std::vector<unsigned char> header = {
        'R',  'I',  'F',  'F',  0x25, 0x06, 0x00, 0x00,  // RIFF size 1537 + 36
        'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ',   //
        0x10, 0x00, 0x00, 0x00,                          // fmt size 16
        0x01, 0x00, 0x02, 0x00,                          // PCM, 2 channels
        0x22, 0x56, 0x00, 0x00,                          // 22050 samples/s
        0x44, 0xAC, 0x00, 0x00,                          // 44100 bytes/s
        0x02, 0x00, 0x08, 0x00,                          // block 2, 8 bits
        'd',  'a',  't',  'a',  0x01, 0x06, 0x00, 0x00,  // data size 1537
    };
    ASSERT_EQ(file.size(), 44u + 1537u);  // no pad byte behind the data
    EXPECT_EQ(HeaderOf(file), header);
    EXPECT_EQ(file.back(), 0x02);
}

TEST_F(WaveIn, CapabilitiesFollowTheDevicesChannels) {
    EXPECT_TRUE(in.capabilities().empty());
    backend.devices.caps = DeviceCaps{true, 2, true, true};
    EXPECT_TRUE(in.capabilities().contains(icStereo));
}

}  // namespace
}  // namespace moravel
