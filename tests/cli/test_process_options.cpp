#include "cli/ChainFromOptions.h"
#include "cli/HelpText.h"
#include "cli/ProcessOptions.h"
#include "cli/SquelchOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace moravel {
namespace {

ProcessOptions Parse(std::vector<std::string> args) {
    args.insert(args.begin(), {"in.wav", "out.wav"});
    return ParseProcessOptions(args);
}

// The UsageError message for `args`, "" when they parse.
std::string ErrorOf(const std::vector<std::string>& args) {
    try {
        ParseProcessOptions(args);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

TEST(ProcessOptions, PresetsSetTypeCentreAndWidthWhereGiven) {
    const ProcessOptions cw = Parse({"--preset", "HAM : CW"});
    EXPECT_EQ(cw.filter->type, 1);
    EXPECT_EQ(cw.filter->center, 800);
    EXPECT_EQ(cw.filter->width, 100);
    const ProcessOptions hum = Parse({"--filter", "lowpass:300", "--preset", "GENERAL : Hum remover"});
    EXPECT_EQ(hum.filter->type, 2);
    EXPECT_EQ(hum.filter->center, 100);
    EXPECT_FALSE(hum.filter->width);
}

TEST(ProcessOptions, GarbageNamesTheOptionAndItsForm) {
    const struct {
        std::vector<std::string> args;
        const char* expected;  // part of the message
    } cases[] = {
        {{"in.wav", "out.wav", "--agc", "abc"}, "--agc: \"abc\" is not of the form LEVEL:DECAY"},
        {{"in.wav", "out.wav", "--agc", "10000:40:1"}, "LEVEL:DECAY"},
        {{"in.wav", "out.wav", "--agc=10000:"}, "LEVEL:DECAY"},
        {{"in.wav", "out.wav", "--noise-blanker"}, "--noise-blanker: missing value, expected LEVEL"},
        {{"in.wav", "out.wav", "--decay", "99999999999999999999"}, "--decay"},
        {{"in.wav", "out.wav", "--filter", "notch:1000"}, "unknown filter type \"notch\""},
        {{"in.wav", "out.wav", "--filter", "bandpass:1k"}, "TYPE:CENTER[:WIDTH]"},
        {{"in.wav", "out.wav", "--preset", "HAM : FT8"}, "unknown preset \"HAM : FT8\"; use one of:\n  \"GENERAL"},
        {{"in.wav", "out.wav", "--equalizer", "1,2,3"}, "P1,P2,P3,P4,P5,P6,P7"},
        {{"in.wav", "out.wav", "--resolution", "ultra"}, "low, medium or high"},
        {{"in.wav", "out.wav", "--shift", "+-3"}, "POSITION[:RANGE]"},
        {{"in.wav", "out.wav", "--quiet=1"}, "--quiet takes no value"},
        {{"in.wav", "out.wav", "--loud"}, "unknown option --loud"},
        {{"in.wav"}, "expected an input and an output file"},
        {{"in.wav", "out.wav", "--spectrogram", "s.png", "--palette", "Green"},
         "--palette: unknown palette \"Green\"; use one of:\n  \"Soft Blue\"\n  \"Hard Blue\"\n  \"Soft "
         "Monochrome\"\n  \"Soft Green\""},
        {{"in.wav", "out.wav", "--spectrogram", "s.png", "--spectrogram-gain", "loud"},
         "--spectrogram-gain: \"loud\" is not of the form a whole number 1..4000"},
        {{"in.wav", "out.wav", "--spectrogram-offset", "5"}, "--spectrogram-offset needs --spectrogram FILE.png"},
        {{"in.wav", "out.wav", "--palette", "Soft Blue"}, "--palette needs --spectrogram FILE.png"},
    };
    for (const auto& c : cases) {
        const std::string message = ErrorOf(c.args);
        EXPECT_NE(message.find(c.expected), std::string::npos) << "message: " << message;
    }
}

// --help and --version answer without the files; -h stays --help.
TEST(ProcessOptions, HelpAndVersionNeedNoFiles) {
    const ProcessOptions version = ParseProcessOptions({"--version"});
    EXPECT_TRUE(version.version);
    EXPECT_FALSE(version.help);
    const ProcessOptions help = ParseProcessOptions({"-h"});
    EXPECT_TRUE(help.help);
    EXPECT_FALSE(help.version);
    EXPECT_EQ(ErrorOf({"--version=1"}), "--version takes no value");
}

// --split makes OUT.wav optional; the squelch's options need it and stay
// within their ranges; "-" stands for standard input and output.
TEST(ProcessOptions, SplitPipesAndTheSquelch) {
    const ProcessOptions split =
        ParseProcessOptions({"-", "--split", "rx", "--raw", "24000", "--attack", "0.5", "--hang=3", "--threshold", "-40"});
    EXPECT_EQ(split.input, "-");
    EXPECT_EQ(split.output, "");
    EXPECT_EQ(*split.rawRate, 24000);
    const TransmissionSettings squelch = SquelchSettings(split);
    EXPECT_EQ(squelch.attackSeconds, 0.5);
    EXPECT_EQ(squelch.hangSeconds, 3);
    EXPECT_EQ(squelch.thresholdDbfs, -40);
    EXPECT_EQ(squelch.preRollSeconds, transmission::kPreRollSeconds.defaultValue);
    EXPECT_EQ(ErrorOf({"in.wav"}), "expected an input and an output file (IN.wav OUT.wav)");
    EXPECT_EQ(ErrorOf({"in.wav", "out.wav", "--hang", "3"}), "--hang needs --split DIR");
    EXPECT_EQ(ErrorOf({"in.wav", "--split", "rx", "--attack", "-1"}),
              "--attack: \"-1\" is not of the form SECONDS (e.g. 0.2)");
    try {
        SquelchSettings(ParseProcessOptions({"in.wav", "--split", "rx", "--hang", "61"}));
        FAIL() << "a hang of 61 s was taken";
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), "--hang: 61 is outside 0..60 seconds");
    }
}

TEST(ProcessOptions, SpectrogramOptionsAndPaletteNamesInAnyCase) {
    const ProcessOptions o = Parse(
        {"--palette", "soft MONOCHROME", "--spectrogram=s.png", "--spectrogram-offset", "-7", "--spectrogram-gain=9"});
    EXPECT_EQ(o.spectrogram, "s.png");
    EXPECT_EQ(o.palette, 2);
    EXPECT_EQ(o.spectrogramOffset, -7);  // clamped later, with a warning
    EXPECT_EQ(o.spectrogramGain, 9);
    EXPECT_FALSE(Parse({}).spectrogram);
}

class StageOptions : public ::testing::Test {
protected:
    ChainSettings Apply(const std::vector<std::string>& args, const ChainSettings& base = {},
                        std::int32_t rate = 16000) {
        warnings_.clear();
        return ApplyStageOptions(Parse(args), base, rate, [&](const std::string& w) { warnings_.push_back(w); });
    }
    std::vector<std::string> warnings_;
};

TEST_F(StageOptions, EachOptionSwitchesItsStageOnAndLeavesTheOthers) {
    ChainSettings base;
    base.dynamics.agcOn = true;
    base.dynamics.agcLevel = 5000;
    base.filterWidth = 1200;
    base.shiftRange = 3;
    const ChainSettings s = Apply({"--noise-blanker", "3", "--filter", "stopband:2000", "--shift", "10"}, base);
    EXPECT_TRUE(s.dynamics.agcOn);
    EXPECT_EQ(s.dynamics.agcLevel, 5000);
    EXPECT_TRUE(s.dynamics.noiseBlankerOn);
    EXPECT_EQ(s.dynamics.noiseBlankerLevel, 3);
    EXPECT_TRUE(s.filterOn);
    EXPECT_EQ(s.filterType, 3);
    EXPECT_EQ(s.filterCenter, 2000);
    EXPECT_EQ(s.filterWidth, 1200) << "no WIDTH keeps the current width";
    EXPECT_TRUE(s.shiftOn);
    EXPECT_EQ(s.shiftPosition, 10);
    EXPECT_EQ(s.shiftRange, 3) << "no RANGE keeps the current range";
    EXPECT_FALSE(s.dynamics.compressorOn || s.dynamics.expanderOn || s.equalizerOn);
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(StageOptions, OutOfRangeValuesAreClampedWithAWarningEach) {
    const ChainSettings s =
        Apply({"--agc", "50000:1", "--noise-blanker", "0", "--compressor", "-60:+11", "--expander=51:-11", "--filter",
               "BandPass:5:5000", "--shift", "200:7", "--equalizer", "-6,0,0,0,0,0,6", "--decay=21"});
    EXPECT_TRUE(s.dynamics.agcOn && s.dynamics.noiseBlankerOn && s.dynamics.compressorOn && s.dynamics.expanderOn &&
                s.filterOn && s.shiftOn && s.equalizerOn);
    EXPECT_EQ(s.filterType, 1);
    EXPECT_EQ(s.dynamics.agcLevel, 30000);
    EXPECT_EQ(s.dynamics.agcDecay, 2);
    EXPECT_EQ(s.dynamics.noiseBlankerLevel, 1);
    EXPECT_EQ(s.dynamics.compressorThreshold, -50);
    EXPECT_EQ(s.dynamics.compressorGain, 10);
    EXPECT_EQ(s.dynamics.expanderThreshold, 50);
    EXPECT_EQ(s.dynamics.expanderGain, -10);
    EXPECT_EQ(s.filterCenter, 10);
    EXPECT_EQ(s.filterWidth, 3000);
    EXPECT_EQ(s.shiftPosition, 125);
    EXPECT_EQ(s.shiftRange, 3);
    EXPECT_EQ(s.equalizer[0], -5);
    EXPECT_EQ(s.equalizer[6], 5);
    EXPECT_EQ(s.decay, 20);
    ASSERT_EQ(warnings_.size(), 14u);
    EXPECT_EQ(warnings_[0], "--agc LEVEL 50000 is outside 2000..30000; using 30000");
}

TEST_F(StageOptions, FilterCentreStopsAtHalfTheSampleRate) {
    EXPECT_EQ(Apply({"--filter", "lowpass:9000"}, {}, 16000).filterCenter, 8000);
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_NE(warnings_[0].find("--filter CENTER"), std::string::npos);
    EXPECT_EQ(Apply({"--preset", "GENERAL : Voice - general"}, {}, 31000).filterCenter, 9000);
    EXPECT_TRUE(warnings_.empty());
}

// The ranges the help and the forms give are those the options are clamped
// to; the help says which sample rate the chain runs at.
TEST(ProcessHelp, GivesTheControlsRangesAndTheChainsRate) {
    const std::string help = ProcessHelpText();
    for (const char* part : {"LEVEL 2000..30000 is the",
                             "DECAY 2..300 is how slowly",
                             "LEVEL 1..20 (higher",
                             "THRESHOLD -50..50, GAIN -10..10\n",
                             "\"Defaults\" button: 0:-5)",
                             "GAIN -10..10 (defaults 0:0)",
                             "CENTER 10..30000 Hz",
                             "WIDTH 20..3000 Hz",
                             "(default 500, or the --settings value)",
                             "POSITION -125..125; RANGE 0..3\n",
                             "POSITION 125: 0 = 1000 Hz,\n",
                             "3 = 20 KHz (default 0)",
                             "each -5 (double) .. 0 (unchanged) ..\n                            5 (muted)",
                             "(default medium)",
                             "--decay 0..20 ",
                             "spectrum decay, 0 = off (default 0)",
                             "own sample rate R,",
                             "R - 50 Hz",
                             "--spectrogram-offset 0..1000 ",
                             "colouring (default 0)",
                             "--spectrogram-gain 1..4000 ",
                             "brighter (default 2000)",
                             "than 65535 pixels",
                             "\"Soft Monochrome\", \"Soft Green\"",
                             "(default \"Soft Green\""}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(help.find("the way the player does"), std::string::npos);
    EXPECT_NE(ErrorOf({"in.wav", "out.wav", "--noise-blanker"}).find("(a whole number 1..20)"), std::string::npos);
    EXPECT_NE(ErrorOf({"in.wav", "out.wav", "--decay"}).find("a whole number 0..20"), std::string::npos);
    EXPECT_NE(ErrorOf({"in.wav", "out.wav", "--equalizer"}).find("(seven whole numbers -5..5)"), std::string::npos);
}

}  // namespace
}  // namespace moravel
