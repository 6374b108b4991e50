#include "settings/ChainSettingsFile.h"
#include "settings/WindowSettings.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace moravel {
namespace {

using testing::TempFolder;
using testing::WriteText;

// Every field, so that whole settings compare (and print) at once.
auto Fields(const ChainSettings& s) {
    return std::tuple(s.dynamics.agcOn, s.dynamics.agcLevel, s.dynamics.agcDecay, s.dynamics.noiseBlankerOn,
                      s.dynamics.noiseBlankerLevel, s.dynamics.compressorOn, s.dynamics.compressorThreshold,
                      s.dynamics.compressorGain, s.dynamics.expanderOn, s.dynamics.expanderThreshold,
                      s.dynamics.expanderGain, s.filterOn, s.filterType, s.filterCenter, s.filterWidth, s.shiftOn,
                      s.shiftPosition, s.shiftRange, s.equalizerOn, s.equalizer, s.resolutionIndex, s.decay);
}

class ChainSettingsFileTest : public ::testing::Test {
protected:
    ChainSettings Read(const std::string& settingsLines) {
        WriteText(path_, "[SETTINGS]\n" + settingsLines);
        return ReadChainSettings(IniFile(path_));
    }

    // What a first run starts with.
    static ChainSettings ProgramDefaults() {
        ChainSettings s;
        s.dynamics.agcOn = true;
        s.dynamics.agcDecay = 40;
        s.dynamics.noiseBlankerLevel = 10;
        s.decay = 10;
        return s;
    }

    TempFolder folder_;
    std::string path_ = folder_.File("moravel.ini");
};

TEST_F(ChainSettingsFileTest, MissingKeysGiveTheProgramsDefaults) {
    EXPECT_EQ(Fields(ReadChainSettings(IniFile(path_))), Fields(ProgramDefaults()));
    EXPECT_EQ(Fields(Read("SpectrumFilterType=junk\n")), Fields(ProgramDefaults())) << "unparsable is missing";
}

TEST_F(ChainSettingsFileTest, EveryKeyReachesItsOwnField) {
    ChainSettings expected;
    expected.filterType = 3, expected.filterOn = true, expected.filterCenter = 2500, expected.filterWidth = 300;
    expected.dynamics.noiseBlankerOn = true, expected.dynamics.noiseBlankerLevel = 7, expected.decay = 4,
    expected.resolutionIndex = 2;
    expected.dynamics.agcOn = false, expected.dynamics.agcDecay = 77, expected.dynamics.agcLevel = 12345;
    expected.shiftPosition = -33, expected.shiftOn = true, expected.shiftRange = 2;
    expected.dynamics.compressorOn = true, expected.dynamics.expanderOn = true;
    expected.equalizer = {-5, -4, -3, 0, 3, 4, 5}, expected.equalizerOn = true;
    EXPECT_EQ(Fields(Read("SpectrumFilterType=3\nFilterOn=1\nFilterCenterFreq=2500\nFilterBandwidth=300\n"
                          "NoiseBlanker1On=1\nNoiseBlanker1Level=7\nSpectrumDecayValue=4\nSpectrumDecayOn=1\n"
                          "SpectrumResolution=2\nAGC_enabled=0\nTrackAgcDecay=77\nTrackAgcLevel=12345\n"
                          "TrackFrequencyShift=-33\nFrequencyShiftOn=1\nFrequencyShiftRange=2\n"
                          "CompressorOn=1\nExpanderOn=1\n"
                          "eq1=-5\neq2=-4\neq3=-3\neq4=0\neq5=3\neq6=4\neq7=5\nEqualizerOn=1\n")),
              Fields(expected));
}

TEST_F(ChainSettingsFileTest, TrackBarsClampToTheirRanges) {
    ChainSettings low = ProgramDefaults();
    low.filterCenter = 10, low.filterWidth = 20, low.dynamics.noiseBlankerLevel = 1, low.decay = 0,
    low.dynamics.agcDecay = 2;
    low.dynamics.agcLevel = 2000, low.shiftPosition = -125, low.equalizer[2] = -5;
    EXPECT_EQ(Fields(Read("FilterCenterFreq=5\nFilterBandwidth=-1\nNoiseBlanker1Level=0\nSpectrumDecayValue=-3\n"
                          "TrackAgcDecay=1\nTrackAgcLevel=0x10\nTrackFrequencyShift=-500\neq3=-9\n")),
              Fields(low));

    ChainSettings high = ProgramDefaults();
    high.filterCenter = 30000, high.filterWidth = 3000, high.dynamics.noiseBlankerLevel = 20, high.decay = 20;
    high.dynamics.agcDecay = 300, high.dynamics.agcLevel = 30000, high.shiftPosition = 125, high.equalizer[6] = 5;
    EXPECT_EQ(Fields(Read("FilterCenterFreq=99999\nFilterBandwidth=5000\nNoiseBlanker1Level=21\n"
                          "SpectrumDecayValue=25\nTrackAgcDecay=1000\nTrackAgcLevel=2147483647\n"
                          "TrackFrequencyShift=500\neq7=6\n")),
              Fields(high));
}

// The chain reader and the window read one set of values: what the window
// would hold after taking up a file, mapped, is what the chain reader gives.
TEST_F(ChainSettingsFileTest, TakesUpTheWindowsSettings) {
    WindowSettings window;
    window.FilterCenterFreq = 40000, window.SpectrumFilterType = 2, window.FrequencyShiftRange = 4;
    window.TrackAgcDecay = 1, window.eq[0] = -6, window.SpectrumDecayOn = false, window.SpectrumDecayValue = 7;
    window.SpectrumScaleMax = 5000, window.AudioRange = 3;  // not part of the chain
    ChainSettings expected = ProgramDefaults();
    expected.filterCenter = 30000, expected.filterType = 2, expected.shiftRange = -1;
    expected.dynamics.agcDecay = 2, expected.equalizer[0] = -5, expected.decay = 0;
    EXPECT_EQ(Fields(ChainFromWindowSettings(window)), Fields(expected));

    EXPECT_EQ(Fields(Read("FilterCenterFreq=40000\nSpectrumFilterType=2\nFrequencyShiftRange=4\nTrackAgcDecay=1\n"
                          "eq1=-6\nSpectrumDecayOn=0\nSpectrumDecayValue=7\nSpectrumScaleMax=5000\nAudioRange=3\n")),
              Fields(expected));
}

TEST_F(ChainSettingsFileTest, DecaySwitchedOffGivesZeroWhateverTheValue) {
    EXPECT_EQ(Read("SpectrumDecayOn=0\nSpectrumDecayValue=15\n").decay, 0);
    EXPECT_EQ(Read("SpectrumDecayOn=1\nSpectrumDecayValue=15\n").decay, 15);
}

TEST_F(ChainSettingsFileTest, ComboIndexOutsideItsListLeavesNoSelection) {
    const ChainSettings s = Read("SpectrumFilterType=4\nSpectrumResolution=-1\nFrequencyShiftRange=9\n");
    EXPECT_EQ(s.filterType, -1);
    EXPECT_EQ(s.resolutionIndex, -1);
    EXPECT_EQ(s.shiftRange, -1);
}

}  // namespace
}  // namespace moravel
