// The recorder's file, read-outs and crash safety: the exact byte layout,
// the time and size a user sees, a file that opens at its committed length
// while the recording is still running or after the program died, and
// samples on the disk once committed.
#include "RecorderTestSupport.h"
#include "audio/recorder/WaveRecorder.h"

#include "../../app/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>
#include <optional>

namespace moravel {
namespace {

using namespace testing;

// The header written for rate R and D data bytes, worked out field by field.
Bytes recordingHeader(std::uint32_t rate, std::uint32_t dataBytes) {
    return Cat({Text("RIFF"), Le32(dataBytes + 38), Text("WAVE"), Text("fmt "), Le32(18), Le16(1), Le16(1), Le32(rate),
                Le32(2 * rate), Le16(1), Le16(16), Le16(0), Text("data"), Le32(dataBytes)});
}

Bytes headerOf(const Bytes& file) { return Bytes(file.begin(), file.begin() + std::min<std::size_t>(46, file.size())); }

class Recorder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ToolInstalled("sox")); }
    TempFolder dir;
    std::string path = dir.File("out.wav");
};

TEST_F(Recorder, TenSecondsAt8500HzShowTimeSizeAndTheFileLayout) {
    WaveRecorder recorder(path, 8500);
    EXPECT_EQ(recorder.TimeText(), "00:00:00");
    const Bytes data = SampleBytes(40 * 2048, 1);
    for (int tick = 0; tick < 20; ++tick) {
        ASSERT_TRUE(
            AppendInBlocks(recorder, Bytes(data.begin() + tick * 4096, data.begin() + (tick + 1) * 4096), 2048));
        ASSERT_TRUE(recorder.Tick(false));
    }
    // Paused ticks commit the file but the time stands still.
    ASSERT_TRUE(recorder.Tick(true));
    EXPECT_DOUBLE_EQ(recorder.RecordedSeconds(), 10.0);
    EXPECT_EQ(recorder.TimeText(), "00:00:10");
    EXPECT_EQ(WaveRecorder::SizeText(8500, recorder.RecordedSeconds()), "170 kB");
    ASSERT_TRUE(recorder.Stop());
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(recorder.Error(), "");

    const Bytes file = ReadFile(path);
    ASSERT_EQ(file.size(), 46u + 81920u);
    EXPECT_EQ(headerOf(file), recordingHeader(8500, 81920));
    EXPECT_EQ(Bytes(file.begin() + 46, file.end()), data);
    EXPECT_EQ(SoxSampleCount(path), 40960);
    EXPECT_EQ(CommandOutput("soxi -r '" + path + "'"), "8500");
}

TEST_F(Recorder, SizeReadOutFollowsTimeAndRateWithTheUsersSeparator) {
    EXPECT_EQ(WaveRecorder::SizeText(8500, 0), "0 kB");
    EXPECT_EQ(WaveRecorder::SizeText(8500, 0.5), "9 kB");  // 8.5 rounds away from zero
    EXPECT_EQ(WaveRecorder::SizeText(4000, 0.5), "4 kB");
    EXPECT_EQ(WaveRecorder::SizeText(31000, 3600), "223,200 kB");
    EXPECT_EQ(WaveRecorder::SizeText(31000, 3600, "."), "223.200 kB");
}

TEST_F(Recorder, ReplacesAnExistingFileAndStartsValidAndEmpty) {
    WriteFile(path, SampleBytes(100000, 3));
    WaveRecorder recorder(path, 4000);
    // Committed at once: a crash before the first tick leaves an empty WAV file.
    EXPECT_EQ(ReadFile(path), recordingHeader(4000, 0));
    EXPECT_EQ(RecordingFormat(4000).nBlockAlign, 1);
    ASSERT_TRUE(recorder.Append(reinterpret_cast<const std::int16_t*>(SampleBytes(100, 0).data()), 100));
    ASSERT_TRUE(recorder.Stop());
    EXPECT_TRUE(recorder.Stop());  // a second Stop changes nothing
    EXPECT_EQ(ReadFile(path).size(), 146u);
    EXPECT_FALSE(recorder.Append(reinterpret_cast<const std::int16_t*>(SampleBytes(100, 0).data()), 100));
    EXPECT_FALSE(recorder.Tick(false));
}

