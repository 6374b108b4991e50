// moravel-process run as a program on WAV files made by sox.
#include "MemoryWave.h"
#include "ProgramRun.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <csignal>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moravel {
namespace {

using testing::MoravelProcess;
using testing::ReadText;
using testing::Sox;
using testing::WaitForExit;
using testing::WriteText;

// RMS of the middle 80 % of a mono 16-bit file, away from the edges.
double MiddleRms(const std::string& path) {
    const std::string bytes = ReadText(path);
    const auto samples = testing::MonoSamples(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const std::size_t from = samples.size() / 10;
    const std::size_t to = samples.size() - from;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(to - from));
}

std::string SoxInfo(const std::string& flag, const std::string& path) {
    std::string text = Sox("--i " + flag + " " + path);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    return text;
}

TEST_F(MoravelProcess, PlayableFormatsGiveMono16BitOutputOfTheSameLength) {
    const struct {
        const char* name;
        const char* format;
    } inputs[] = {{"mono16.wav", "-b 16 -c 1"}, {"mono8.wav", "-b 8 -c 1"}, {"stereo16.wav", "-b 16 -c 2"}};
    for (const auto& input : inputs) {
        const std::string in = Synth(input.name, input.format, 11025, 1.3, "sine 700");
        const std::string out = File(std::string("out-") + input.name);
        ASSERT_EQ(Process({in, out, "--quiet"}), 0) << Stderr();
        EXPECT_EQ(SoxInfo("-s", out), SoxInfo("-s", in)) << input.name;
        EXPECT_EQ(SoxInfo("-r", out), "11025");
        EXPECT_EQ(SoxInfo("-c", out), "1");
        EXPECT_EQ(SoxInfo("-b", out), "16");
        EXPECT_GT(MiddleRms(out), 1000) << input.name << " came out silent";
    }
}

TEST_F(MoravelProcess, BandPassKeepsTheToneAndLowPassBelowItRemovesIt) {
    const std::string in = Synth("tone.wav", "-b 16 -c 1", 8000, 3, "sine 1000");
    ASSERT_EQ(Process({in, File("plain.wav"), "--decay", "30"}), 0) << Stderr();
    EXPECT_TRUE(
        Stderr().starts_with("moravel-process: warning: --decay 30 is outside 0..20; using 20\n"
                             "moravel-process: 24000 samples, 3.0 s of audio in "))
        << Stderr();
    ASSERT_EQ(Process({in, File("band.wav"), "--quiet", "--filter", "bandpass:1000:200"}), 0) << Stderr();
    EXPECT_EQ(Stderr(), "");
    ASSERT_EQ(Process({in, File("low.wav"), "--quiet", "--filter", "lowpass:300"}), 0) << Stderr();
    const double plain = MiddleRms(File("plain.wav"));
    EXPECT_GT(plain, 3000);
    EXPECT_GT(MiddleRms(File("band.wav")), 0.7 * plain);
    EXPECT_LT(MiddleRms(File("low.wav")), 0.05 * plain);
}

TEST_F(MoravelProcess, SettingsFileChoosesTheStagesAndOptionsOverrideIt) {
    const std::string in = Synth("tone.wav", "-b 16 -c 1", 8000, 3, "sine 1000");
    const std::string ini = File("moravel.ini");
    WriteText(ini, "[SETTINGS]\r\nFilterOn=1\r\nSpectrumFilterType=0\r\nFilterCenterFreq=300\r\nAGC_enabled=0\r\n");
    ASSERT_EQ(Process({in, File("plain.wav"), "--quiet"}), 0) << Stderr();
    ASSERT_EQ(Process({in, File("set.wav"), "--quiet", "--settings", ini}), 0) << Stderr();
    ASSERT_EQ(Process({in, File("over.wav"), "--filter", "bandpass:1000:200", "--settings", ini, "--quiet"}), 0)
        << Stderr();
    const double plain = MiddleRms(File("plain.wav"));
    EXPECT_LT(MiddleRms(File("set.wav")), 0.05 * plain);
    EXPECT_GT(MiddleRms(File("over.wav")), 0.7 * plain);

    EXPECT_EQ(Process({in, File("x.wav"), "--settings", File("missing.ini")}), 1);
    EXPECT_NE(Stderr().find("missing.ini"), std::string::npos) << Stderr();
}

TEST_F(MoravelProcess, SpectrumCsvHasAHeaderAndOneRowPerBlock) {
    const std::string in = Synth("tone.wav", "-b 16 -c 1", 8000, 3, "sine 1000");
    const std::string csv = File("spectrum.csv");
    ASSERT_EQ(Process({in, File("out.wav"), "--quiet", "--spectrum-csv", csv, "--resolution", "high"}), 0) << Stderr();

    std::istringstream lines(ReadText(csv));
    std::string header;
    std::getline(lines, header);
    EXPECT_TRUE(header.starts_with("time_s,peak_hz,peak_value,")) << header.substr(0, 60);
    const auto columns = std::count(header.begin(), header.end(), ',');
    // At 8000 Hz a block is 1024 samples: "high" shows display points 1..512.
    EXPECT_EQ(columns, 2 + 512);

    std::vector<std::string> rows;
    for (std::string row; std::getline(lines, row);) rows.push_back(row);
    ASSERT_EQ(rows.size(), (24000u + 1023u) / 1024u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(std::count(rows[i].begin(), rows[i].end(), ','), columns) << "row " << i;
        EXPECT_NEAR(std::stod(rows[i]), i * 1024.0 / 8000.0, 1e-6) << "row " << i;
    }
    const std::string late = rows[rows.size() / 2];
    const double peakHz = std::stod(late.substr(late.find(',') + 1));
    EXPECT_NEAR(peakHz, 1000, 16) << late.substr(0, 60);
}

TEST_F(MoravelProcess, UsageErrorsExitWith2AndWriteNothing) {
    const std::string in = Synth("tone.wav", "-b 16 -c 1", 8000, 1, "sine 1000");
    const std::string before = ReadText(in);
    std::filesystem::create_hard_link(in, File("link.wav"));
    const std::vector<std::vector<std::string>> bad = {
        {in, File("out.wav"), "--agc", "loud"},
        {in, File("out.wav"), "--preset", "HAM : nothing"},
        {in, File("out.wav"), "--frobnicate"},
        {in, File("out.wav"), "--spectrum-csv"},
        {in},
        {in, in},
        {in, File("link.wav")},  // the same file by another name
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Process(args), 2) << Stderr();
        EXPECT_TRUE(Stderr().starts_with("moravel-process: ")) << Stderr();
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"link.wav", "tone.wav"}));
    }
    EXPECT_EQ(ReadText(in), before);
    EXPECT_EQ(Process({in, File("out.wav"), "--agc", "loud"}), 2);
    EXPECT_NE(Stderr().find("--agc: \"loud\" is not of the form LEVEL:DECAY"), std::string::npos) << Stderr();
}

