// The card as a backend: its one device and what it can do, the format
// checks both devices share, unplugging, the stepping helpers that drive
// several devices in time order, and devices that outlive the card.
#include "VirtualTestSupport.h"
#include "audio/virtual/BlockTiming.h"
#include "audio/virtual/VirtualCard.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

using namespace testing;
using std::chrono::nanoseconds;
using Kind = WaveNotification::Kind;

VirtualCardOptions stepping() {
    VirtualCardOptions options;
    options.clock = ClockMode::Stepping;
    return options;
}

TEST(VirtualCard, OffersOneStereoDeviceAsMapperAndDeviceZero) {
    VirtualCard card(stepping());
    for (TEWDev device : {wvMapper, wvDevice0}) {
        const DeviceCaps in = card.captureCaps(device);
        EXPECT_TRUE(in.present);
        EXPECT_EQ(in.channels, 2);
        const DeviceCaps out = card.playbackCaps(device);
        EXPECT_TRUE(out.present && out.volume && out.lrVolume);
        EXPECT_EQ(out.channels, 2);
    }
    for (TEWDev device : {wvDevice1, wvDevice9}) {
        EXPECT_FALSE(card.captureCaps(device).present);
        EXPECT_FALSE(card.playbackCaps(device).present);
    }
    EXPECT_EQ(card.captureDeviceNames().size(), 2U);
    EXPECT_EQ(card.playbackDeviceNames().size(), 2U);
}

TEST(VirtualCard, StoresTheVolume) {
    VirtualCard card(stepping());
    std::uint32_t volume = 0;
    ASSERT_TRUE(card.getVolume(wvMapper, volume));
    EXPECT_EQ(volume, 0xFFFFFFFFU);
    ASSERT_TRUE(card.setVolume(wvMapper, 0x80001234U));
    ASSERT_TRUE(card.getVolume(wvDevice0, volume));
    EXPECT_EQ(volume, 0x80001234U);
    EXPECT_FALSE(card.setVolume(wvDevice2, 0));
    EXPECT_FALSE(card.getVolume(wvDevice2, volume));
}

// The same refusals for capture and playback; nothing is posted for them.
TEST(VirtualCard, OpenChecksDeviceAndFormat) {
    VirtualCard card(stepping());
    NotificationLog log;
    const struct {
        TEWDev device;
        PcmFormat format;
        std::int32_t result;
    } cases[] = {
        {wvMapper, Format(8000, 16, 1), kWaveOk},
        {wvDevice0, Format(8000, 8, 2), kWaveOk},
        {wvMapper, Format(1, 16, 1), kWaveOk},
        {wvMapper, Format(384000, 16, 1), kWaveOk},
        {wvMapper, Format(0, 16, 1), kWaveBadFormat},
        {wvMapper, Format(384001, 16, 1), kWaveBadFormat},
        {wvMapper, Format(8000, 24, 1), kWaveBadFormat},
        {wvMapper, Format(8000, 12, 1), kWaveBadFormat},
        {wvMapper, Format(8000, 16, 0), kWaveBadFormat},
        {wvMapper, Format(8000, 16, 3), kWaveBadFormat},
        {wvDevice1, Format(8000, 16, 1), kWaveBadDevice},
        {wvDevice9, Format(8000, 16, 1), kWaveBadDevice},
    };
    for (const auto& c : cases) {
        const std::string what = std::to_string(c.device) + " " + std::to_string(c.format.samplesPerSec) + " " +
                                 std::to_string(c.format.bitsPerSample) + " " + std::to_string(c.format.channels);
        EXPECT_EQ(card.createCapture()->open(c.device, c.format, 4096, &log, 1), c.result) << "capture " << what;
        EXPECT_EQ(card.createPlayback()->open(c.device, c.format, &log, 1), c.result) << "playback " << what;
    }
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Open), 8U);  // four good cases, two devices each
}

class Unplugging : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(capture->open(wvMapper, Format(8450), 2048, &log, 1), kWaveOk);
        ASSERT_EQ(playback->open(wvMapper, Format(8500), &log, 2), kWaveOk);
        ASSERT_EQ(capture->start(), kWaveOk);
        capture->addBuffer(ring[0]);
        capture->addBuffer(ring[1]);
        playback->write(ring[2]);
        log.Deliver();
        log.entries.clear();
    }
    VirtualCard card{stepping()};
    NotificationLog log;
    std::unique_ptr<CaptureService> capture = card.createCapture();
    std::unique_ptr<PlaybackService> playback = card.createPlayback();
    BufferRing ring{3, 2048};
};

// Each device reports the loss once, then does nothing until it is reset
// and closed, which work as usual.
TEST_F(Unplugging, EveryOpenDeviceReportsTheLossOnceAndStops) {
    card.Unplug();
    card.Unplug();
    card.Advance(std::chrono::seconds(5));
    log.Deliver();
    ASSERT_EQ(log.entries.size(), 2U);
    for (const auto& entry : log.entries) {
        EXPECT_EQ(entry.kind, Kind::Close);
        EXPECT_TRUE(entry.lost);
    }
    EXPECT_EQ(capture->start(), kWaveBadDevice);
    EXPECT_EQ(capture->reset(), kWaveOk);
    EXPECT_EQ(playback->reset(), kWaveOk);
    EXPECT_EQ(capture->close(), kWaveOk);
    EXPECT_EQ(playback->close(), kWaveOk);
    log.Deliver();
    EXPECT_EQ(log.Headers(Kind::Data), (std::vector<WaveHeader*>{ring[0], ring[1]}));
    EXPECT_EQ(log.Of(Kind::Data)[0].bytes, 0U);
    EXPECT_EQ(log.Headers(Kind::Done), std::vector<WaveHeader*>{ring[2]});
    EXPECT_EQ(log.Count(Kind::Close), 4U);
    EXPECT_FALSE(log.entries.back().lost);
    EXPECT_EQ(card.OpenDevices(), 0U);
}