TEST_F(Recorder, AFileThatCannotBeCreatedLeavesNoRecorderAndNoFile) {
    const std::string missing = dir.File("no-such-folder/out.wav");
    EXPECT_EQ(MessageOf([&] { WaveRecorder recorder(missing, 8500); }), "Can't open file stream.");
    EXPECT_FALSE(std::filesystem::exists(missing));
    // A device that takes no data: the empty file's header already fails.
    const std::string full = MessageOf([&] { WaveRecorder recorder("/dev/full", 8500); });
    EXPECT_NE(full.find("\"/dev/full\""), std::string::npos) << full;
    EXPECT_NE(full.find("No space left on device"), std::string::npos) << full;
}

// The file is copied as it stands while the recorder still holds it open:
// everything up to the last tick is there, and the samples after it (still
// in the recorder's buffer) are not counted.
TEST_F(Recorder, AnOpenRecordingReadsAtItsCommittedLength) {
    WaveRecorder recorder(path, 8000);
    const Bytes committed = SampleBytes(3 * 8000, 5);
    ASSERT_TRUE(AppendInBlocks(recorder, committed, 4096));
    ASSERT_TRUE(recorder.Tick(false));
    ASSERT_TRUE(AppendInBlocks(recorder, SampleBytes(4096, 6), 4096));

    const std::string copy = dir.File("copy.wav");
    std::filesystem::copy_file(path, copy);
    EXPECT_EQ(headerOf(ReadFile(copy)), recordingHeader(8000, std::uint32_t(committed.size())));
    EXPECT_EQ(StreamData(copy), committed);
    EXPECT_EQ(SoxSampleCount(copy), 12000);
    EXPECT_TRUE(recorder.Stop());
}

// A child process records and is killed without any chance to finish the
// file: the file holds exactly what the last tick committed.
TEST_F(Recorder, ARecordingSurvivesTheProgramBeingKilled) {
    const Bytes committed = SampleBytes(2 * 8500 * 2, 7);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WaveRecorder recorder(path, 8500);
        AppendInBlocks(recorder, committed, 2048);
        for (int tick = 0; tick < 4; ++tick) recorder.Tick(false);
        AppendInBlocks(recorder, SampleBytes(6144, 8), 2048);
        ::raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(StreamData(path), committed);
    EXPECT_EQ(SoxSampleCount(path), 2 * 8500);
    EXPECT_EQ(CommandOutput("soxi -D '" + path + "'"), "2.000000");
}

// Pages of `path` from byte `from` on that the page cache has not written to
// the disk yet (cachestat(2), Linux 6.5 on); nullopt where the kernel cannot
// tell or the file lives in memory (tmpfs: no disk to write to).
std::optional<std::uint64_t> UnwrittenPages(const std::string& path, std::uint64_t from) {
    constexpr long kCachestat = 451;
    struct {
        std::uint64_t offset, length;  // length 0: to the end of the file
    } range{from, 0};
    struct {
        std::uint64_t cached, dirty, writeback, evicted, recentlyEvicted;
    } pages{};
    struct statfs where {};
    if (::statfs(path.c_str(), &where) != 0 || where.f_type == TMPFS_MAGIC) return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const long result = ::syscall(kCachestat, fd, &range, &pages, 0);
    ::close(fd);
    if (result != 0) return std::nullopt;
    return pages.dirty + pages.writeback;
}

// Samples reach the disk at each tick, before the header counts them (its
// own page may still wait), and the whole file when it is finished: a system
// crash or a power failure cannot take what the header counts.
TEST_F(Recorder, TicksAndTheEndPutTheRecordingOnTheDisk) {
    WaveRecorder recorder(path, 8000);
    ASSERT_TRUE(AppendInBlocks(recorder, SampleBytes(1 << 20, 9), 2048));
    if (!UnwrittenPages(path, 0)) GTEST_SKIP() << "the kernel cannot tell what is on the disk here";
    ASSERT_TRUE(recorder.Tick(false));
    EXPECT_EQ(UnwrittenPages(path, 4096), 0u);
    ASSERT_TRUE(AppendInBlocks(recorder, SampleBytes(1 << 20, 10), 2048));
    ASSERT_TRUE(recorder.Stop());
    EXPECT_EQ(UnwrittenPages(path, 0), 0u);
}

}  // namespace
}  // namespace moravel
