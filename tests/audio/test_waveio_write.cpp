// Writing WAV files: the recorder's exact layout, failures of the file
// underneath (injected, and a real full disk), and the file-name stream.
#include "WavTestSupport.h"

#include "../app/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace moravel {
namespace {

using namespace testing;

Bytes recorderFile(std::uint32_t rate, const Bytes& data) {
    return Cat({Text("RIFF"), Le32(std::uint32_t(data.size() + 38)), Text("WAVE"), Text("fmt "), Le32(18), Le16(1),
                Le16(1), Le32(rate), Le32(2 * rate), Le16(1), Le16(16), Le16(0), Text("data"),
                Le32(std::uint32_t(data.size())), data});
}

TEST(WaveWrite, RecordingIsTheDocumentedLayout) {
    for (const Bytes& data : {Bytes{}, Samples16({1, -2, 300, -32768, 32767})}) {
        MemoryRiffFile file;
        const WaveFormatEx format = RecorderFormat(8500);
        WaveStream stream(file, &format);
        EXPECT_EQ(stream.DataOffset(), 0);
        // Block alignment 1: counts are bytes. Written in two pieces.
        const auto half = std::int32_t(data.size() / 2);
        EXPECT_EQ(stream.Write(data.data(), half), half);
        EXPECT_EQ(stream.Write(data.data() + half, std::int32_t(data.size()) - half), std::int32_t(data.size()) - half);
        stream.Finish();
        EXPECT_EQ(file.bytes(), recorderFile(8500, data));
    }
}

TEST(WaveWrite, OddDataSizeGetsAPadByteAndReadsBack) {
    MemoryRiffFile file;
    WaveFormatEx format = RecorderFormat(8000);
    format.wBitsPerSample = 8;
    WaveStream(file, &format).Write("abc", 3);
    const Bytes& out = file.bytes();
    ASSERT_EQ(out.size(), 50u);
    EXPECT_EQ(Bytes(out.begin() + 4, out.begin() + 8), Le32(42));
    EXPECT_EQ(Bytes(out.begin() + 42, out.begin() + 46), Le32(3));
    MemoryRiffFile again(out);
    EXPECT_EQ(WaveStream(again, nullptr).FrameCount(), 3);
}

// While writing, positions count from the first data byte too: seeking to
// frame 0 and writing replaces samples, never the header.
TEST(WaveWrite, SeekWhileWritingStaysInTheData) {
    MemoryRiffFile file;
    const WaveFormatEx format = RecorderFormat(8000);
    {
        WaveStream stream(file, &format);
        stream.Write("abcd", 4);
        EXPECT_EQ(stream.Position(), 4);
        stream.SetPosition(0);
        stream.Write("XY", 2);
        EXPECT_EQ(stream.Seek(0, kSeekFromEnd), 4);
    }
    EXPECT_EQ(file.bytes(), recorderFile(8000, Text("XYcd")));
}

TEST(WaveWrite, UnwritableFormatsAreRefusedBeforeTheFileIsReplaced) {
    TempFolder dir;
    const std::string path = dir.File("keep.wav");
    WriteFile(path, {1, 2, 3});
    WaveFormatEx withExtra = RecorderFormat(8000);
    withExtra.cbSize = 2;
    EXPECT_EQ(MessageOf([&] { FileWaveStream s(path, &withExtra); }), "Error writing wave format.");
    WaveFormatEx noAlign = RecorderFormat(8000);
    noAlign.nBlockAlign = 0;
    EXPECT_EQ(MessageOf([&] { FileWaveStream s(path, &noAlign); }), "Invalid block alignment!");
    EXPECT_EQ(ReadFile(path), (Bytes{1, 2, 3}));
}

// Each write, seek, tell and flush of a recording fails in turn; the
// failure must surface as a WaveStreamError from the constructor, Write or
// Finish, never as a silently broken file.
TEST(WaveWrite, EveryFailingCallOfARecordingIsReported) {
    std::set<std::string> messages;
    const WaveFormatEx format = RecorderFormat(8000);
    for (FileOp op : {FileOp::Write, FileOp::Seek, FileOp::Tell, FileOp::Flush}) {
        for (int k = 1;; ++k) {
            FailingRiffFile file;
            file.FailCall(op, k);
            const std::string message = MessageOf([&] {
                WaveStream stream(file, &format);
                stream.Write("abcd", 4);
                stream.Finish();
            });
            if (!file.Fired()) break;
            EXPECT_NE(message, "") << "call " << k << " of op " << int(op);
            messages.insert(message);
        }
    }
    EXPECT_EQ(messages, (std::set<std::string>{"Error creating chunk.", "Error writing wave format.",
                                               "Cannot ascend chunk.", "Error writing to file.", "Cannot flush."}));
}

TEST(WaveWrite, FullDiskIsReportedAtWriteOrFlush) {
    const WaveFormatEx format = RecorderFormat(8000);
    FileWaveStream small("/dev/full", &format);
    small.Write("ab", 2);  // still in the write buffer
    EXPECT_EQ(MessageOf([&] { small.Finish(); }), "Cannot flush.");
    FileWaveStream large("/dev/full", &format);
    const Bytes block(1 << 20, 0);
    EXPECT_EQ(MessageOf([&] { large.Write(block.data(), std::int32_t(block.size())); }), "Error writing to file.");
}

std::size_t openDescriptors() {
    return std::size_t(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

TEST(WaveFile, ReleasesTheFileEvenWhenFinishingFails) {
    const std::size_t before = openDescriptors();
    {
        const WaveFormatEx format = RecorderFormat(8000);
        FileWaveStream stream("/dev/full", &format);
        stream.Write("ab", 2);
    }  // finishing fails; the destructor swallows it and closes
    EXPECT_EQ(openDescriptors(), before);
}

TEST(WaveFile, MissingFilesAndFoldersCannotBeOpened) {
    TempFolder dir;
    const WaveFormatEx format = RecorderFormat(8000);
    const char* message = "Can't open file stream.";
    EXPECT_EQ(MessageOf([&] { FileWaveStream s(dir.File("no/such.wav"), &format); }), message);
    EXPECT_EQ(MessageOf([&] { FileWaveStream s(dir.File("absent.wav"), nullptr); }), message);
    EXPECT_EQ(MessageOf([&] { FileWaveStream s(dir.Path().string(), nullptr); }), message);
}

}  // namespace
}  // namespace moravel
