// WaveStream's frame-counted Read, Write and Seek, finishing the file, and
// FileWaveStream's ownership of the file. Frame counts are multiplied out
// in 64 bits and checked before any byte count reaches the file.
#include "audio/waveio.h"

#include "audio/ByteOrder.h"

#include <algorithm>
#include <limits>

namespace moravel {

namespace {

[[noreturn]] void fail(const char* message) { throw WaveStreamError(message); }

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
// The most bytes a chunk can hold: its size is a 32-bit number.
constexpr std::int64_t kMaxChunkBytes = std::numeric_limits<std::uint32_t>::max();

std::int64_t frameBytes(std::int32_t frames, std::uint16_t blockAlign) {
    if (frames < 0) throw std::range_error("negative WAV frame count");
    const std::int64_t bytes = std::int64_t{frames} * blockAlign;
    if (bytes > kInt32Max) throw std::overflow_error("WAV byte count overflows");
    return bytes;
}

}  // namespace

WaveFormatEx MonoPcm16Format(std::int32_t rate) {
    WaveFormatEx format;
    format.wFormatTag = kWaveFormatPcm;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<std::uint32_t>(rate);
    format.nAvgBytesPerSec = static_cast<std::uint32_t>(rate) * 2;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    format.cbSize = 0;
    return format;
}

WaveStream::WaveStream(RiffFile& file, const WaveFormatEx* format) : file_(file), writing_(format != nullptr) {
    if (writing_) {
        createHeader(*format);
    } else {
        readHeader();
        SetPosition(0);
    }
}

WaveStream::~WaveStream() {
    try {
        Finish();
    } catch (...) {
        // A destructor must not throw; callers that care call Finish() first.
    }
}

// Whole frames between the file position and the end of the data chunk, so
// that chunks behind the data (a LIST with tags, say) are never read as audio.
std::int64_t WaveStream::bytesLeftInData() {
    const std::int64_t position = file_.tell();
    if (position < 0) fail("Error reading from file.");
    const std::int64_t left = std::max<std::int64_t>(dataEnd_ - position, 0);
    return left - left % format_.nBlockAlign;
}

std::int32_t WaveStream::Read(void* buffer, std::int32_t count) {
    std::int64_t bytes = frameBytes(count, format_.nBlockAlign);
    if (!writing_) bytes = std::min(bytes, bytesLeftInData());
    if (bytes == 0) return 0;
    const std::int64_t got = file_.read(buffer, bytes);
    if (got < 0) fail("Error reading from file.");
    return static_cast<std::int32_t>(got / format_.nBlockAlign);
}

std::int32_t WaveStream::Write(const void* buffer, std::int32_t count) {
    const std::int64_t bytes = frameBytes(count, format_.nBlockAlign);
    const std::int64_t put = file_.write(buffer, bytes);
    if (put < 0) fail("Error writing to file.");
    return static_cast<std::int32_t>(put / format_.nBlockAlign);
}

// Reading: the end of the data chunk (not of the file, which may hold more
// chunks). Writing: the data chunk is the last chunk, so the end of the file.
std::int64_t WaveStream::endOfData() { return writing_ ? file_.seek(0, RiffFile::Origin::End) : dataEnd_; }

// Positions count from the first data byte in both modes. A target before
// it is refused before the file moves, so a failed Seek never leaves the
// stream standing in the header.
std::int64_t WaveStream::Seek(std::int64_t offset, std::int16_t origin) {
    std::int64_t base = -1;
    if (origin == kSeekFromData) base = dataStart_;
    if (origin == kSeekFromCurrent) base = file_.tell();
    if (origin == kSeekFromEnd) base = endOfData();
    // The offset is bounded before it is multiplied out: no further back
    // than a chunk can reach, no further ahead than a data chunk can hold.
    if (base < 0 || offset < -kMaxChunkBytes) fail("Seeking to an invalid location in the file.");
    if (offset > (kMaxChunkBytes + dataStart_ - base) / format_.nBlockAlign)
        throw std::range_error("WAV frame position out of range");
    const std::int64_t target = base + offset * format_.nBlockAlign;
    if (target < dataStart_) fail("Seeking to an invalid location in the file.");
    if (file_.seek(target, RiffFile::Origin::Begin) != target) fail("Seeking to an invalid location in the file.");
    return (target - dataStart_) / format_.nBlockAlign;
}

// The data chunk is ascended from the end of the file, which is where its
// size is measured when writing; the RIFF chunk then spans everything. A
// written file is complete on the disk when Finish returns.
void WaveStream::Finish() {
    if (finished_) return;
    finished_ = true;
    if (file_.seek(0, RiffFile::Origin::End) < 0 || !Ascend(file_, chunk_) || !Ascend(file_, riff_))
        fail("Cannot ascend chunk.");
    if ((writing_ ? file_.sync() : file_.flush()) != 0) fail("Cannot flush.");
}

namespace {

bool writeLe32At(RiffFile& file, std::int64_t offset, std::int64_t value) {
    if (value < 0 || value > std::numeric_limits<std::uint32_t>::max())
        throw std::range_error("WAV chunk size out of range");
    std::uint8_t bytes[4];
    StoreLe32(bytes, static_cast<std::uint32_t>(value));
    return file.seek(offset, RiffFile::Origin::Begin) == offset && file.write(bytes, 4) == 4;
}

}  // namespace

// The sizes are measured to the end of the file, as Finish does, but no pad
// byte is added: more samples may follow. The data reaches the disk before
// the header that counts it is written, so whenever the system crashes or
// the power fails, the header on the disk counts only data on the disk; the
// header itself goes to the disk with the next commit's data.
void WaveStream::CommitSizes() {
    if (!writing_ || finished_) return;
    if (file_.sync() != 0) fail("Cannot flush.");
    const std::int64_t here = file_.tell();
    const std::int64_t end = file_.seek(0, RiffFile::Origin::End);
    if (here < 0 || end < 0) fail("Error writing to file.");
    if (!writeLe32At(file_, riff_.dataOffset - 4, end - riff_.dataOffset) ||
        !writeLe32At(file_, chunk_.dataOffset - 4, end - chunk_.dataOffset) ||
        file_.seek(here, RiffFile::Origin::Begin) != here)
        fail("Error writing to file.");
    if (file_.flush() != 0) fail("Cannot flush.");
}

namespace detail {

OwnedRiffFile::OwnedRiffFile(const std::string& fileName, bool writing)
    : handle(PosixRiffFile::Open(fileName, writing ? PosixRiffFile::Mode::CreateReplace : PosixRiffFile::Mode::Read)) {
    if (!handle) throw WaveStreamError("Can't open file stream.");
}

}  // namespace detail

namespace {

// Refuses an unwritable format before the file is opened: opening for
// writing replaces an existing file.
bool opensForWriting(const WaveFormatEx* format) {
    if (format) detail::CheckWritableFormat(*format);
    return format != nullptr;
}

}  // namespace

FileWaveStream::FileWaveStream(const std::string& fileName, const WaveFormatEx* format)
    : detail::OwnedRiffFile(fileName, opensForWriting(format)), WaveStream(*handle, format) {}

// ~WaveStream finishes the file; the handle closes after it in every case.
FileWaveStream::~FileWaveStream() = default;

}  // namespace moravel
