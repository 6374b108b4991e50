// Bytes pass the ALSA services unchanged and in order: blocks played into
// the ALSA "file" plugin land in its file exactly as written (with only
// whole frames of silence between and after them: the worker bridges a
// device about to run dry with silence), and blocks
// captured from it are its input file, block after block. The PCMs are
// defined in a configuration file of the test's own, loaded on top of the
// system's, over the "null" device (no pacing: only the bytes matter).
#include "audio/alsa/AlsaBackend.h"
#include "NotificationRecorder.h"
#include "TestServer.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <random>

namespace moravel::testing {
namespace {

using namespace std::chrono_literals;

std::vector<std::uint8_t> RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(count);
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

std::vector<std::uint8_t> Concatenated(const std::vector<std::vector<std::uint8_t>>& blocks) {
    std::vector<std::uint8_t> all;
    for (const auto& b : blocks) all.insert(all.end(), b.begin(), b.end());
    return all;
}

// Whether `played` is `blocks` in order, each whole, with nothing but whole
// frames of `silence` (the byte of a silent sample) before, between and
// after them. A block is looked for first at each place, so one that
// happens to start with a silent frame is still found.
::testing::AssertionResult BlocksWithSilenceBetween(const std::vector<std::uint8_t>& played,
                                                    const std::vector<std::vector<std::uint8_t>>& blocks,
                                                    std::size_t frameBytes, std::uint8_t silence) {
    std::size_t at = 0, next = 0;
    while (at < played.size()) {
        if (next < blocks.size() && played.size() - at >= blocks[next].size() &&
            std::equal(blocks[next].begin(), blocks[next].end(), played.begin() + static_cast<std::ptrdiff_t>(at))) {
            at += blocks[next++].size();
            continue;
        }
        if (played.size() - at < frameBytes ||
            std::any_of(played.begin() + static_cast<std::ptrdiff_t>(at),
                        played.begin() + static_cast<std::ptrdiff_t>(at + frameBytes),
                        [&](std::uint8_t b) { return b != silence; }))
            return ::testing::AssertionFailure()
                   << "byte " << at << ": neither block " << next << " nor a silent frame";
        at += frameBytes;
    }
    if (next < blocks.size()) return ::testing::AssertionFailure() << "block " << next << " never came";
    return ::testing::AssertionSuccess();
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class FilePcm : public WithServer {
protected:
    FilePcm() : folder(Server().Folder()) {
        std::ofstream(folder + "/source.raw", std::ios::binary)
            .write(reinterpret_cast<const char*>(source.data()), static_cast<std::streamsize>(source.size()));
        std::ofstream(folder + "/file.conf")
            << "pcm.moravel_played { type file slave.pcm { type null } file \"" << folder
            << "/played.raw\" format \"raw\" }\n"
            << "pcm.moravel_source { type file slave.pcm { type null } file \"" << folder << "/tap.raw\" infile \""
            << folder << "/source.raw\" format \"raw\" }\n";
    }

    AlsaBackend Backend() const {
        return AlsaBackend(AlsaOptions{.mapperPcm = "default", .devicePcms = {"moravel_played", "moravel_source"}, .configFile = folder + "/file.conf"});
    }

    // Plays `blocks` on wvDevice0 and returns what reached the file.
    std::vector<std::uint8_t> Play(const PcmFormat& format, const std::vector<std::vector<std::uint8_t>>& blocks) {
        AlsaBackend backend = Backend();
        auto playback = backend.newPlayback();
        NotificationRecorder notes;
        EXPECT_EQ(playback->open(wvDevice0, format, &notes, 1), kWaveOk);
        std::vector<WaveHeader> headers(blocks.size());
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            std::vector<std::uint8_t> scratch = blocks[i];  // overwritten right after write(): copied at once
            headers[i].data = scratch.data();
            headers[i].bufferLength = static_cast<std::uint32_t>(scratch.size());
            EXPECT_EQ(playback->write(&headers[i]), kWaveOk);
            std::fill(scratch.begin(), scratch.end(), 0xEE);
        }
        const auto done = static_cast<int>(blocks.size());
        EXPECT_TRUE(PumpUntil([&] { return notes.Count(WaveNotification::Done) == done; }, 5s));
        EXPECT_EQ(playback->close(), kWaveOk);
        std::vector<WaveHeader*> expected;
        for (WaveHeader& h : headers) expected.push_back(&h);
        EXPECT_EQ(notes.Headers(WaveNotification::Done), expected) << "Done in write order, once each";
        return ReadFile(folder + "/played.raw");
    }

    const std::string folder;
    const std::vector<std::uint8_t> source = RandomBytes(64 * 1024, 7);
};

TEST_F(FilePcm, PlayedBlocksReachTheDeviceByteForByteInWriteOrder) {
    const std::vector<std::vector<std::uint8_t>> blocks = {
        RandomBytes(4000, 1), RandomBytes(1000, 2), RandomBytes(4, 3), RandomBytes(0, 4), RandomBytes(2500 * 4, 5)};
    const std::vector<std::uint8_t> played = Play(PcmFormat{2, 8000, 16}, blocks);
    EXPECT_TRUE(BlocksWithSilenceBetween(played, blocks, 4, 0));
    // The device (no pacing) always looks about to run dry, so silence
    // follows a block up to the limit, 100 ms: 800 frames of 4 bytes,
    // once after each block at most.
    EXPECT_LE(played.size(), Concatenated(blocks).size() + blocks.size() * 3200);
}

TEST_F(FilePcm, EightBitBlocksPlayAsTheyAreAndAPartialFrameIsLeftOut) {
    const std::vector<std::vector<std::uint8_t>> eightBit = {RandomBytes(777, 1), RandomBytes(333, 2)};
    EXPECT_TRUE(BlocksWithSilenceBetween(Play(PcmFormat{1, 11025, 8}, eightBit), eightBit, 1, 0x80))
        << "8-bit silence is the middle value";

    const std::vector<std::vector<std::uint8_t>> oddBytes = {RandomBytes(1001, 3)};  // 16-bit: 500 frames and a half
    const std::vector<std::uint8_t> played = Play(PcmFormat{1, 8000, 16}, oddBytes);
    const std::vector<std::vector<std::uint8_t>> wholeFrames = {
        std::vector<std::uint8_t>(oddBytes[0].begin(), oddBytes[0].begin() + 1000)};
    EXPECT_TRUE(BlocksWithSilenceBetween(played, wholeFrames, 2, 0));
}

TEST_F(FilePcm, CapturedBlocksAreTheDeviceBytesInOrder) {
    AlsaBackend backend = Backend();
    auto capture = backend.newCapture();
    NotificationRecorder notes;
    constexpr std::uint32_t kBlock = 2048;
    ASSERT_EQ(capture->open(wvDevice1, PcmFormat{1, 8000, 16}, kBlock, &notes, 3), kWaveOk);
    std::array<std::vector<std::uint8_t>, 4> buffers;
    std::array<WaveHeader, 4> headers{};
    for (std::size_t i = 0; i < headers.size(); ++i) {
        buffers[i].assign(kBlock + 16, 0xAA);  // longer than a block: only a block is filled
        headers[i].data = buffers[i].data();
        headers[i].bufferLength = static_cast<std::uint32_t>(buffers[i].size());
        ASSERT_EQ(capture->addBuffer(&headers[i]), kWaveOk);
    }
    ASSERT_EQ(capture->start(), kWaveOk);
    ASSERT_TRUE(PumpUntil([&] { return notes.Count(WaveNotification::Data) == 4; }, 5s));
    capture->reset();
    capture->close();

    const std::vector<WaveHeader*> order = notes.Headers(WaveNotification::Data);
    for (std::size_t i = 0; i < headers.size(); ++i) {
        ASSERT_EQ(order[i], &headers[i]) << "buffers return in queue order";
        EXPECT_EQ(headers[i].bytesRecorded, kBlock);
        EXPECT_TRUE(std::equal(buffers[i].begin(), buffers[i].begin() + kBlock, source.begin() + i * kBlock))
            << "block " << i;
        EXPECT_EQ(buffers[i][kBlock], 0xAA) << "nothing written past the block";
    }
}

}  // namespace
}  // namespace moravel::testing
