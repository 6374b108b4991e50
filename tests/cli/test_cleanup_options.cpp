// moravel-process's options for the cleanup stages: their forms, errors,
// clamping and what --clean-speech switches on.
#include "cli/ChainFromOptions.h"
#include "cli/HelpText.h"
#include "cli/ProcessOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace moravel {
namespace {

std::vector<std::string> WithFiles(std::vector<std::string> args) {
    args.insert(args.begin(), {"in.wav", "out.wav"});
    return args;
}

std::string ErrorOf(const std::vector<std::string>& args) {
    try {
        ParseProcessOptions(WithFiles(args));
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

ChainSettings Apply(const std::vector<std::string>& args, std::vector<std::string>& warnings) {
    return ApplyStageOptions(ParseProcessOptions(WithFiles(args)), {}, 8000,
                             [&](const std::string& w) { warnings.push_back(w); });
}

TEST(CleanupOptions, MalformedValuesAreRefusedWithTheForm) {
    EXPECT_EQ(ErrorOf({"--notch", "0"}), "--notch: 0 Hz is not a frequency");
    EXPECT_EQ(ErrorOf({"--notch", "1000,,2000"}).rfind("--notch: \"1000,,2000\" is not of the form HZ[,HZ...]", 0), 0u);
    EXPECT_NE(ErrorOf({"--notch", "1,2,3,4,5,6,7,8,9"}), "") << "nine notches, eight at most";
    EXPECT_EQ(ErrorOf({"--noise-profile", "2:1"}), "--noise-profile: START must lie before END (\"2:1\")");
    for (const char* bad : {"1", "0:1:2", "-1:2", "0:1e3", "0:nan", "a:b"})
        EXPECT_EQ(ErrorOf({"--noise-profile", bad}).rfind("--noise-profile: \"", 0), 0u) << bad;
    EXPECT_NE(ErrorOf({"--impulse-blanker", "x"}), "");
    EXPECT_EQ(ErrorOf({"--auto-notch=1"}), "--auto-notch takes no value");
    EXPECT_EQ(ErrorOf({"--noise-reduction"}).rfind("--noise-reduction: missing value", 0), 0u);
}

TEST(CleanupOptions, EachSwitchesItsStageAndCleanSpeechAllThree) {
    std::vector<std::string> warnings;
    const ChainSettings off = Apply({}, warnings);
    EXPECT_FALSE(off.cleanup.impulseBlankerOn || off.cleanup.noiseReductionOn || off.cleanup.autoNotchOn);
    EXPECT_EQ(off.cleanup.notchCount, 0);

    const ChainSettings notches = Apply({"--notch", "1000,1750"}, warnings);
    EXPECT_FALSE(notches.cleanup.autoNotchOn);
    ASSERT_EQ(notches.cleanup.notchCount, 2);
    EXPECT_EQ(notches.cleanup.notchHz[1], 1750);
    EXPECT_TRUE(Apply({"--noise-profile", "0:1.5"}, warnings).cleanup.noiseReductionOn);

    const ChainSettings speech = Apply({"--clean-speech", "--noise-reduction", "12"}, warnings);
    EXPECT_TRUE(speech.cleanup.impulseBlankerOn && speech.cleanup.noiseReductionOn && speech.cleanup.autoNotchOn);
    EXPECT_EQ(speech.cleanup.impulseThreshold, CleanSpeech({}).impulseThreshold);
    EXPECT_EQ(speech.cleanup.noiseReductionDb, 12) << "an explicit option changes the speech settings";
    EXPECT_TRUE(warnings.empty());
}

TEST(CleanupOptions, OutOfRangeValuesAreClampedWithAWarning) {
    std::vector<std::string> warnings;
    const ChainSettings s = Apply({"--impulse-blanker", "1", "--noise-reduction", "99", "--notch", "5000"}, warnings);
    EXPECT_EQ(s.cleanup.impulseThreshold, controls::kTrackImpulseBlanker.minimum);
    EXPECT_EQ(s.cleanup.noiseReductionDb, controls::kTrackNoiseReduction.maximum);
    EXPECT_EQ(s.cleanup.notchHz[0], 4000) << "half the sample rate";
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[2], "--notch HZ (at this sample rate) 5000 is outside 1..4000; using 4000");
}

// The help gives the ranges the options are clamped to and what
// --clean-speech sets.
TEST(CleanupOptions, HelpGivesTheRangesAndTheSpeechSettings) {
    const std::string help = ProcessHelpText();
    for (const char* part : {"peak level, 6..40\n", "DB 3..40 is the most", "removes up to 8 fixed frequencies",
                             "impulse blanker 6,\n", "noise reduction 30 dB and the automatic notch"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace moravel
