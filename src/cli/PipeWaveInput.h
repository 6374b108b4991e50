// WAV (or raw 16-bit samples) read from a pipe, standard input, as it
// arrives. A pipe cannot seek, so the header is read once into memory and
// parsed there by the ordinary stream code (same checks, same messages),
// and the samples are then read straight from the pipe, each Read waiting
// until its frames have all come or the writer has closed the pipe.
//
// The length is unknown (FrameCount() is 0): the data runs to the end of
// the input, unless the header gives a true data size, which is kept to
// (so chunks behind the data are never played). The sizes 0 and
// 0xFFFFFFFF, and the large placeholder some programs write on a pipe
// (0x7FFFF000 and above), mean unknown. Positions count past 4 GiB, so a
// pipe may run for days.
#pragma once

#include "audio/MemoryRiffFile.h"
#include "audio/waveio.h"

#include <cstdint>
#include <memory>

namespace moravel {

namespace detail {
/// The header image, a base so that it exists before WaveStream parses it.
struct HeaderImage {
    explicit HeaderImage(std::vector<std::uint8_t> bytes) : image(std::move(bytes)) {}
    MemoryRiffFile image;
};
}  // namespace detail

class PipeWaveInput : private detail::HeaderImage, public WaveStream {
public:
    /// Reads a WAV header from `fd` up to the first data byte. Throws
    /// WaveStreamError (the stream's messages, e.g. "Not a wave file!")
    /// for a malformed or incomplete header.
    static std::unique_ptr<PipeWaveInput> ReadWave(int fd);
    /// Headerless 16-bit little-endian mono samples at `rate` Hz; with
    /// `ownsFd` the descriptor is closed with the stream.
    static std::unique_ptr<PipeWaveInput> Raw(int fd, std::int32_t rate, bool ownsFd = false);
    ~PipeWaveInput() override;

    std::int32_t Read(void* buffer, std::int32_t count) override;
    /// Forward only: a position behind the current one, or one from the
    /// end, throws "Seeking to an invalid location in the file."; one ahead
    /// is reached by reading.
    std::int64_t Seek(std::int64_t offset, std::int16_t origin) override;
    /// Throws: the input is read only.
    std::int32_t Write(const void* buffer, std::int32_t count) override;

    /// Bytes at the end of the input that did not make a whole frame (an
    /// odd byte count of 16-bit samples, say); 0 while the input runs.
    std::int64_t StrayBytes() const { return strayBytes_; }

private:
    PipeWaveInput(int fd, std::vector<std::uint8_t> header, std::int64_t dataLimit, bool ownsFd);

    int fd_;
    bool ownsFd_;
    std::int64_t bytesLeft_;  // of a declared data size; -1 unknown
    std::int64_t frame_ = 0;  // frames read (or skipped) so far
    std::int64_t strayBytes_ = 0;
};

}  // namespace moravel
