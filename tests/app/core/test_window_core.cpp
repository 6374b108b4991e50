#include "app/core/MemoryStatus.h"
#include "app/core/SplitterRule.h"
#include "app/core/StatusLights.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace moravel {
namespace {

TEST(SplitterRule, TopPanelHeight) {
    EXPECT_EQ(SplitterRatioFor(200, 399), 0.5f);
    EXPECT_EQ(TopPanelHeightFor(0.5f, 400), 200);
    // Ties go to even; the pane collapses below 50 pixels.
    EXPECT_EQ(TopPanelHeightFor(0.5f, 101), 50);
    EXPECT_EQ(TopPanelHeightFor(0.5f, 103), 52);
    EXPECT_EQ(TopPanelHeightFor(0.5f, 99), 50);
    EXPECT_EQ(TopPanelHeightFor(0.5f, 97), 3);
    EXPECT_EQ(TopPanelHeightFor(0.0f, 800), 3);
    // The splitter dragged to the bottom gives a ratio just under 1.
    EXPECT_EQ(TopPanelHeightFor(SplitterRatioFor(500, 500), 500), 499);
    EXPECT_EQ(TopPanelHeightFor(1.0f, 500), 500);
    // Above 1, 10 pixels stay below the splitter, unless that is too small.
    EXPECT_EQ(TopPanelHeightFor(1.01f, 500), 490);
    EXPECT_EQ(TopPanelHeightFor(1.01f, 55), 3);
}

TEST(SplitterRule, FirstLayoutPlacesTheStoredHeight) {
    // Through the share, 200 pixels of a 300-pixel area come back as 199.
    EXPECT_EQ(TopPanelHeightFor(SplitterRatioFor(200, 300), 300), 199);
    EXPECT_EQ(FirstTopPanelHeight(200, 300), 200);
    EXPECT_EQ(FirstTopPanelHeight(40, 300), 3);
    EXPECT_EQ(FirstTopPanelHeight(400, 300), 290);
}

TEST(SplitterRule, RatioIsSinglePrecision) {
    // 2 / 52 x 1937 is exactly 74.5; the single-precision ratio lies just
    // above 2/52, so the height is 75 (a double ratio would give 74).
    EXPECT_EQ(TopPanelHeightFor(SplitterRatioFor(2, 51), 1937), 75);
}

TEST(StatusLights, ASingleBufferErrorLightsExactlyOneTick) {
    StatusLights lights;
    bool bufferError = true;
    LightState light = lights.BufferErrorLight(bufferError);
    EXPECT_TRUE(light.lit);
    EXPECT_STREQ(light.text, "Buffer Error");
    EXPECT_TRUE(bufferError) << "kept while the light is on";

    EXPECT_FALSE(lights.BufferErrorLight(bufferError).lit);
    EXPECT_FALSE(bufferError);
    EXPECT_FALSE(lights.BufferErrorLight(bufferError).lit);
}

TEST(StatusLights, RepeatedBufferErrorsBlinkAtOneHertz) {
    StatusLights lights;
    for (int tick = 0; tick < 6; ++tick) {
        bool bufferError = true;  // a late block in every 500 ms
        EXPECT_EQ(lights.BufferErrorLight(bufferError).lit, tick % 2 == 0) << tick;
    }
}

TEST(StatusLights, RecordingLight) {
    StatusLights lights;
    LightState light = lights.RecordingLight(false, false);
    EXPECT_FALSE(light.lit);
    EXPECT_STREQ(light.text, "Recording");
    light = lights.RecordingLight(false, true);
    EXPECT_FALSE(light.lit);
    EXPECT_STREQ(light.text, "Paused");

    EXPECT_TRUE(lights.RecordingLight(true, false).lit);
    EXPECT_FALSE(lights.RecordingLight(true, false).lit);
    light = lights.RecordingLight(true, true);
    EXPECT_TRUE(light.lit);
    EXPECT_STREQ(light.text, "Paused");
    EXPECT_FALSE(lights.RecordingLight(false, false).lit) << "stopping switches the light off";
    EXPECT_TRUE(lights.RecordingLight(true, false).lit) << "a new recording starts lit";
}

TEST(MemoryStatus, ParsesTheKernelsFigures) {
    const MemoryStatus status = ParseMemoryStatus(
        "MemTotal:       16318480 kB\n"
        "MemFree:         1234567 kB\n"
        "MemAvailable:    8159240 kB\n"
        "Buffers:          300000 kB\n"
        "HugePages_Total:       0\n");
    EXPECT_EQ(status.totalKb, 16318480u);
    EXPECT_EQ(status.availableKb, 8159240u);
    EXPECT_EQ(status.loadPercent, 50u);

    // Older kernels: free memory plus the caches.
    const MemoryStatus old = ParseMemoryStatus("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 150 kB\n");
    EXPECT_EQ(old.availableKb, 300u);
    EXPECT_EQ(old.loadPercent, 70u);
}

TEST(MemoryStatus, LoadRoundsToEvenAndStaysInRange) {
    EXPECT_EQ(ParseMemoryStatus("MemTotal: 200 kB\nMemAvailable: 199 kB\n").loadPercent, 0u);  // 0.5
    EXPECT_EQ(ParseMemoryStatus("MemTotal: 200 kB\nMemAvailable: 197 kB\n").loadPercent, 2u);  // 1.5
    EXPECT_EQ(ParseMemoryStatus("MemTotal: 8 kB\nMemAvailable: 7 kB\n").loadPercent, 12u);     // 12.5
    EXPECT_EQ(ParseMemoryStatus("MemTotal: 3 kB\nMemAvailable: 1 kB\n").loadPercent, 67u);     // 66.67
    EXPECT_EQ(ParseMemoryStatus("MemTotal: 100 kB\nMemAvailable: 0 kB\n").loadPercent, 100u);
    const MemoryStatus over = ParseMemoryStatus("MemTotal: 100 kB\nMemAvailable: 150 kB\n");
    EXPECT_EQ(over.availableKb, 100u);
    EXPECT_EQ(over.loadPercent, 0u);
}

TEST(MemoryStatus, GarbledOrMissingFiguresThrow) {
    for (const char* text : {"", "MemAvailable: 5 kB\n", "MemTotal: abc kB\nMemAvailable: 5 kB\n",
                             "MemTotal: 10 kB\nMemAvailable: -5 kB\n", "MemTotal: 0 kB\nMemAvailable: 0 kB\n",
                             "MemTotal: 10 kB\nMemFree: 1 kB\nBuffers: 1 kB\n", "MemTotal: 10 MB\nMemAvailable: 1\n"})
        EXPECT_THROW(ParseMemoryStatus(text), std::runtime_error) << text;

    testing::TempFolder folder;
    const std::string missing = folder.File("meminfo");
    try {
        ReadMemoryStatus(missing);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
    testing::WriteText(missing, "MemTotal: 10 kB\n");
    EXPECT_THROW(ReadMemoryStatus(missing), std::runtime_error);
    testing::WriteText(missing, "MemTotal: 10 kB\nMemAvailable: 4 kB\n");
    EXPECT_EQ(ReadMemoryStatus(missing).loadPercent, 60u);
}

TEST(MemoryStatus, KilobytesWithThousandsSeparators) {
    EXPECT_EQ(FormatKilobytes(0, ','), "0 KB");
    EXPECT_EQ(FormatKilobytes(999, ','), "999 KB");
    EXPECT_EQ(FormatKilobytes(1000, ','), "1,000 KB");
    EXPECT_EQ(FormatKilobytes(1234567, ','), "1,234,567 KB");
    EXPECT_EQ(FormatKilobytes(123456, '.'), "123.456 KB");
    EXPECT_EQ(FormatKilobytes(1234567, '\0'), "1234567 KB");
    EXPECT_EQ(FormatKilobytes(1234567, "\u202F"), "1\u202F234\u202F567 KB");
}

}  // namespace
}  // namespace moravel
