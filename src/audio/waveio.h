// RIFF WAVE files: WaveStream reads or writes one over an open RiffFile;
// FileWaveStream opens the file by name. Counts are sample frames (units of
// the format's block alignment); positions are relative to the first data
// byte and 64-bit, as a file whose frames are single bytes holds up to 4 GiB
// of them. Every failure throws WaveStreamError with a fixed message.
//
// Not thread-safe; one stream is used by one thread at a time.
#pragma once

#include "audio/RiffFile.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace moravel {

/// The format record as stored in the "fmt " chunk (18 bytes, little-endian
/// on disk), followed in memory by `cbSize` extra bytes where present.
struct WaveFormatEx {
    std::uint16_t wFormatTag = 0;
    std::uint16_t nChannels = 0;
    std::uint32_t nSamplesPerSec = 0;
    std::uint32_t nAvgBytesPerSec = 0;
    std::uint16_t nBlockAlign = 0;
    std::uint16_t wBitsPerSample = 0;
    std::uint16_t cbSize = 0;
};

constexpr std::uint16_t kWaveFormatPcm = 1;
constexpr std::uint16_t kWaveFormatMpegLayer3 = 85;
constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

/// Standard 16-bit mono PCM at `rate` Hz: block alignment 2, extra size 0.
WaveFormatEx MonoPcm16Format(std::int32_t rate);

/// The exception every stream failure raises; what() is the fixed message.
class WaveStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Origins of Seek.
enum : std::int16_t { kSeekFromData = 0, kSeekFromCurrent = 1, kSeekFromEnd = 2 };

class WaveStream {
public:
    /// format == nullptr: read the file's header and stand at frame 0.
    /// Otherwise: write a RIFF/WAVE header with `format` and open an empty
    /// data chunk; the format must have cbSize 0 (the record carries no extra
    /// bytes) and a block alignment above 0. `file` is not owned and must outlive the
    /// stream.
    WaveStream(RiffFile& file, const WaveFormatEx* format);
    /// Finishes the file if Finish() was not called, swallowing its errors.
    virtual ~WaveStream();

    WaveStream(const WaveStream&) = delete;
    WaveStream& operator=(const WaveStream&) = delete;

    /// Reads up to `count` frames; returns the frames read (short at the end
    /// of the data, never past it).
    virtual std::int32_t Read(void* buffer, std::int32_t count);
    /// New position in frames from the first data byte (in both modes);
    /// origin kSeekFromData, kSeekFromCurrent or kSeekFromEnd (the end of
    /// the data). A target before the data is refused and the stream stays;
    /// one more than 4 GiB behind the first data byte (beyond any data chunk)
    /// throws std::range_error.
    virtual std::int64_t Seek(std::int64_t offset, std::int16_t origin);
    /// Appends `count` frames; returns the frames written.
    virtual std::int32_t Write(const void* buffer, std::int32_t count);

    std::int64_t Position() { return Seek(0, kSeekFromCurrent); }
    void SetPosition(std::int64_t frame) { Seek(frame, kSeekFromData); }

    /// Completes the chunk sizes (when writing) and flushes; a written file
    /// is then on the disk (RiffFile::sync). Throws "Cannot ascend chunk."
    /// or "Cannot flush."; later calls do nothing.
    void Finish();

    /// Writing: has the data written so far put on the disk (RiffFile::sync),
    /// then puts the RIFF and data sizes of the file as it stands into the
    /// header and flushes, so that the file opens at its full length even
    /// if Finish() never runs: after the program is killed at once, after a
    /// system crash or power failure as of the commit before (the header
    /// reaches the disk with the next commit's data). Keeps the position.
    /// Does nothing when reading or finished. Throws "Error writing to
    /// file." or "Cannot flush.", std::range_error beyond the 4 GiB a size
    /// can hold.
    void CommitSizes();

    /// The file's format (reading, with its extra bytes in FormatExtra()) or
    /// the first 18 bytes of the caller's (writing).
    const WaveFormatEx& Format() const { return format_; }
    const std::vector<std::uint8_t>& FormatExtra() const { return formatExtra_; }
    /// Reading: file offset of the first data byte. Writing: 0.
    std::int32_t DataOffset() const { return dataOffset_; }
    /// Reading: frames in the data chunk (as far as the file really holds them).
    std::int64_t FrameCount() const { return frameCount_; }

private:
    // Header parsing and creation live in WaveHeader.cpp.
    void readHeader();
    void readFormat();
    void readFormatExtra();
    void locateData();
    std::int64_t fileEnd(const char* message);
    void createHeader(const WaveFormatEx& format);
    std::int64_t bytesLeftInData();
    std::int64_t endOfData();

    RiffFile& file_;
    WaveFormatEx format_{};
    std::vector<std::uint8_t> formatExtra_;
    std::int32_t dataOffset_ = 0;
    std::int64_t frameCount_ = 0;
    bool writing_ = false;
    bool finished_ = false;
    RiffChunk riff_{};
    RiffChunk chunk_{};
    // The first data byte in both modes (DataOffset() is 0 when writing) and,
    // when reading, the end of the data the file really holds.
    std::int64_t dataStart_ = 0;
    std::int64_t dataEnd_ = 0;
};

namespace detail {
/// Throws the stream's message for a format that cannot be written: extra
/// bytes (the record has none to write) or a block alignment of 0.
void CheckWritableFormat(const WaveFormatEx& format);

/// Holds the file handle of a FileWaveStream; a base so that it is opened
/// before the WaveStream base reads or writes the header.
struct OwnedRiffFile {
    OwnedRiffFile(const std::string& fileName, bool writing);
    std::unique_ptr<PosixRiffFile> handle;
};
}  // namespace detail

class FileWaveStream : private detail::OwnedRiffFile, public WaveStream {
public:
    /// Opens `fileName` for reading (format == nullptr) or creates/replaces it
    /// for writing; a file that cannot be opened throws "Can't open file stream.".
    FileWaveStream(const std::string& fileName, const WaveFormatEx* format);
    /// Finishes the file (errors swallowed) and always closes the handle.
    ~FileWaveStream() override;
};

}  // namespace moravel
