// The processed audio written to a pipe (standard output) as each block is
// done: a WAV header of unknown length first, as programs that stream WAV
// write it (RIFF and data sizes 0xFFFFFFFF), or no header at all for raw
// 16-bit little-endian samples. Every block goes out with one write, nothing
// is held back. When the descriptor turns out to be a regular file (output
// redirected to a file), Finish puts the true sizes into the header.
#pragma once

#include "cli/SampleSink.h"

#include <cstdint>

namespace moravel {

class PipeWaveOutput : public SampleSink {
public:
    /// Writes the header at once (unless `raw`): 16-bit mono at `rate` Hz.
    /// Throws what Write throws.
    PipeWaveOutput(int fd, std::int32_t rate, bool raw);

    /// Throws ReaderGone when the reader has closed the pipe, and
    /// WaveStreamError with the system's reason for any other failure.
    void Write(const std::int16_t* samples, std::int32_t count) override;

    /// A regular file gets the true sizes in its header (when they fit);
    /// a pipe needs nothing. Throws WaveStreamError when patching fails.
    void Finish();

private:
    void put(const void* bytes, std::int64_t count);

    int fd_;
    bool raw_;
    std::int64_t headerAt_;  // the header's offset in a regular file, else -1
    std::int64_t dataBytes_ = 0;
};

}  // namespace moravel
