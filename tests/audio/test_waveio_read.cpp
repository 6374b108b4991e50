// Opening and reading WAV images: every refusal with its message, files
// left unfinished or carrying extra chunks, and the frame-counted Seek.
#include "WavTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace moravel {
namespace {

using namespace testing;

Bytes fmtChunk(std::uint16_t tag, std::uint16_t align, const Bytes& tail = {}) {
    return Chunk("fmt ", Cat({FmtPcmPart(tag, 1, 8000, align, 16), tail}));
}

const Bytes kData = Chunk("data", {1, 2, 3, 4});

struct BrokenFile {
    const char* what;
    Bytes bytes;
    const char* message;
};

TEST(WaveRead, EachBrokenFileIsRefusedWithItsMessage) {
    const BrokenFile corpus[] = {
        {"empty", {}, "Invalid multimedia file!"},
        {"RIFF header cut short", Cat({Text("RIFF"), Le32(16), Text("WA")}), "Invalid multimedia file!"},
        {"AVI form", Cat({Text("RIFF"), Le32(4), Text("AVI ")}), "Not a wave file!"},
        {"LIST first", Cat({Text("LIST"), Le32(4), Text("WAVE")}), "Not a wave file!"},
        {"no fmt", Wave(kData), "Couldn't find 'fmt' chunk!"},
        {"fmt of 14 bytes", Wave(Chunk("fmt ", Bytes(14, 0))), "Abnormal 'fmt' size!"},
        {"fmt cut short", Wave(ChunkWithSize("fmt ", 16, Bytes(10, 0))), "Error reading 'fmt' chunk!"},
        {"extra size cut short", Wave(ChunkWithSize("fmt ", 18, FmtPcmPart(3, 1, 8000, 2, 16))),
         "Error reading 'waveformatex' length!"},
        {"extra size beyond fmt", Wave(Cat({fmtChunk(3, 2, Cat({Le16(4), Le16(0)})), kData})),
         "Error reading 'waveformatex'!"},
        {"extra bytes cut short", Wave(ChunkWithSize("fmt ", 22, Cat({FmtPcmPart(3, 1, 8000, 2, 16), Le16(4)}))),
         "Error reading 'waveformatex'!"},
        {"MPEG Layer-3", Wave(Cat({fmtChunk(85, 1, Le16(0)), kData})), "MPEG Layer-3 compression is not supported."},
        {"block alignment 0", Wave(Cat({fmtChunk(1, 0), kData})), "Invalid block alignment!"},
        {"no data", Wave(fmtChunk(1, 2)), "Couldn't find 'data' chunk!"},
    };
    for (const BrokenFile& f : corpus) {
        MemoryRiffFile file(f.bytes);
        EXPECT_EQ(MessageOf([&] { WaveStream s(file, nullptr); }), f.message) << f.what;
    }
}

// Makes every read, seek and tell of a stream's life fail in turn: each
// must end in a WaveStreamError, and together they reach the I/O messages.
TEST(WaveRead, EveryFailingCallIsReported) {
    const Bytes image = PcmWave(1, 16, Samples16({1, 2, 3}));
    std::set<std::string> messages;
    for (FileOp op : {FileOp::Read, FileOp::Seek, FileOp::Tell}) {
        for (int k = 1;; ++k) {
            FailingRiffFile file(image);
            file.FailCall(op, k);
            const std::string message = MessageOf([&] {
                WaveStream stream(file, nullptr);
                std::int16_t buffer[3];
                stream.Read(buffer, 3);
                stream.SetPosition(1);
                stream.Finish();
            });
            if (!file.Fired()) break;
            EXPECT_NE(message, "") << "call " << k << " of op " << int(op);
            messages.insert(message);
        }
    }
    for (const char* expected : {"Error ascending from 'fmt' chunk!", "Error seeking data!", "Error getting info!",
                                 "Error reading 'fmt' chunk!", "Error reading from file.",
                                 "Seeking to an invalid location in the file.", "Cannot ascend chunk."})
        EXPECT_EQ(messages.count(expected), 1u) << expected;
}

TEST(WaveRead, FormatRecordsWithAndWithoutExtraBytes) {
    // PCM with a 16-byte fmt chunk: no extra-size field to read.
    MemoryRiffFile pcm(PcmWave(2, 16, Samples16({5, -5})));
    WaveStream a(pcm, nullptr);
    EXPECT_EQ(a.Format().nChannels, 2);
    EXPECT_EQ(a.Format().cbSize, 0);
    EXPECT_EQ(a.DataOffset(), 44);
    EXPECT_EQ(a.FrameCount(), 1);
    // Extensible: 22 extra bytes kept; an odd chunk before "data" skipped.
    const Bytes extra(22, 0xAB);
    MemoryRiffFile ext(
        Wave(Cat({fmtChunk(0xFFFE, 2, Cat({Le16(22), extra})), Chunk("odd ", {7}), Chunk("data", Samples16({1, 2}))})));
    WaveStream b(ext, nullptr);
    EXPECT_EQ(b.Format().cbSize, 22);
    EXPECT_EQ(b.FormatExtra(), extra);
    EXPECT_EQ(b.DataOffset(), 12 + 48 + 10 + 8);
    EXPECT_EQ(b.FrameCount(), 2);
    // Floating point with a 16-byte record: no extra-size field either.
    MemoryRiffFile floats(Wave(Cat({Chunk("fmt ", FmtPcmPart(3, 1, 8000, 4, 32)), Chunk("data", Bytes(8, 0))})));
    WaveStream c(floats, nullptr);
    EXPECT_EQ(c.Format().wFormatTag, 3);
    EXPECT_EQ(c.Format().cbSize, 0);
    EXPECT_EQ(c.FrameCount(), 2);
}

// Recordings that were never finished carry size 0 or 0xFFFFFFFF, or one
// larger than the file, in the RIFF and data headers: the data is whatever
// the file holds.
TEST(WaveRead, UnfinishedSizesReadWhatTheFileHolds) {
    const Bytes samples = Samples16({10, 20, 30, 40, 50});
    for (std::uint32_t size : {0u, 0xFFFFFFFFu, 1000u}) {
        Bytes image = Wave(Cat({fmtChunk(1, 2), ChunkWithSize("data", size, samples)}));
        std::copy_n(Le32(size).begin(), 4, image.begin() + 4);
        MemoryRiffFile file(image);
        WaveStream stream(file, nullptr);
        EXPECT_EQ(stream.FrameCount(), 5) << size;
        std::int16_t got[8] = {};
        EXPECT_EQ(stream.Read(got, 8), 5) << size;
        EXPECT_EQ(got[4], 50);
    }
}

TEST(WaveRead, ReadStopsAtTheEndOfTheDataChunk) {
    MemoryRiffFile file(
        Wave(Cat({fmtChunk(1, 2), Chunk("data", Samples16({1, 2, 3})), Chunk("LIST", Text("INFOtags")), Bytes{0x55}})));
    WaveStream stream(file, nullptr);
    std::int16_t got[10] = {};
    EXPECT_EQ(stream.Read(got, 2), 2);
    EXPECT_EQ(stream.Read(got, 10), 1);  // short read at the end is no error
    EXPECT_EQ(got[0], 3);
    EXPECT_EQ(stream.Read(got, 10), 0);
    EXPECT_EQ(stream.Seek(0, kSeekFromEnd), 3);  // the end of the data, not of the file
}

TEST(WaveRead, SeekCountsFramesFromTheFirstDataByte) {
    MemoryRiffFile file(PcmWave(2, 16, Samples16({0, 0, 1, 1, 2, 2, 3, 3})));
    WaveStream stream(file, nullptr);
    EXPECT_EQ(stream.Seek(0, kSeekFromCurrent), 0);
    EXPECT_EQ(stream.Seek(stream.FrameCount(), kSeekFromData), stream.FrameCount());
    EXPECT_EQ(stream.Seek(-2, kSeekFromCurrent), 2);
    EXPECT_EQ(stream.Seek(-1, kSeekFromEnd), 3);
    const char* invalid = "Seeking to an invalid location in the file.";
    EXPECT_EQ(MessageOf([&] { stream.SetPosition(-1); }), invalid);
    EXPECT_EQ(MessageOf([&] { stream.Seek(-5, kSeekFromCurrent); }), invalid);
    EXPECT_EQ(MessageOf([&] { stream.Seek(0, 3); }), invalid);
    EXPECT_EQ(stream.Position(), 3);  // a refused seek leaves the stream where it was
    std::int16_t frame[2];
    EXPECT_EQ(stream.Read(frame, 1), 1);
    EXPECT_EQ(frame[0], 3);
}

TEST(WaveRead, FrameArithmeticIsChecked) {
    MemoryRiffFile file(PcmWave(2, 16, Samples16({1, 1})));
    WaveStream stream(file, nullptr);
    std::int16_t frame[2];
    EXPECT_THROW(stream.Read(frame, -1), std::range_error);
    EXPECT_THROW(stream.Read(frame, 0x7FFFFFFF), std::overflow_error);
    EXPECT_THROW(stream.Write(frame, 0x40000000), std::overflow_error);
    // Positions reach the end of the largest data chunk (4 GiB), no further.
    stream.SetPosition(0xFFFFFFFF / 4);
    EXPECT_THROW(stream.Seek(1, kSeekFromCurrent), std::range_error);
    EXPECT_THROW(stream.Seek(INT64_MAX, kSeekFromCurrent), std::range_error);
    EXPECT_EQ(stream.Position(), 0xFFFFFFFF / 4);
}

TEST(WaveRead, FinishingAReadStreamLeavesTheFileAlone) {
    const Bytes image = PcmWave(1, 8, {1, 2, 3});  // odd data size, pad byte
    MemoryRiffFile file(image);
    {
        WaveStream stream(file, nullptr);
        stream.Finish();
        EXPECT_NO_THROW(stream.Finish());
    }
    EXPECT_EQ(file.bytes(), image);
}

}  // namespace
}  // namespace moravel
