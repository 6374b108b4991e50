// The file layer: the POSIX file's write buffer and failure reporting, and
// the chunk walk that the WAV reader depends on.
#include "audio/RiffFile.h"
#include "WavTestSupport.h"

#include "../app/TempFolder.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::Chunk;
using testing::Le32;
using testing::Text;

TEST(PosixRiffFile, PatchesAndReadsBackThroughTheWriteBuffer) {
    testing::TempFolder dir;
    const std::string path = dir.File("f.bin");
    auto file = PosixRiffFile::Open(path, PosixRiffFile::Mode::CreateReplace);
    ASSERT_TRUE(file);
    const Bytes big(200000, 7);  // larger than the buffer: goes straight through
    EXPECT_EQ(file->write("abcdef", 6), 6);
    EXPECT_EQ(file->write(big.data(), std::int64_t(big.size())), std::int64_t(big.size()));
    EXPECT_EQ(file->seek(2, RiffFile::Origin::Begin), 2);
    EXPECT_EQ(file->write("XY", 2), 2);
    EXPECT_EQ(file->seek(0, RiffFile::Origin::End), 200006);
    EXPECT_EQ(file->write("z", 1), 1);
    char head[6] = {};
    EXPECT_EQ(file->seek(0, RiffFile::Origin::Begin), 0);
    EXPECT_EQ(file->read(head, 6), 6);  // reading sees the buffered bytes
    EXPECT_EQ(std::string(head, 6), "abXYef");
    EXPECT_EQ(file->flush(), 0);
    file.reset();
    const Bytes onDisk = testing::ReadFile(path);
    ASSERT_EQ(onDisk.size(), 200007u);
    EXPECT_EQ(onDisk[200006], 'z');
}

// A full disk must show up as a failure, at the latest at flush, and stay
// a failure: data once lost must never be reported as saved.
TEST(PosixRiffFile, FullDiskFailsAndKeepsFailing) {
    auto file = PosixRiffFile::Open("/dev/full", PosixRiffFile::Mode::CreateReplace);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->write("abc", 3), 3);  // buffered
    EXPECT_EQ(file->flush(), -1);
    EXPECT_EQ(file->write("abc", 3), -1);
    EXPECT_EQ(file->flush(), -1);
}

// RIFF(WAVE) holding an odd chunk (with pad byte) and "data"; behind the
// RIFF chunk's declared end lies another "fmt " that must not be found.
Bytes nestedImage() {
    const Bytes inner = Cat({Text("WAVE"), Chunk("odd ", {1, 2, 3}), Chunk("data", {9, 9})});
    return Cat({Text("RIFF"), Le32(std::uint32_t(inner.size())), inner, Chunk("fmt ", {})});
}

TEST(RiffChunk, FindChunkSkipsPaddedChunksAndStaysInsideTheParent) {
    MemoryRiffFile file(nestedImage());
    RiffChunk riff;
    ASSERT_TRUE(Descend(file, riff, nullptr, DescendMode::Next));
    EXPECT_EQ(riff.id, kRiffId);
    EXPECT_EQ(riff.formType, FourCC('W', 'A', 'V', 'E'));
    EXPECT_EQ(riff.dataOffset, 8);
    RiffChunk data;
    data.id = FourCC('d', 'a', 't', 'a');
    ASSERT_TRUE(Descend(file, data, &riff, DescendMode::FindChunk));
    EXPECT_EQ(data.dataOffset, 12 + 8 + 4 + 8);  // odd chunk: 3 bytes + pad
    EXPECT_EQ(data.size, 2u);
    EXPECT_EQ(file.tell(), data.dataOffset);
    RiffChunk outside;
    outside.id = FourCC('f', 'm', 't', ' ');
    ASSERT_EQ(file.seek(12, RiffFile::Origin::Begin), 12);
    EXPECT_FALSE(Descend(file, outside, &riff, DescendMode::FindChunk));
}

}  // namespace
}  // namespace moravel
