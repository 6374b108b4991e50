// Arithmetic of the controls: shift bins and label, equalizer gains and
// labels, presets, resolution, block sizes, the AGC meter and the number format.
#include "common/AudioRange.h"
#include "dsp/BlockChain.h"
#include "dsp/ChainSettings.h"
#include "common/EqualizerBands.h"
#include "common/FilterPresets.h"
#include "common/NumberFormat.h"
#include "dsp/ShiftControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace moravel {
namespace {

TEST(ShiftControl, BinsAndLabelPerRange) {
    EXPECT_EQ(ShiftBins(125, 0), 500);
    EXPECT_EQ(ShiftLabel(125, 0), "1,000 Hz");
    EXPECT_EQ(ShiftBins(-125, 1), -1500);
    EXPECT_EQ(ShiftLabel(-125, 1), "-3,000 Hz");
    EXPECT_EQ(ShiftBins(125, 2), 5000);
    EXPECT_EQ(ShiftBins(125, 3), 10000);
    EXPECT_EQ(ShiftLabel(125, 3), "20,000 Hz");
    EXPECT_EQ(ShiftBins(-1, 3), -80);
    EXPECT_EQ(ShiftLabel(-1, 3), "-160 Hz");
    EXPECT_EQ(ShiftLabel(0, 2), "  0 Hz");  // at least three characters
    EXPECT_EQ(ShiftLabel(125, 3, "."), "20.000 Hz");
    EXPECT_EQ(ShiftBins(7, -1), 28);  // no range selected: one bin per quarter step
}

TEST(EqualizerBands, GainsAndPercentLabels) {
    EXPECT_EQ(EqualizerBandGain(-5), 2.0f);
    EXPECT_EQ(EqualizerBandGain(0), 1.0f);
    EXPECT_EQ(EqualizerBandGain(1), 0.8f);
    EXPECT_EQ(EqualizerBandGain(5), 0.0f);
    EXPECT_EQ(EqualizerPercentLabel(-5), "200 %");
    EXPECT_EQ(EqualizerPercentLabel(0), "100 %");
    EXPECT_EQ(EqualizerPercentLabel(2), " 60 %");
    EXPECT_EQ(EqualizerPercentLabel(5), "  0 %");
}

TEST(EqualizerBands, CentreLabelsFollowTheInputRate) {
    // 8500 Hz range: input 8450 Hz, N = 1024, HalfBlock 512, a = 73.
    const char* expected[] = {"300", "900", "1,500", "2,100", "2,700", "3,300", "3,900"};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(EqualizerBandLabel(k, 512, 8450, 1024), expected[k]) << k;
    // 2 KHz range: input 3950 Hz, N = 512, a = 36: band 6 is Round(36·6.5·3950/512) = 1805.
    EXPECT_EQ(EqualizerBandLabel(6, 256, 3950, 512), "1,800");
    EXPECT_EQ(EqualizerBandLabel(0, 0, 3950, 0), "0");
}

TEST(FilterPresets, ListInOrderAndLookUpByExactText) {
    ASSERT_EQ(kFilterPresets.size(), 7u);
    EXPECT_EQ(kFilterPresets.front().name, "GENERAL : Voice - general");
    EXPECT_EQ(kFilterPresets.back().name, "HAM : PSK31");
    const auto cw = FindFilterPreset("HAM : CW");
    ASSERT_TRUE(cw.has_value());
    EXPECT_EQ(cw->type, kBandPass);
    EXPECT_EQ(cw->center, 800);
    EXPECT_EQ(cw->bandwidth, 100);
    EXPECT_EQ(FindFilterPreset("GENERAL : Hum remover")->type, kHighPass);
    EXPECT_FALSE(FindFilterPreset("ham : cw").has_value());
}

TEST(BlockSizes, AudioRangesAndThePlayersRule) {
    EXPECT_EQ(kAudioRanges[1].outputRate, 8500);
    EXPECT_EQ(kAudioRanges[3].bufferBytes, 8192);
    EXPECT_EQ(PlayerBufferBytes(6003), 1024);
    EXPECT_EQ(PlayerBufferBytes(6004), 2048);
    EXPECT_EQ(PlayerBufferBytes(12003), 2048);
    EXPECT_EQ(PlayerBufferBytes(12004), 4096);
    EXPECT_EQ(PlayerBufferBytes(24003), 4096);
    EXPECT_EQ(PlayerBufferBytes(24004), 8192);
    EXPECT_EQ(PlayerBufferBytes(192000), 8192);
    EXPECT_EQ(ResolutionFactor(0), 10);
    EXPECT_EQ(ResolutionFactor(1), 5);
    EXPECT_EQ(ResolutionFactor(2), 1);
}

TEST(AgcMeter, RoundsHalfToEvenTimesFour) {
    EXPECT_EQ(AgcMeterPosition(2.5f), 8);
    EXPECT_EQ(AgcMeterPosition(3.5f), 16);
    EXPECT_EQ(AgcMeterPosition(0.30517578f), 0);
    EXPECT_EQ(AgcMeterPosition(1900.0f), 7600);
    try {
        AgcMeterPosition(1e12f);
        FAIL();
    } catch (const std::range_error& e) {
        EXPECT_STREQ(e.what(), "AGC gain 1e+12 gives meter position 4e+12, outside the 32-bit integer range");
    }
}

TEST(NumberFormat, WidthDecimalsAndGrouping) {
    EXPECT_EQ(FormatNumber(1234567.891L, 3, 4), "1,234,567.8910");
    EXPECT_EQ(FormatNumber(0.00049L, 3, 4), "0.0005");
    EXPECT_EQ(FormatNumber(-1000, 3, 0), "-1,000");
    EXPECT_EQ(FormatNumber(-0.2L, 3, 0), "  0");
    EXPECT_EQ(FormatNumber(2.5L, 1, 0), "3");  // half away from zero
    EXPECT_EQ(FormatNumber(999999, 1, 0, " "), "999 999");
    EXPECT_EQ(FormatNumber(1.5L, 8, 2, ".", ","), "    1,50");
}

TEST(ChainSettings, ConfigureChainPreparesFilterAndEqualizerForTheFirstBlock) {
    auto engine = std::make_unique<Engine>();
    ChainSettings settings;
    settings.filterCenter = 30000;
    settings.filterType = kLowPass;
    settings.equalizer = {-5, 0, 0, 0, 0, 0, 5};
    settings.resolutionIndex = 2;
    settings.decay = 7;
    ConfigureChain(*engine, settings, 8000, 2048);
    EXPECT_EQ(engine->FilterCenter, 4000);  // limited to half the rate
    EXPECT_EQ(engine->FilterType, kLowPass);
    EXPECT_EQ(engine->Resolution, 1);
    EXPECT_EQ(engine->SpectrumDecay, 7.0f);
    EXPECT_EQ(engine->FrameSamples, 2048);
    EXPECT_EQ(engine->EqualizerGain[0], 2.0f);
    EXPECT_EQ(engine->EqualizerGain[6 * 292], 0.0f);
    settings.shiftPosition = -3;
    settings.shiftRange = 1;
    EXPECT_EQ(SwitchesFor(settings).shiftBins, -36);
}

}  // namespace
}  // namespace moravel