TEST_F(Unplugging, TheCardIsAbsentUntilPluggedInAgain) {
    card.Unplug();
    EXPECT_FALSE(card.captureCaps(wvMapper).present);
    EXPECT_FALSE(card.playbackCaps(wvMapper).present);
    EXPECT_EQ(card.createCapture()->open(wvMapper, Format(8450), 2048, &log, 3), kWaveBadDevice);
    EXPECT_EQ(card.createPlayback()->open(wvMapper, Format(8500), &log, 3), kWaveBadDevice);
    card.Plug();
    EXPECT_TRUE(card.playbackCaps(wvMapper).present);
    EXPECT_EQ(card.createPlayback()->open(wvMapper, Format(8500), &log, 3), kWaveOk);
}

// A 1024-sample capture block at 8450 Hz and a 1024-sample playback block at
// 8500 Hz: stepping visits their deadlines in time order.
TEST(VirtualCardStepping, VisitsTheDeadlinesOfAllDevicesInTimeOrder) {
    VirtualCard card(stepping());
    NotificationLog log;
    auto capture = card.createCapture();
    auto playback = card.createPlayback();
    ASSERT_EQ(capture->open(wvMapper, Format(8450), 2048, &log, 1), kWaveOk);
    ASSERT_EQ(playback->open(wvMapper, Format(8500), &log, 2), kWaveOk);
    log.requeue = capture.get();
    BufferRing in(2, 2048);
    BufferRing out(3, 2048);
    for (WaveHeader& header : in.headers) capture->addBuffer(&header);
    for (WaveHeader& header : out.headers) playback->write(&header);
    capture->start();
    log.Deliver();
    log.entries.clear();
    std::vector<nanoseconds> times;
    while (card.Now() < vcard::FramesDuration(3 * 1024, 8450)) {
        ASSERT_TRUE(card.StepToNextDeadline());
        times.push_back(card.Now());
        log.Deliver();
    }
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    std::string kinds;
    for (const auto& entry : log.entries) kinds += entry.kind == Kind::Done ? 'P' : 'C';
    EXPECT_EQ(kinds, "PCPCPC");  // 8500 Hz is a little ahead of 8450 Hz
    EXPECT_EQ(times[0], vcard::FramesDuration(1024, 8500));
    EXPECT_EQ(times[1], vcard::FramesDuration(1024, 8450));
    capture->reset();
    EXPECT_TRUE(!card.StepToNextDeadline());  // nothing left to do
}

// Advance produces what is due but delivers nothing, so a ring of three
// buffers runs dry; RunFor lets the owner give buffers back in time.
TEST(VirtualCardStepping, RunForDeliversBetweenDeadlines) {
    for (bool deliver : {false, true}) {
        VirtualCard card(stepping());
        NotificationLog log;
        BufferRing ring(3, 2048);
        const auto capture = RequeuingCapture(card, log, ring);
        ASSERT_NE(capture, nullptr);
        capture->start();
        if (deliver) {
            card.RunFor(std::chrono::seconds(10));
        } else {
            card.Advance(std::chrono::seconds(10));
        }
        log.Deliver();
        const std::int64_t blocks = 10 * 8450 / 1024;  // 82
        EXPECT_EQ(std::int64_t(log.Count(Kind::Data)), deliver ? blocks : 3) << deliver;
        EXPECT_EQ(capture->xruns(), deliver ? 0 : blocks - 3) << deliver;
        capture->reset();
    }
}

TEST(VirtualCardStepping, StepsOnlyOnASteppingCard) {
    VirtualCard card;
    EXPECT_EQ(card.Clock(), ClockMode::RealTime);
    EXPECT_THROW(card.Advance(nanoseconds(1)), std::logic_error);
    EXPECT_THROW(card.StepToNextDeadline(), std::logic_error);
    EXPECT_THROW(card.RunFor(nanoseconds(1)), std::logic_error);
}

TEST(VirtualCardLifetime, DevicesMayOutliveTheCard) {
    NotificationLog log;
    std::unique_ptr<PlaybackService> playback;
    {
        VirtualCard card(stepping());
        playback = card.createPlayback();
        ASSERT_EQ(playback->open(wvMapper, Format(8000), &log, 1), kWaveOk);
    }
    EXPECT_EQ(playback->close(), kWaveOk);
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Close), 1U);
}

// Destroying an open device ends its session without a word.
TEST(VirtualCardLifetime, DestroyingAnOpenDevicePostsNothing) {
    VirtualCard card(stepping());
    NotificationLog log;
    {
        auto capture = card.createCapture();
        ASSERT_EQ(capture->open(wvMapper, Format(8000), 1024, &log, 1), kWaveOk);
        EXPECT_EQ(card.OpenDevices(), 1U);
    }
    EXPECT_EQ(card.OpenDevices(), 0U);
    log.Deliver();
    EXPECT_EQ(log.Count(Kind::Open), 1U);
    EXPECT_EQ(log.Count(Kind::Close), 0U);
}

}  // namespace
}  // namespace moravel
