// The stopwatch slots and the CPU usage sampler with the meter's smoothing.
#include "../TempFolder.h"
#include "app/core/Stopwatch.h"
#include "app/core/CpuUsage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace moravel {
namespace {

TEST(Stopwatch, SlotsMeasureOnTheirOwnAndOnlyOneToFive) {
    Stopwatch timer;
    timer.Start(2);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    timer.Start(3);
    const long double two = timer.Elapsed(2);
    const long double three = timer.Elapsed(3);
    EXPECT_GE(two, 0.019L);
    EXPECT_LT(three, two);
    EXPECT_GT(timer.Elapsed(5), 1.0L);  // never started: measured from count zero
    EXPECT_THROW(timer.Start(0), std::range_error);
    try {
        timer.Elapsed(6);
        FAIL();
    } catch (const std::range_error& e) {
        EXPECT_STREQ(e.what(), "Stopwatch slot 6 is out of range 1..5");
    }
}

// Each test has a folder of its own: ctest runs tests in parallel.
class CpuUsageSampling : public ::testing::Test {
protected:
    void write(const std::string& text) { std::ofstream(path) << text; }
    testing::TempFolder folder;
    const std::filesystem::path path = folder.Path() / "stat";
};

// Between the samples cpu0 spent 300 of 400 jiffies busy (idle 60 + iowait
// 40 count as idle); cpu1 was all idle.
TEST_F(CpuUsageSampling, BusyShareBetweenTwoSamplesPerProcessor) {
    write("cpu  0 0 0 0 0 0 0 0\ncpu0 100 0 100 800 0 0 0 0\ncpu1 0 0 0 1000 0 0 0 0\nintr 5\n");
    CpuUsage sampler(path.string());
    sampler.CollectCpuSample();
    EXPECT_EQ(sampler.ProcessorCount(), 2);
    write("cpu  0 0 0 0 0 0 0 0\ncpu0 250 0 250 860 40 0 0 0\ncpu1 0 0 0 1400 0 0 0 0\n");
    sampler.CollectCpuSample();
    EXPECT_NEAR(sampler.GetCpuUsage(0), 0.75L, 1e-12L);
    EXPECT_EQ(sampler.GetCpuUsage(1), 0.0L);
    sampler.CollectCpuSample();  // no time passed: 0
    EXPECT_EQ(sampler.GetCpuUsage(0), 0.0L);
    EXPECT_THROW(sampler.GetCpuUsage(2), std::runtime_error);
    EXPECT_THROW(sampler.GetCpuUsage(-1), std::runtime_error);
}

TEST_F(CpuUsageSampling, MissingCountersGiveTheFixedMessages) {
    write("intr 1\n");
    CpuUsage noCpus(path.string());
    try {
        noCpus.CollectCpuSample();
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Unable to locate the \"Processor\" performance object");
    }
    write("cpu0\n");
    try {
        CpuUsage(path.string()).CollectCpuSample();
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Unable to locate the \"% of CPU usage\" performance counter");
    }
    write("cpu0 1 2 3\n");
    CpuUsage shortLine(path.string());
    try {
        shortLine.GetCpuUsage(0);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Unable to locate the \"% of CPU usage\" performance counter");
    }
}

// Before a second sample the share is measured from zero counters, i.e.
// since the counters started: 1 - 800 / (100 + 100 + 800) = 0.2. Kernels
// before 2.6 give only the first four counters.
TEST_F(CpuUsageSampling, FirstSampleMeasuresSinceTheCountersStarted) {
    write("cpu0 100 0 100 800 0 0 0 0\n");
    EXPECT_NEAR(CpuUsage(path.string()).GetCpuUsage(0), 0.2L, 1e-12L);
    write("cpu0 100 0 100 800\n");
    EXPECT_NEAR(CpuUsage(path.string()).GetCpuUsage(0), 0.2L, 1e-12L);
}

// user 300, system 100, idle 500, steal 100: 1000 jiffies of which 500
// idle, 0.5. Guest time (200) and guest-nice time (50) are already inside
// user and nice: counting them again would give 1 - 500 / 1250 = 0.6, and
// leaving steal out 1 - 500 / 900 = 0.444.
TEST_F(CpuUsageSampling, StealCountsAndGuestTimeIsNotCountedTwice) {
    write("cpu0 0 0 0 0 0 0 0 0 0 0\n");
    CpuUsage sampler(path.string());
    sampler.CollectCpuSample();
    write("cpu0 300 0 100 500 0 0 0 100 200 50\n");
    sampler.CollectCpuSample();
    EXPECT_NEAR(sampler.GetCpuUsage(0), 0.5L, 1e-12L);
}

// The processors' lines lead the file; what follows them is not read, even
// a line that looks like one.
TEST_F(CpuUsageSampling, ReadingStopsAfterTheProcessorsLines) {
    write("cpu  1 0 0 3 0 0 0 0\ncpu0 1 0 0 3 0 0 0 0\nintr 7 0 0 1\ncpu1 5 0 0 5 0 0 0 0\n");
    CpuUsage sampler(path.string());
    sampler.CollectCpuSample();
    EXPECT_EQ(sampler.ProcessorCount(), 1);
    EXPECT_NEAR(sampler.GetCpuUsage(0), 0.25L, 1e-12L);
}

TEST(CpuUsageOfThisMachine, ReadsTheKernelsCounters) {
    CpuUsage real;  // /proc/stat: its lines parse and processor 0 is there
    EXPECT_NO_THROW(real.CollectCpuSample());
    EXPECT_NO_THROW(real.GetCpuUsage(0));
}

TEST(CpuMeter, MovesHalfWayToTheNewPercentage) {
    // From 0 % to a steady 100 %: 50, 75, 88 (87.5 to even), 94 (93.5 to even).
    int shown = 0;
    const int expected[] = {50, 75, 88, 94, 97};
    for (int step : expected) {
        shown = CpuMeterPosition(1.0L, shown);
        EXPECT_EQ(shown, step);
    }
    EXPECT_EQ(CpuMeterPosition(0.125L, 0), 6);  // Round(12.5) = 12, then Round(6) = 6
    EXPECT_EQ(CpuMeterPosition(0.0L, 1), 0);    // 0.5 rounds to even
}

}  // namespace
}  // namespace moravel
