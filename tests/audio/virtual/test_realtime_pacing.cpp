// The real-time clock: worker threads deliver on their own, never ahead of
// real time; closing does not wait for a far deadline. One pacing check
// with a generous tolerance; everything exact is tested with the stepping
// clock.
#include "VirtualTestSupport.h"
#include "audio/virtual/VirtualCard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace moravel {
namespace {

using namespace testing;
using Kind = WaveNotification::Kind;

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until `done` holds or `limitMs` passed.
template <typename Condition>
bool waitFor(Condition done, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents();
    }
    return done();
}

// About one second at 8450 Hz in blocks of 1024 samples (121 ms): 8 blocks.
// Counted against the time that really passed, delivered or lost alike, so
// that a busy machine (a late event loop, a late worker) does not fail it:
// never a block ahead of real time, and at most 300 ms behind.
TEST(RealTimeClock, CaptureDeliversBlocksAtTheSampleRate) {
    VirtualCard card;
    NotificationLog log;
    BufferRing ring(3, 2048);
    const auto capture = RequeuingCapture(card, log, ring);
    ASSERT_NE(capture, nullptr);
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(capture->start(), kWaveOk);
    runEventLoopFor(1000);
    ASSERT_EQ(capture->stop(), kWaveOk);
    const std::int64_t elapsedMs = timer.elapsed();
    log.Deliver();
    const std::int64_t blocks = std::int64_t(log.Count(Kind::Data)) + capture->xruns();
    auto dueWithin = [](std::int64_t ms) { return std::max<std::int64_t>(ms, 0) * 8450 / 1024 / 1000; };
    EXPECT_LE(blocks, dueWithin(elapsedMs)) << elapsedMs << " ms";
    EXPECT_GE(blocks, dueWithin(elapsedMs - 300)) << elapsedMs << " ms";
    EXPECT_GE(blocks, 6);
    EXPECT_EQ(capture->reset(), kWaveOk);
    EXPECT_EQ(capture->close(), kWaveOk);
}

TEST(RealTimeClock, PlaybackFinishesEveryBlockInOrder) {
    VirtualCardOptions options;
    options.keepPlayedSamples = true;
    VirtualCard card(options);
    NotificationLog log;
    auto playback = card.createPlayback();
    ASSERT_EQ(playback->open(wvMapper, Format(31000), &log, 1), kWaveOk);
    BufferRing ring(3, 8192);
    for (WaveHeader& header : ring.headers) ASSERT_EQ(playback->write(&header), kWaveOk);
    ASSERT_TRUE(waitFor([&] { return log.Count(Kind::Done) == 3; }, 10000));
    EXPECT_EQ(log.Headers(Kind::Done), (std::vector<WaveHeader*>{ring[0], ring[1], ring[2]}));
    EXPECT_EQ(card.PlayedSamples().size(), 3U * 4096U);
    EXPECT_EQ(playback->close(), kWaveOk);
}

// One frame per second and 100 frames per block: the first block is due in
// 100 s. Close must not wait for it, and a vanished device must say so.
TEST(RealTimeClock, CloseAndUnplugDoNotWaitForTheNextDeadline) {
    VirtualCard card;
    NotificationLog log;
    auto capture = card.createCapture();
    ASSERT_EQ(capture->open(wvMapper, Format(1), 200, &log, 1), kWaveOk);
    ASSERT_EQ(capture->start(), kWaveOk);
    card.Unplug();
    ASSERT_TRUE(waitFor([&] { return log.Count(Kind::Close) == 1; }, 10000));
    EXPECT_TRUE(log.Of(Kind::Close)[0].lost);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(capture->close(), kWaveOk);
    EXPECT_LT(timer.elapsed(), 5000);
}

}  // namespace
}  // namespace moravel
