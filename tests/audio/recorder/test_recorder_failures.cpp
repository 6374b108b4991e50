// A write error is never silent and never costs the recording: a file size
// limit (standing in for a full disk), a removed folder and the largest
// size a WAV file can describe all stop the recording with a message that
// names the file and the reason, and the file keeps what reached the disk.
#include "RecorderTestSupport.h"
#include "audio/recorder/WaveRecorder.h"

#include "../../app/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace moravel {
namespace {

using namespace testing;

class RecorderFailure : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ToolInstalled("sox")); }

    // Stopped, with a message naming the file and the reason, and nothing
    // more accepted.
    void expectStopped(WaveRecorder& recorder, const std::string& reason) {
        EXPECT_FALSE(recorder.Recording());
        EXPECT_TRUE(recorder.Failed());
        const std::string& message = recorder.Error();
        EXPECT_NE(message.find("Recording to \"" + path + "\" stopped: "), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
        const Bytes block(64, 1);
        EXPECT_FALSE(recorder.Append(reinterpret_cast<const std::int16_t*>(block.data()), 64));
        EXPECT_FALSE(recorder.Tick(false));
        EXPECT_FALSE(recorder.Stop());
    }

    // A valid WAV file holding exactly `data`, for this program and for sox.
    void expectFileHolds(const Bytes& data) {
        EXPECT_EQ(std::filesystem::file_size(path), 46 + data.size());
        EXPECT_EQ(StreamData(path), data);
        EXPECT_EQ(SoxSampleCount(path), long(data.size() / 2));
    }

    TempFolder dir;
    std::string path = dir.File("out.wav");
};

// 20480 bytes wait in the buffer; the tick's flush gets 10001 of them onto
// the disk before the limit. The odd last byte (half a sample) is dropped.
TEST_F(RecorderFailure, FileSizeLimitAtTheTickKeepsWhatReachedTheDisk) {
    const Bytes data = SampleBytes(20480, 2);
    {
        FileSizeLimit limit(46 + 10001);
        WaveRecorder recorder(path, 8000);
        ASSERT_TRUE(AppendInBlocks(recorder, data, 4096));
        EXPECT_FALSE(recorder.Tick(false));
        expectStopped(recorder, "File too large");
        EXPECT_NE(recorder.Error().find("The file holds everything recorded up to then."), std::string::npos);
    }
    expectFileHolds(Bytes(data.begin(), data.begin() + 10000));
}

// Without a tick the buffer (64 KiB) fills and is written by a later block:
// the first such write succeeds, the second runs into the limit.
TEST_F(RecorderFailure, FileSizeLimitWhileAppendingStopsAtTheFailingBlock) {
    const Bytes data = SampleBytes(40 * 4096, 3);
    {
        FileSizeLimit limit(46 + 100001);
        WaveRecorder recorder(path, 8000);
        std::size_t accepted = 0;
        while (accepted < data.size() &&
               recorder.Append(reinterpret_cast<const std::int16_t*>(data.data() + accepted), 4096))
            accepted += 4096;
        EXPECT_EQ(accepted, 32u * 4096u);
        expectStopped(recorder, "File too large");
    }
    expectFileHolds(Bytes(data.begin(), data.begin() + 100000));
}

// The stream's destructor would swallow this; Stop reports it.
TEST_F(RecorderFailure, AFailingFinalWriteIsReportedByStop) {
    const Bytes data = SampleBytes(2000, 4);
    {
        FileSizeLimit limit(46 + 1000);
        WaveRecorder recorder(path, 8000);
        ASSERT_TRUE(AppendInBlocks(recorder, data, 2000));
        EXPECT_FALSE(recorder.Stop());
        expectStopped(recorder, "File too large");
    }
    expectFileHolds(Bytes(data.begin(), data.begin() + 1000));
}

// Writes into a removed file succeed and vanish with it; the tick notices.
TEST_F(RecorderFailure, ARemovedFolderOrReplacedFileStopsAtTheNextTick) {
    std::filesystem::create_directory(dir.File("sub"));
    path = dir.File("sub/out.wav");
    WaveRecorder removed(path, 8000);
    ASSERT_TRUE(removed.Tick(false));
    std::filesystem::remove_all(dir.File("sub"));
    EXPECT_FALSE(removed.Tick(false));
    expectStopped(removed, "the file or its folder was removed (No such file or directory)");
    EXPECT_NE(removed.Error().find("The recording is lost."), std::string::npos);

    path = dir.File("out.wav");
    WaveRecorder replaced(path, 8000);
    WriteFile(dir.File("other.wav"), Bytes(10, 0));
    std::filesystem::rename(dir.File("other.wav"), path);
    EXPECT_FALSE(replaced.Tick(false));
    expectStopped(replaced, "another file took its place");
    EXPECT_EQ(ReadFile(path), Bytes(10, 0));  // the other file is left alone
}

TEST_F(RecorderFailure, TheLargestWavSizeEndsTheRecordingCleanly) {
    EXPECT_EQ(WaveRecorder::kMaxDataBytes, 4294967256);  // RIFF size 2^32 - 1 - 1, rounded to whole samples
    const Bytes data = SampleBytes(3 * 4096, 5);
    WaveRecorder recorder(path, 8000, 2 * 4096);
    EXPECT_TRUE(AppendInBlocks(recorder, Bytes(data.begin(), data.begin() + 8192), 4096));
    EXPECT_FALSE(recorder.Append(reinterpret_cast<const std::int16_t*>(data.data() + 8192), 4096));
    expectStopped(recorder, "the file reached the largest size a WAV file can have");
    expectFileHolds(Bytes(data.begin(), data.begin() + 8192));
}

}  // namespace
}  // namespace moravel
