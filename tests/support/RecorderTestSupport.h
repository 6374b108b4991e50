// Helpers for the recorder and player tests: sample data, sox's view of a
// file, this program's view of a file, and (FileSizeLimit.h) a file size
// limit for the process.
#pragma once

#include "FileSizeLimit.h"
#include "WavTestSupport.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace moravel::testing {

/// `bytes` bytes of 16-bit samples that differ from block to block.
Bytes SampleBytes(std::size_t bytes, int seed);

/// Appends all of `bytes` in blocks of `block` bytes; false at the first
/// refused block.
template <typename Recorder>
bool AppendInBlocks(Recorder& recorder, const Bytes& bytes, std::size_t block) {
    for (std::size_t at = 0; at < bytes.size(); at += block) {
        const auto n = std::int32_t(std::min(block, bytes.size() - at));
        if (!recorder.Append(reinterpret_cast<const std::int16_t*>(bytes.data() + at), n)) return false;
    }
    return true;
}

/// The recorder's file at `rate` Hz with `dataBytes` bytes of data (even, at
/// least the tail's) of which only the last, `tail`, is written: the rest is
/// a hole, so a recording of gigabytes takes no disk space.
void MakeSparseRecording(const std::string& path, std::int32_t rate, std::int64_t dataBytes,
                         const std::vector<std::int16_t>& tail);

/// What a command printed on its standard output, trimmed.
std::string CommandOutput(const std::string& command);
/// sox's sample count of a file ("soxi -s"); -1 when sox cannot read it.
long SoxSampleCount(const std::string& path);

/// The data of a WAV file as this program's stream reads it (the whole
/// data chunk as it declares it).
Bytes StreamData(const std::string& path);

}  // namespace moravel::testing