TEST_F(MoravelProcess, UnreadableInputExitsWith1WithTheStreamsMessage) {
    const std::string out = File("out.wav");
    WriteText(File("text.wav"), "this is not a wave file at all");
    WriteText(out, "precious");
    EXPECT_EQ(Process({File("text.wav"), out}), 1);
    EXPECT_EQ(Stderr(), "moravel-process: " + File("text.wav") + ": Not a wave file!\n");
    EXPECT_EQ(ReadText(out), "precious");

    const std::string wide = Synth("wide.wav", "-b 24 -c 1", 8000, 1, "sine 1000");
    EXPECT_EQ(Process({wide, out}), 1);
    EXPECT_NE(Stderr().find("cannot process this format"), std::string::npos) << Stderr();
    EXPECT_EQ(Process({File("absent.wav"), out}), 1);
    EXPECT_NE(Stderr().find("Can't open file stream. (No such file or directory)"), std::string::npos) << Stderr();
    EXPECT_EQ(ReadText(out), "precious");
}

TEST_F(MoravelProcess, FailedWriteLeavesTheOldOutputAndNoTemporaryFile) {
    const std::string in = Synth("tone.wav", "-b 16 -c 1", 8000, 20, "sine 1000");
    const std::string out = File("out.wav");
    WriteText(out, "precious");
    // A file size limit of 100 KB (the output needs 320 KB) acts as a full disk.
    EXPECT_EQ(Process({in, out, "--quiet", "--spectrum-csv", File("s.csv")}, "trap '' XFSZ; ulimit -f 200"), 1);
    EXPECT_TRUE(Stderr().starts_with("moravel-process: " + out + ": ")) << Stderr();
    EXPECT_EQ(ReadText(out), "precious");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"out.wav", "tone.wav"}));
}

TEST_F(MoravelProcess, InterruptionRemovesTheTemporaryFile) {
    const std::string in = Synth("long.wav", "-b 16 -c 1", 16000, 600, "sine 1000");
    const pid_t child = Start({in, File("out.wav"), "--quiet"});
    // Wait until the output is being written, then press Ctrl-C.
    const auto writing = [&] { return FolderEntries().size() > 1; };
    for (int i = 0; i < 5000 && !writing(); ++i) ::usleep(1000);
    ASSERT_TRUE(writing()) << "no temporary output appeared";
    ::kill(child, SIGINT);
    EXPECT_EQ(WaitForExit(child), 130) << Stderr();
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"long.wav"});
}

TEST_F(MoravelProcess, HelpDocumentsEveryOption) {
    const std::string help = File("help.txt");
    const std::string command = std::string(MORAVEL_PROCESS_EXE) + " --help > " + help;
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = ReadText(help);
    for (const char* option :
         {"--agc", "--noise-blanker", "--compressor", "--expander", "--filter", "--preset", "--shift", "--equalizer",
          "--resolution", "--decay", "--settings", "--spectrum-csv", "--spectrogram", "--spectrogram-offset",
          "--spectrogram-gain", "--palette", "--quiet", "--help", "HAM : PSK31"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace moravel
