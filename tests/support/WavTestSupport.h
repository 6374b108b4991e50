// Helpers for the audio tests: WAV images built byte by byte, a RiffFile
// that fails on demand, and access to the external sox and ffmpeg tools.
#pragma once

#include "audio/MemoryRiffFile.h"
#include "audio/waveio.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace moravel::testing {

using Bytes = std::vector<std::uint8_t>;

Bytes Cat(std::initializer_list<Bytes> parts);
Bytes Le16(std::uint16_t v);
Bytes Le32(std::uint32_t v);
Bytes Text(const std::string& s);
/// Id, size and body, plus the pad byte for an odd size.
Bytes Chunk(const std::string& id, const Bytes& body);
/// Like Chunk, but with any size field (for lying headers).
Bytes ChunkWithSize(const std::string& id, std::uint32_t size, const Bytes& body);
/// "RIFF", size of what follows, "WAVE", the chunks.
Bytes Wave(const Bytes& chunks);
/// The 16 bytes every format record starts with.
Bytes FmtPcmPart(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t blockAlign,
                 std::uint16_t bits);
/// A complete PCM file.
Bytes PcmWave(std::uint16_t channels, std::uint16_t bits, const Bytes& data);

/// 16-bit samples in little-endian bytes.
Bytes Samples16(const std::vector<std::int16_t>& samples);

WaveFormatEx RecorderFormat(std::uint32_t rate);

enum class FileOp { Read, Write, Seek, Tell, Flush };

/// A MemoryRiffFile whose k-th call of one operation, counted from
/// FailCall on, fails.
class FailingRiffFile : public MemoryRiffFile {
public:
    using MemoryRiffFile::MemoryRiffFile;
    void FailCall(FileOp op, int k) {
        op_ = op;
        failAt_ = k;
        calls_ = 0;
    }
    bool Fired() const { return fired_; }

    std::int64_t read(void* b, std::int64_t n) override;
    std::int64_t write(const void* b, std::int64_t n) override;
    std::int64_t seek(std::int64_t offset, Origin origin) override;
    std::int64_t tell() override;
    int flush() override;

private:
    bool hit(FileOp op);
    FileOp op_ = FileOp::Read;
    int failAt_ = 0;
    int calls_ = 0;
    bool fired_ = false;
};

/// The message of the WaveStreamError `action` throws, "" when it throws none.
template <typename Action>
std::string MessageOf(Action&& action) {
    try {
        action();
    } catch (const WaveStreamError& e) {
        return e.what();
    }
    return "";
}

/// Fails (not skips) the test when `tool` is not installed.
::testing::AssertionResult ToolInstalled(const std::string& tool);
/// Runs a shell command; fails the test with the command line when it fails.
::testing::AssertionResult RunCommand(const std::string& command);
Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace moravel::testing
