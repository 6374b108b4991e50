// WAV files made by sox and ffmpeg are read with the samples they were made
// from, and sox reads our files back byte for byte. Both tools are required:
// without them these tests fail rather than pass unseen.
#include "audio/PlayerBlock.h"
#include "WavTestSupport.h"

#include "../app/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace moravel {
namespace {

using namespace testing;

class WavInterop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ToolInstalled("sox"));
        ASSERT_TRUE(ToolInstalled("ffmpeg"));
    }

    // Raw bytes in, WAV file out, through sox with the given raw encoding
    // (and, optionally, another encoding for the output).
    std::string soxFromRaw(const Bytes& raw, const std::string& encoding, const std::string& outEncoding = "") {
        WriteFile(dir.File("in.raw"), raw);
        const std::string path = dir.File("sox.wav");
        EXPECT_TRUE(
            RunCommand("sox -t raw -r 8000 " + encoding + " " + dir.File("in.raw") + " " + outEncoding + " " + path));
        return path;
    }

    TempFolder dir;
};

std::vector<std::int16_t> ramp(int n, int step) {
    std::vector<std::int16_t> v;
    for (int k = 0; k < n; ++k) v.push_back(std::int16_t(k * step - 30000));
    return v;
}

// What the player must make of raw bytes: the first channel, 16-bit as it
// is, 8-bit as (128 - u) * 100.
std::vector<std::int16_t> expectedBlock(const Bytes& raw, int channels, int bits, int n) {
    std::vector<std::int16_t> v;
    for (int k = 0; k < n; ++k) {
        const std::size_t at = std::size_t(k * channels * bits / 8);
        v.push_back(bits == 16 ? std::int16_t(raw[at] | raw[at + 1] << 8) : std::int16_t((128 - raw[at]) * 100));
    }
    return v;
}

TEST_F(WavInterop, SoxFilesPlayInEachLayout) {
    Bytes raw;
    for (int k = 0; k < 8192; ++k) raw.push_back(std::uint8_t(k * 37 + k / 256));
    for (int channels : {1, 2}) {
        for (int bits : {8, 16}) {
            const std::string encoding = bits == 8 ? "unsigned" : "signed";
            const std::string path =
                soxFromRaw(raw, "-e " + encoding + " -b " + std::to_string(bits) + " -c " + std::to_string(channels));
            FileWaveStream stream(path, nullptr);
            std::vector<std::int16_t> block(512, 0);
            EXPECT_EQ(PlayerBlockReader().ReadBlock(stream, block.data(), 1024), 512);
            EXPECT_EQ(block, expectedBlock(raw, channels, bits, 512)) << channels << "ch " << bits;
        }
    }
}

TEST_F(WavInterop, SoxFloatAndTwentyFourBitOpenButDoNotPlay) {
    for (const char* target : {"-e floating-point -b 32", "-e signed -b 24"}) {
        const std::string path = soxFromRaw(Samples16(ramp(400, 150)), "-e signed -b 16 -c 1", target);
        FileWaveStream stream(path, nullptr);
        EXPECT_EQ(stream.FrameCount(), 400) << target;
        EXPECT_FALSE(PlayerBlockReader::CanPlay(stream.Format())) << target;
    }
}

TEST_F(WavInterop, FfmpegFileWithListChunk) {
    const auto samples = ramp(1000, 61);
    WriteFile(dir.File("in.raw"), Samples16(samples));
    const std::string path = dir.File("ff.wav");
    ASSERT_TRUE(RunCommand("ffmpeg -y -loglevel error -f s16le -ar 8000 -ac 1 -i " + dir.File("in.raw") + " " + path));
    const Bytes file = ReadFile(path);
    ASSERT_NE(std::search(file.begin(), file.end(), "LIST", "LIST" + 4), file.end())
        << "ffmpeg wrote no LIST chunk; this test would prove nothing";
    FileWaveStream stream(path, nullptr);
    std::vector<std::int16_t> back(1100);
    EXPECT_EQ(stream.Read(back.data(), 1100), 1000);
    back.resize(1000);
    EXPECT_EQ(back, samples);
}

// Our recording format (block alignment 1) and a standard one, read by sox.
TEST_F(WavInterop, SoxReadsOurFiles) {
    const Bytes data = Samples16(ramp(3000, 20));
    for (std::uint16_t align : {1, 2}) {
        const std::string path = dir.File("ours" + std::to_string(align) + ".wav");
        WaveFormatEx format = RecorderFormat(11025);
        format.nBlockAlign = align;
        FileWaveStream(path, &format).Write(data.data(), std::int32_t(data.size()) / align);
        const std::string info = dir.File("info.txt");
        ASSERT_TRUE(RunCommand("sox --i -r " + path + " > " + info + " && sox --i -c " + path + " >> " + info +
                               " && sox --i -s " + path + " >> " + info));
        EXPECT_EQ(ReadFile(info), Text("11025\n1\n3000\n")) << align;
        ASSERT_TRUE(RunCommand("sox " + path + " -t raw -e signed -b 16 " + dir.File("out.raw")));
        EXPECT_EQ(ReadFile(dir.File("out.raw")), data) << align;
    }
}

}  // namespace
}  // namespace moravel
