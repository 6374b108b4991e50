// What the ALSA services do when things go wrong: no sound server, a format
// or rate the device refuses, a server that dies or hangs mid-stream.
#include "ProcessCpuTime.h"
#include "LoopbackRig.h"
#include "TestServer.h"

#include <signal.h>

#include <memory>
#include <utility>
#include <vector>

namespace moravel::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

PcmFormat Mono16(std::int32_t rate) { return PcmFormat{1, rate, 16}; }

constexpr AudioRange kRange{4000, 3950, 1024};

class Failures : public WithServer {};

// Capture looped into playback on the server, a few blocks moved each way.
class FlowingRig : public Failures {
protected:
    void SetUp() override {
        ASSERT_EQ(rig.Open(), kWaveOk);
        ASSERT_TRUE(PumpUntil([&] { return rig.Captured().size() >= 2 && rig.BlocksPlayed() >= 2; }, 3s));
    }
    AlsaBackend backend;
    LoopbackRig rig{backend, kRange, 400, 0.5};
};

TEST_F(Failures, WithoutAServerNothingOpensAndNothingIsPosted) {
    Server().Stop(SIGTERM);
    AlsaBackend byDefault;                                      // "default" is the server in this process
    AlsaBackend byName(AlsaOptions{.mapperPcm = "default", .devicePcms = {"pulse"}});  // the server's own PCM, by name
    NotificationRecorder notes;
    for (const auto& [backend, device] : {std::pair{&byDefault, wvMapper}, std::pair{&byName, wvDevice0}}) {
        auto capture = backend->newCapture();
        auto playback = backend->newPlayback();
        EXPECT_EQ(capture->open(device, Mono16(3950), 1024, &notes, 1), kWaveBadDevice);
        EXPECT_EQ(playback->open(device, Mono16(4000), &notes, 1), kWaveBadDevice);
        EXPECT_EQ(capture->start(), kWaveNotOpen);
        EXPECT_FALSE(backend->captureCaps(device).present);
        EXPECT_FALSE(backend->playbackCaps(device).present);
        std::uint32_t volume = 0;
        EXPECT_FALSE(backend->getVolume(device, volume));
        EXPECT_FALSE(backend->setVolume(device, 0x80008000U));
    }
    PumpFor(100ms);
    EXPECT_TRUE(notes.received.empty());
}

TEST_F(Failures, AFormatOrRateTheDeviceRefusesIsABadFormatAndLeavesTheServiceReusable) {
    AlsaBackend backend;
    auto capture = backend.newCapture();
    auto playback = backend.newPlayback();
    NotificationRecorder notes;
    for (const PcmFormat& refused : {Mono16(1'000'000), PcmFormat{1, 8000, 24}, PcmFormat{0, 8000, 16}}) {
        EXPECT_EQ(capture->open(wvMapper, refused, 1024, &notes, 1), kWaveBadFormat);
        EXPECT_EQ(playback->open(wvMapper, refused, &notes, 1), kWaveBadFormat);
    }
    EXPECT_EQ(capture->open(wvMapper, Mono16(3950), 1, &notes, 1), kWaveBadFormat) << "no whole frame per block";
    PumpFor(50ms);
    EXPECT_TRUE(notes.received.empty());

    EXPECT_EQ(capture->open(wvMapper, Mono16(3950), 1024, &notes, 2), kWaveOk);
    EXPECT_EQ(playback->open(wvMapper, Mono16(4000), &notes, 2), kWaveOk);
    EXPECT_EQ(capture->close(), kWaveOk);
    EXPECT_EQ(playback->close(), kWaveOk);
}

TEST_F(FlowingRig, AServerThatDiesMidStreamClosesEachDeviceOnceAsLostAndNothingSpins) {
    Server().Stop(SIGKILL);
    ASSERT_TRUE(
        PumpUntil([&] { return rig.CaptureNotes().LostCloses() == 1 && rig.PlaybackNotes().LostCloses() == 1; }, 2s));

    const auto cpu = ProcessCpuTime();
    const auto workers = rig.Capture().workerCpuTime() + rig.Playback().workerCpuTime();
    PumpFor(500ms);
    EXPECT_LT(ProcessCpuTime() - cpu, 50ms) << "something spins after the server died";
    EXPECT_EQ(rig.Capture().workerCpuTime() + rig.Playback().workerCpuTime(), workers) << "the workers ended";
    EXPECT_EQ(rig.CaptureNotes().LostCloses(), 1);
    EXPECT_EQ(rig.PlaybackNotes().LostCloses(), 1);

    const auto closing = Clock::now();
    rig.Close();
    EXPECT_LT(Clock::now() - closing, 1s);
    PumpFor(50ms);
    for (NotificationRecorder* notes : {&rig.CaptureNotes(), &rig.PlaybackNotes()}) {
        EXPECT_EQ(notes->Count(WaveNotification::Close), 2) << "the lost one, then the one close() posts";
        EXPECT_FALSE(notes->received.back().lost);
    }
}

// A playback device that played its one block out and waits for the next.
class IdlePlayback : public Failures {
protected:
    AlsaBackend backend;
    std::unique_ptr<AlsaPlayback> playback = backend.newPlayback();
    NotificationRecorder notes;
    std::vector<std::uint8_t> silence = std::vector<std::uint8_t>(1024, 0);
    WaveHeader block{silence.data(), 1024};

    void PlayOneBlockOut() {
        ASSERT_EQ(playback->open(wvMapper, Mono16(4000), &notes, 1), kWaveOk);
        playback->write(&block);
        ASSERT_TRUE(PumpUntil([&] { return notes.Count(WaveNotification::Done) == 1; }, 1s));
        PumpFor(300ms);  // played out: the device runs dry and waits
    }
};

TEST_F(IdlePlayback, RunningDryIsAnUnderrun) {
    if (OnPipeWire()) GTEST_SKIP() << "pipewire-pulse often reports no underrun for a stream that ran dry";
    PlayOneBlockOut();
    EXPECT_GE(playback->xruns(), 1);
}

TEST_F(IdlePlayback, ReportsTheServerGoneAtTheNextBlock) {
    PlayOneBlockOut();
    // The server's plugin says nothing while its stream waits for data.
    Server().Stop(SIGKILL);
    playback->write(&block);
    ASSERT_TRUE(PumpUntil([&] { return notes.LostCloses() == 1; }, 1s));
    PumpFor(100ms);
    EXPECT_EQ(notes.Count(WaveNotification::Done), 1) << "the block written after was not played";
    EXPECT_EQ(playback->close(), kWaveStillPlaying);
    EXPECT_EQ(playback->reset(), kWaveOk);
    EXPECT_EQ(playback->close(), kWaveOk);
}

TEST_F(FlowingRig, ClosingIsBoundedWhenTheServerHangs) {
    Server().Signal(SIGSTOP);
    PumpFor(200ms);
    rig.Capture().reset();
    rig.Playback().reset();
    for (auto close :
         {+[](LoopbackRig& r) { return r.Capture().close(); }, +[](LoopbackRig& r) { return r.Playback().close(); }}) {
        const auto closing = Clock::now();
        EXPECT_EQ(close(rig), kWaveOk);
        EXPECT_LT(Clock::now() - closing, 1s);
    }
    PumpFor(50ms);
    EXPECT_EQ(rig.CaptureNotes().Count(WaveNotification::Close), 1);
    EXPECT_EQ(rig.PlaybackNotes().Count(WaveNotification::Close), 1);
    Server().Stop(SIGKILL);  // lets the workers still waiting on it go
}

}  // namespace
}  // namespace moravel::testing
