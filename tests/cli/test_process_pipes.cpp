// moravel-process in pipelines (standard input and output, raw samples, a
// reader that quits) and splitting a recording into transmissions, run as
// a program through bash on files made by sox.
#include "ProgramRun.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace moravel {
namespace {

using testing::MoravelProcess;
using testing::ReadText;

class ProcessPipes : public MoravelProcess {
protected:
    // Runs `pipeline` in bash with $P the program; stderr of the whole
    // pipeline goes to stderr.txt. Returns the program's exit status (the
    // pipeline's first command unless `statusOf` says otherwise).
    int Pipeline(const std::string& pipeline, int statusOf = 0) {
        const std::string script = "cd '" + folder_.Path().string() + "' && P='" + MORAVEL_PROCESS_EXE + "' && " +
                                   pipeline + " 2>stderr.txt; exit ${PIPESTATUS[" + std::to_string(statusOf) + "]}";
        const std::string command = "/bin/bash -c \"" + Escape(script) + "\"";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The bytes of a file from `offset` on.
    std::string Tail(const std::string& name, std::size_t offset) const {
        const std::string bytes = ReadText(File(name));
        return bytes.size() > offset ? bytes.substr(offset) : std::string();
    }

private:
    static std::string Escape(const std::string& text) {
        std::string escaped;
        for (const char c : text) {
            if (c == '"' || c == '\\' || c == '$' || c == '`') escaped += '\\';
            escaped += c;
        }
        return escaped;
    }
};

// The fields of a transmissions.csv row ("start,duration_s,peak_dbfs,
// peak_hz,file"), as text.
struct LogRow {
    std::string start, duration, peak, hz, name;
};

LogRow ParseLogRow(const std::string& line) {
    std::istringstream fields(line);
    LogRow row;
    for (std::string* field : {&row.start, &row.duration, &row.peak, &row.hz}) std::getline(fields, *field, ',');
    std::getline(fields, row.name);
    return row;
}

// The file-to-file output's samples start behind its 46-byte header; the
// streamed WAV's behind a 44-byte one.
constexpr std::size_t kFileHeader = 46;
constexpr std::size_t kStreamHeader = 44;
const std::string kStages = "--agc 10000:40 --noise-blanker 5 --filter bandpass:800:400";

TEST_F(ProcessPipes, StandardInputAndOutputGiveTheFileOutputBitForBit) {
    for (const char* format : {"-b 16 -c 1", "-b 16 -c 2", "-b 8 -c 1"}) {
        SCOPED_TRACE(format);
        const std::string in = Synth("in.wav", format, 11025, 4.3, "sine 700 noise");
        ASSERT_EQ(Process({in, File("file.wav"), "--quiet", "--agc", "10000:40", "--noise-blanker", "5", "--filter",
                           "bandpass:800:400"}),
                  0);
        const std::string expected = Tail("file.wav", kFileHeader);
        ASSERT_EQ(Pipeline("cat in.wav | $P - - --quiet " + kStages + " | cat > piped.wav", 1), 0) << Stderr();
        EXPECT_EQ(Tail("piped.wav", kStreamHeader), expected);
        // A pipe's header leaves the length open, as streaming programs do.
        EXPECT_EQ(ReadText(File("piped.wav")).substr(40, 4), std::string(4, '\xff'));
        ASSERT_EQ(Pipeline("sox piped.wav -t raw by-sox.raw"), 0);
        EXPECT_EQ(ReadText(File("by-sox.raw")), expected) << "sox reads the streamed WAV";
        // Redirected to a file, the header gets the true sizes.
        ASSERT_EQ(Pipeline("$P in.wav - --quiet " + kStages + " > redirected.wav"), 0) << Stderr();
        EXPECT_EQ(Tail("redirected.wav", kStreamHeader), expected);
        EXPECT_EQ(testing::Sox("--i -s " + File("redirected.wav")), testing::Sox("--i -s " + File("in.wav")));
    }
}

TEST_F(ProcessPipes, RawSamplesInAndOut) {
    const std::string in = Synth("in.wav", "-b 16 -c 1", 24000, 3.1, "sine 1200 noise");
    ASSERT_EQ(Process({in, File("file.wav"), "--quiet", "--agc", "10000:40", "--noise-blanker", "5", "--filter",
                       "bandpass:800:400"}),
              0);
    ASSERT_EQ(Pipeline("sox in.wav -t raw - | $P --raw 24000 - - --quiet " + kStages + " | cat > out.raw", 1), 0)
        << Stderr();
    EXPECT_EQ(ReadText(File("out.raw")), Tail("file.wav", kFileHeader));
    // Raw files by name work the same way.
    ASSERT_EQ(Pipeline("sox in.wav -t raw in.raw && $P --raw 24000 in.raw named.raw --quiet " + kStages, 2), 0)
        << Stderr();
    EXPECT_EQ(ReadText(File("named.raw")), Tail("file.wav", kFileHeader));
}

TEST_F(ProcessPipes, ClosedReaderEndsQuietlyWithTheWriteErrorStatus) {
    Synth("in.wav", "-b 16 -c 1", 8000, 60, "sine 700");
    EXPECT_EQ(Pipeline("$P in.wav - | head -c 1000 > /dev/null"), 1);
    EXPECT_EQ(Stderr(), "");
}

TEST_F(ProcessPipes, BadInputIsNamedAndRefused) {
    const struct {
        const char* pipeline;
        const char* message;
    } cases[] = {
        {"echo no wave here | $P - out.wav", "moravel-process: standard input: Not a wave file!\n"},
        {"head -c 30 in.wav | $P - out.wav", "moravel-process: standard input: Error reading 'fmt' chunk!\n"},
        {"(sox in.wav -t raw -; printf x) | $P --raw 8000 - - --quiet > /dev/null",
         "moravel-process: standard input: the input ended inside a sample frame (1 byte(s) left over)\n"},
    };
    Synth("in.wav", "-b 16 -c 1", 8000, 1, "sine 700");
    for (const auto& c : cases) {
        EXPECT_EQ(Pipeline(c.pipeline, 1), 1) << c.pipeline;
        EXPECT_EQ(Stderr(), c.message);
    }
    EXPECT_FALSE(std::filesystem::exists(File("out.wav")));
    EXPECT_EQ(Pipeline("$P - - --raw 0 < in.wav"), 2);
    EXPECT_EQ(Pipeline("cat in.wav | $P - x.png.wav --spectrogram x.png", 1), 2);
}

// Five transmissions of different lengths between long stretches of noise:
// five files and five log rows, each start within the attack time and each
// end within the hang time of the true ones.
TEST_F(ProcessPipes, SplitWritesEachTransmissionToItsOwnFile) {
    const double lengths[] = {2, 9, 0.8, 15, 4};
    std::string parts;
    for (int i = 0; i < 5; ++i) {
        const std::string gap = "gap" + std::to_string(i) + ".wav";
        const std::string tone = "tone" + std::to_string(i) + ".wav";
        Synth(gap, "-b 16 -c 1", 8000, 20 + 3 * i, "pinknoise vol 0.02");
        Synth(tone, "-b 16 -c 1", 8000, lengths[i], "sine 1000");
        parts += gap + " " + tone + " ";
    }
    Synth("end.wav", "-b 16 -c 1", 8000, 10, "pinknoise vol 0.02");
    ASSERT_EQ(Pipeline("sox " + parts + "end.wav long.wav"), 0);
    ASSERT_EQ(Process({File("long.wav"), "--split", File("rx"), "--quiet", "--threshold", "-30", "--attack", "0.2",
                       "--hang", "1.5", "--pre-roll", "1"}),
              0)
        << Stderr();

    std::istringstream log(ReadText(File("rx/transmissions.csv")));
    std::string line;
    std::getline(log, line);
    EXPECT_EQ(line, "start,duration_s,peak_dbfs,peak_hz,file");
    int rows = 0;
    for (; std::getline(log, line); ++rows) {
        ASSERT_LT(rows, 5) << line;
        const LogRow row = ParseLogRow(line);
        SCOPED_TRACE(line);
        EXPECT_GE(std::stod(row.duration), lengths[rows] - 0.2);
        EXPECT_LE(std::stod(row.duration), lengths[rows] + 1.5 + 0.2);
        EXPECT_NEAR(std::stod(row.hz), 1000, 40);
        const double fileSeconds = std::stod(testing::Sox("--i -D " + File("rx/" + row.name)));
        EXPECT_NEAR(fileSeconds, 1 + std::stod(row.duration), 0.05);
    }
    EXPECT_EQ(rows, 5);
}

// A full disk (a file size limit) stops the run with the recorder's
// message; the transmission closed before and its log row stay.
TEST_F(ProcessPipes, FullDiskStopsTheSplitWithTheRecordersMessage) {
    Synth("quiet.wav", "-b 16 -c 1", 8000, 5, "pinknoise vol 0.01");
    Synth("short.wav", "-b 16 -c 1", 8000, 2, "sine 1000");
    Synth("long.wav", "-b 16 -c 1", 8000, 12, "sine 1000");
    ASSERT_EQ(Pipeline("sox quiet.wav short.wav quiet.wav long.wav quiet.wav in.wav"), 0);
    EXPECT_EQ(Pipeline("trap '' XFSZ; ulimit -f 100; $P in.wav --split rx --quiet"), 1);
    EXPECT_TRUE(Stderr().starts_with("moravel-process: Recording to \"rx/")) << Stderr();
    EXPECT_NE(Stderr().find("stopped: File too large. The file holds everything recorded up to then."),
              std::string::npos)
        << Stderr();
    const std::string log = ReadText(File("rx/transmissions.csv"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
}

// Stopped (SIGTERM) while a transmission is on and the writer has gone
// quiet: the run ends without waiting for more input, and the open file is
// complete and logged.
TEST_F(ProcessPipes, TerminationClosesTheOpenTransmissionWithItsLogRow) {
    const std::string script =
        "{ mkfifo live; (sox -n -r 8000 -b 16 -c 1 -t raw - synth 3 sine 1000 vol 0.3; exec sleep 60) > live & "
        "feeder=$!; $P --raw 8000 - --split rx < live & program=$!; "
        "until [ -n \"$(ls rx 2>/dev/null)\" ]; do sleep 0.1; done; "
        // A run that does not end within 10 s is stuck on its quiet input.
        "kill -TERM $program; for i in $(seq 100); do kill -0 $program 2>/dev/null && sleep 0.1; done; "
        "kill -KILL $program 2>/dev/null; wait $program; status=$?; kill $feeder; (exit $status); }";
    EXPECT_EQ(Pipeline(script), 130);
    EXPECT_EQ(Stderr(), "moravel-process: interrupted; the transmissions so far are in rx\n");
    const std::string log = ReadText(File("rx/transmissions.csv"));
    ASSERT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    // The tone starts the recording, so there is no pre-roll: the file's
    // header counts exactly the logged duration.
    const LogRow row = ParseLogRow(log.substr(log.find('\n') + 1));
    EXPECT_NEAR(std::stod(testing::Sox("--i -D " + File("rx/" + row.name))), std::stod(row.duration), 0.05);
}

}  // namespace
}  // namespace moravel
