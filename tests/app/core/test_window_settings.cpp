#include "common/LineAssignment.h"
#include "settings/WindowSettings.h"

#include "../TempFolder.h"
#include "../../support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace moravel {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

// Key names of the lines of `section` in file order.
std::vector<std::string> KeysInFile(const std::string& text, const std::string& section) {
    std::vector<std::string> keys;
    std::istringstream lines(text);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("["))
            inSection = line == "[" + section + "]";
        else if (inSection && line.find('=') != std::string::npos)
            keys.push_back(line.substr(0, line.find('=')));
    }
    return keys;
}

std::vector<std::string> Numbered(const std::string& stem, int count) {
    std::vector<std::string> keys;
    for (int i = 1; i <= count; ++i) keys.push_back(stem + std::to_string(i));
    return keys;
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// clang-format off
const std::vector<std::string> kReadOrder = Joined({
    {"SpectrumFilterType", "FilterVisible", "FilterOn", "FilterCenterFreq", "FilterBandwidth", "NoiseBlanker1On",
     "NoiseBlanker1Level", "AudioRange", "SpectrumZoom", "PlotSmoothing", "PlotSpeed", "PlotFunction",
     "SpectrumDecayValue", "SpectrumDecayOn", "SpectrumLogScale", "SpectumXPosition", "AGC_enabled", "WindowState",
     "WindowWidth", "WindowHeight", "SplitterTop", "TrackSpectrogramOffset", "TrackSpectrogramGain", "Spectrogram",
     "SpectrumOn", "SpectrogramScroll", "TrackFrequencyShift", "FrequencyShiftOn", "FrequencyShiftRange",
     "SpectrumResolution", "TrackAgcDecay", "TrackAgcLevel", "SelectedTab", "SpectrumScaleMax", "SpectumScaleType",
     "WaveRecorderFilename", "WavePlayerFilename", "ExpanderOn", "CompressorOn"},
    Numbered("eq", 7),
    {"EqualizerOn"},
});

const std::vector<std::string> kPaletteOrder = Joined({Numbered("PaletteColor", 4), Numbered("PaletteAlpha", 2)});

const std::vector<std::string> kWriteOrder = Joined({
    {"FilterVisible", "FilterOn", "FilterCenterFreq", "FilterBandwidth", "NoiseBlanker1On", "NoiseBlanker1Level",
     "SpectumScaleType", "SpectrumScaleMax", "SpectrumDecayOn", "SpectrumDecayValue", "SpectrumResolution",
     "SpectrumLogScale", "AudioRange", "SpectrumZoom", "SpectrumFilterType", "PlotSmoothing", "PlotSpeed",
     "PlotFunction", "AGC_enabled", "SpectrumXminimum", "SpectumXPosition", "WindowState", "WindowWidth",
     "WindowHeight", "SplitterTop", "TrackSpectrogramOffset", "TrackSpectrogramGain", "Spectrogram",
     "SpectrogramScroll", "SpectrumOn", "FrequencyShiftOn", "TrackFrequencyShift", "FrequencyShiftRange",
     "TrackAgcDecay", "TrackAgcLevel", "SelectedTab"},
    kPaletteOrder,
    {"WaveRecorderFilename", "WavePlayerFilename", "ExpanderOn", "CompressorOn", "EqualizerOn"},
    Numbered("eq", 7),
});
// clang-format on

// Every field away from its default.
WindowSettings NonDefaultSettings() {
    WindowSettings s;
    s.SpectrumFilterType = 3;
    s.FilterVisible = false;
    s.FilterOn = true;
    s.FilterCenterFreq = 2345;
    s.FilterBandwidth = 120;
    s.NoiseBlanker1On = true;
    s.NoiseBlanker1Level = 17;
    s.AudioRange = 2;
    s.SpectrumZoom = 255;
    s.PlotSmoothing = 0;
    s.PlotSpeed = 9;
    s.PlotFunction = 4;
    s.SpectrumDecayValue = 3;
    s.SpectrumDecayOn = false;
    s.SpectrumLogScale = true;
    s.SpectumXPosition = 1500;
    s.AGC_enabled = false;
    s.WindowState = 1;
    s.WindowWidth = 1280;
    s.WindowHeight = 1024;
    s.SplitterTop = 333;
    s.TrackSpectrogramOffset = 250;
    s.TrackSpectrogramGain = 3999;
    s.Spectrogram = false;
    s.SpectrumOn = false;
    s.SpectrogramScroll = false;
    s.TrackFrequencyShift = -125;
    s.FrequencyShiftOn = true;
    s.FrequencyShiftRange = 3;
    s.SpectrumResolution = 2;
    s.TrackAgcDecay = 299;
    s.TrackAgcLevel = 2000;
    s.SelectedTab = 11;
    s.SpectrumScaleMax = 1000;
    s.SpectumScaleType = 2;
    s.WaveRecorderFilename = "/home/me/radio recordings/night=1.wav";
    s.WavePlayerFilename = "C:\\old\\path.wav";
    s.ExpanderOn = true;
    s.CompressorOn = true;
    s.eq = {-5, -3, -1, 1, 2, 4, 5};
    s.EqualizerOn = true;
    s.PaletteColor = {0x00112233, 0x00FF00FF, -1, 0x7FFFFFFF};
    s.PaletteAlpha = {0.123456789012345L, 0.75L};
    return s;
}

class WindowSettingsTest : public ::testing::Test {
protected:
    IniFile WithSettings(const std::string& lines) {
        WriteText(path_, "[SETTINGS]\n" + lines);
        return IniFile(path_);
    }

    TempFolder folder_;
    std::string path_ = folder_.File("moravel.ini");
};

TEST_F(WindowSettingsTest, KeyOrdersAreTheProgramsOrders) {
    EXPECT_EQ(WindowSettingsReadOrder(), kReadOrder);
    EXPECT_EQ(PaletteReadOrder(), kPaletteOrder);
    EXPECT_EQ(WindowSettingsWriteOrder(), kWriteOrder);
}

TEST_F(WindowSettingsTest, EveryKeyRoundTripsThroughTheFileInWriteOrder) {
    const WindowSettings written = NonDefaultSettings();
    IniFile ini(path_);
    WriteWindowSettings(ini, written, 1500, -20);

    const std::string text = ReadText(path_);
    EXPECT_EQ(KeysInFile(text, "SETTINGS"), kWriteOrder);
    for (const char* line :
         {"\nFilterOn=1\n", "\nFilterVisible=0\n", "\nSpectrumXminimum=-20\n", "\nPaletteAlpha2=0.75\n",
          "\nPaletteColor3=-1\n", "\nWaveRecorderFilename=/home/me/radio recordings/night=1.wav\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    const IniFile other(path_);
    WindowSettings read = ReadWindowSettings(other);
    EXPECT_FALSE(PaletteIsStored(read)) << "palette is read separately";
    ReadPaletteSettings(other, read);
    EXPECT_EQ(read, written);
}

TEST_F(WindowSettingsTest, MissingFileGivesTheDefaults) {
    const IniFile ini(path_);
    WindowSettings read = ReadWindowSettings(ini);
    ReadPaletteSettings(ini, read);
    EXPECT_EQ(read, WindowSettings());
    EXPECT_EQ(read.SpectrumScaleMax, 0) << "raw; the track bar lifts it to its minimum";
    EXPECT_EQ(read.WaveRecorderFilename, "output.wav");
    EXPECT_FALSE(PaletteIsStored(read));
    EXPECT_FALSE(std::filesystem::exists(path_));
}

// The defaults a first run starts with, as stored files rely on them.
TEST_F(WindowSettingsTest, KeyDefaultsOfThePageControls) {
    const WindowSettings d;
    EXPECT_EQ(d.SpectrumFilterType, 1);
    EXPECT_TRUE(d.FilterVisible);
    EXPECT_FALSE(d.FilterOn);
    EXPECT_EQ(d.FilterCenterFreq, 1000);
    EXPECT_EQ(d.FilterBandwidth, 500);
    EXPECT_FALSE(d.NoiseBlanker1On);
    EXPECT_EQ(d.NoiseBlanker1Level, 10);
    EXPECT_EQ(d.AudioRange, 0);
    EXPECT_EQ(d.SpectrumDecayValue, 10);
    EXPECT_TRUE(d.SpectrumDecayOn);
    EXPECT_FALSE(d.SpectrumLogScale);
    EXPECT_TRUE(d.AGC_enabled);
    EXPECT_EQ(d.TrackSpectrogramOffset, 0);
    EXPECT_EQ(d.TrackSpectrogramGain, 2000);
    EXPECT_TRUE(d.Spectrogram);
    EXPECT_TRUE(d.SpectrumOn);
    EXPECT_TRUE(d.SpectrogramScroll);
    EXPECT_EQ(d.TrackFrequencyShift, 0);
    EXPECT_FALSE(d.FrequencyShiftOn);
    EXPECT_EQ(d.FrequencyShiftRange, 0);
    EXPECT_EQ(d.SpectrumResolution, 1);
    EXPECT_EQ(d.TrackAgcDecay, 40);
    EXPECT_EQ(d.TrackAgcLevel, 10000);
    EXPECT_EQ(d.SpectrumScaleMax, 0);
    EXPECT_EQ(d.SpectumScaleType, 0);
    EXPECT_FALSE(d.ExpanderOn);
    EXPECT_FALSE(d.CompressorOn);
    EXPECT_EQ(d.eq, (std::array<std::int32_t, 7>{}));
    EXPECT_FALSE(d.EqualizerOn);
}

// Every key the control table names is one the window reads, so a control's
// stored value reaches it.
TEST_F(WindowSettingsTest, EveryControlKeyIsRead) {
    std::vector<std::string_view> keys;
    for (const auto& c : controls::kTrackControls) keys.push_back(c.key);
    for (const auto& c : controls::kComboControls) keys.push_back(c.key);
    for (const auto& c : controls::kSwitchControls) keys.push_back(c.key);
    for (std::string_view key : keys) {
        if (key.empty()) continue;
        EXPECT_NE(std::find(kReadOrder.begin(), kReadOrder.end(), key), kReadOrder.end()) << key;
    }
}

// The window finds a control's value by the control table's key: each key
// must lead to the field the file's value is read into.
TEST_F(WindowSettingsTest, EveryControlKeyLeadsToTheFieldItIsReadInto) {
    std::vector<std::string_view> numberKeys;
    for (const auto& c : controls::kTrackControls) numberKeys.push_back(c.key);
    for (const auto& c : controls::kComboControls) numberKeys.push_back(c.key);
    std::erase(numberKeys, std::string_view{});
    std::string lines;
    for (std::size_t i = 0; i < numberKeys.size(); ++i)
        lines += std::string(numberKeys[i]) + "=" + std::to_string(100 + i) + "\n";
    for (const auto& c : controls::kSwitchControls) lines += std::string(c.key) + (c.keyDefault ? "=0\n" : "=1\n");
    WindowSettings read = ReadWindowSettings(WithSettings(lines));
    for (std::size_t i = 0; i < numberKeys.size(); ++i) {
        ASSERT_NE(NumberField(read, numberKeys[i]), nullptr) << numberKeys[i];
        EXPECT_EQ(*NumberField(read, numberKeys[i]), static_cast<std::int32_t>(100 + i)) << numberKeys[i];
    }
    for (const auto& c : controls::kSwitchControls) {
        ASSERT_NE(SwitchField(read, c.key), nullptr) << c.key;
        EXPECT_EQ(*SwitchField(read, c.key), !c.keyDefault) << c.key;
    }
    EXPECT_EQ(NumberField(read, controls::kFilterOn.key), nullptr) << "a switch's key holds no number";
    EXPECT_EQ(SwitchField(read, "NoSuchKey"), nullptr);
}

TEST_F(WindowSettingsTest, OddStoredValues) {
    const std::string longName(3000, 'n');
    const IniFile ini = WithSettings(
        "FilterOn=0x1\nFilterCenterFreq=5\nTrackFrequencyShift=500\nSpectrumResolution=7\n"
        "SpectrumDecayOn=abc\nWavePlayerFilename=" +
        longName + "\n");
    const WindowSettings read = ReadWindowSettings(ini);
    EXPECT_TRUE(read.FilterOn);
    // Kept raw: the controls clamp or leave the combo without a selection.
    EXPECT_EQ(read.FilterCenterFreq, 5);
    EXPECT_EQ(read.TrackFrequencyShift, 500);
    EXPECT_EQ(read.SpectrumResolution, 7);
    EXPECT_TRUE(read.SpectrumDecayOn) << "unparsable gives the default";
    EXPECT_EQ(read.WavePlayerFilename, longName.substr(0, 2048));
}

TEST_F(WindowSettingsTest, KeptByteKeysOutsideTheirRangeFallBackToTheDefault) {
    const IniFile ini = WithSettings("SpectrumZoom=256\nPlotSmoothing=-1\nPlotSpeed=0xFF\nPlotFunction=0\n");
    const WindowSettings read = ReadWindowSettings(ini);
    EXPECT_EQ(read.SpectrumZoom, 0);
    EXPECT_EQ(read.PlotSmoothing, 1);
    EXPECT_EQ(read.PlotSpeed, 255);
    EXPECT_EQ(read.PlotFunction, 0);
}

TEST_F(WindowSettingsTest, WindowState) {
    const struct {
        const char* stored;
        bool maximised;
    } cases[] = {{"1", true}, {"0x1", true}, {"0", false}, {"2", false}, {"-1", false}, {"max", false}};
    for (const auto& c : cases) {
        const WindowSettings read =
            ReadWindowSettings(WithSettings(std::string("WindowState=") + c.stored + "\nWindowWidth=900\n"));
        EXPECT_EQ(StartsMaximised(read), c.maximised) << c.stored;
        EXPECT_EQ(read.WindowWidth, 900);
        EXPECT_EQ(read.WindowHeight, 500);
    }
}

TEST_F(WindowSettingsTest, PaletteValues) {
    const struct {
        const char* stored;
        long double alpha;
    } cases[] = {{".5", 0.5L}, {"5.", 5.0L}, {"-", 0.0L}, {"abc", 0.0L}, {"-.25", -0.25L}};
    for (const auto& c : cases) {
        WindowSettings read;
        read.PaletteAlpha = {9.0L, 9.0L};  // not the defaults of a missing key
        ReadPaletteSettings(WithSettings(std::string("PaletteAlpha1=") + c.stored + "\n"), read);
        EXPECT_EQ(read.PaletteAlpha[0], c.alpha) << c.stored;
        EXPECT_EQ(read.PaletteAlpha[1], 0.0L);
    }

    // Alphas alone are no palette; one colour that is not 0 is.
    WindowSettings read;
    ReadPaletteSettings(WithSettings("PaletteColor1=0\nPaletteAlpha1=0.3\nPaletteAlpha2=0.6\n"), read);
    EXPECT_FALSE(PaletteIsStored(read));
    ReadPaletteSettings(WithSettings("PaletteColor4=0x00FF00\n"), read);
    EXPECT_TRUE(PaletteIsStored(read));
    EXPECT_EQ(read.PaletteColor[3], 0x00FF00);
}

TEST_F(WindowSettingsTest, AnEmptySpectrumPlotKeepsTheStoredXPosition) {
    IniFile ini = WithSettings("SpectumXPosition=123\n");
    WriteWindowSettings(ini, WindowSettings(), std::nullopt, 0);
    EXPECT_EQ(ReadWindowSettings(ini).SpectumXPosition, 123);
    EXPECT_EQ(KeysInFile(ReadText(path_), "SETTINGS").size(), kWriteOrder.size());
}

TEST_F(WindowSettingsTest, AFailingWriteStopsAndKeepsWhatTheFileHad) {
    const std::string original = "[MIXER]\nWave_Out=2\n; " + std::string(3000, '-') + "\n";
    WriteText(path_, original);
    IniFile ini(path_);

    // A file size limit lets the first keys through and fails a later write.
    {
        const testing::FileSizeLimit limit(original.size() + 300);
        EXPECT_THROW(WriteWindowSettings(ini, NonDefaultSettings(), 1, 2), std::system_error);
    }

    const std::string text = ReadText(path_);
    EXPECT_TRUE(text.starts_with(original));
    const std::vector<std::string> written = KeysInFile(text, "SETTINGS");
    ASSERT_GT(written.size(), 2u);
    ASSERT_LT(written.size(), kWriteOrder.size());
    EXPECT_EQ(written, std::vector<std::string>(kWriteOrder.begin(), kWriteOrder.begin() + written.size()))
        << "the keys after the failing one must not be written";
    EXPECT_EQ(folder_.EntryCount(), 1u) << "temporary file left behind";
}

TEST_F(WindowSettingsTest, LineAssignmentRoundTripsInDialogOrder) {
    IniFile ini(path_);
    EXPECT_EQ(ReadLineAssignment(ini).Wave_Out, kNoLine);
    const LineAssignment lines{0, -1, 2, 3, 4, -1};
    WriteLineAssignment(ini, lines);
    EXPECT_EQ(KeysInFile(ReadText(path_), "MIXER"), (std::vector<std::string>{"Microphone_Out", "Line_Out", "Wave_Out",
                                                                              "Microphone_In", "Line_In", "Wave_In"}));
    const LineAssignment read = ReadLineAssignment(IniFile(path_));
    EXPECT_EQ(read.Microphone_Out, 0);
    EXPECT_EQ(read.Line_Out, -1);
    EXPECT_EQ(read.Wave_Out, 2);
    EXPECT_EQ(read.Microphone_In, 3);
    EXPECT_EQ(read.Line_In, 4);
    EXPECT_EQ(read.Wave_In, -1);
}

TEST(LineAssignment, SoundcardConfigured) {
    const struct {
        LineAssignment lines;  // Mic_Out, Line_Out, Wave_Out, Mic_In, Line_In, Wave_In
        bool configured;
    } cases[] = {
        {{0, -1, 0, 0, -1, -1}, true},    // index 0 is a real line
        {{-1, 1, 2, -1, 1, -1}, true},    // line instead of microphone on both sides
        {{1, 1, -1, 1, 1, 1}, false},     // no wave out
        {{-1, -1, 2, 1, 1, 1}, false},    // nothing on the playback side
        {{1, 1, 2, -1, -1, 1}, false},    // nothing to record from; wave in does not count
        {{-2, -1, 2, 0, -1, -1}, false},  // any negative index is no line
        {{-1, -1, -1, -1, -1, -1}, false},
    };
    for (const auto& c : cases) {
        const LineAssignment& l = c.lines;
        EXPECT_EQ(IsSoundcardConfigured(l), c.configured)
            << l.Microphone_Out << ' ' << l.Line_Out << ' ' << l.Wave_Out << ' ' << l.Microphone_In << ' ' << l.Line_In
            << ' ' << l.Wave_In;
    }
    EXPECT_STREQ(kNotConfiguredMessage,
                 "Your soundcard is not configured, you should configure it before Moravel will run. Click "
                 "\"Settings, Soundcard\" to do it.");
    EXPECT_STREQ(kNotConfiguredCaption, "Moravel Configuration");
}

}  // namespace
}  // namespace moravel
