// The RIFF/WAVE header: parsing it when a file is opened for reading and
// writing it when a file is created. Each failure throws its own message so
// that a user can tell a truncated file from one that is no WAV file at all.
// Also the canonical 44-byte PCM header, laid out by the same record code.
#include "audio/WaveHeader.h"

#include "audio/ByteOrder.h"
#include "audio/waveio.h"

#include <algorithm>
#include <array>
#include <limits>

namespace moravel {

namespace {

constexpr std::uint32_t kWaveForm = FourCC('W', 'A', 'V', 'E');
constexpr std::uint32_t kFmtId = FourCC('f', 'm', 't', ' ');
constexpr std::uint32_t kDataId = FourCC('d', 'a', 't', 'a');

// Bytes 0-15 of the format record (everything but the extra size).
constexpr std::int64_t kPcmFormatBytes = 16;
constexpr std::int64_t kFormatRecordBytes = 18;

[[noreturn]] void fail(const char* message) { throw WaveStreamError(message); }

WaveFormatEx parsePcmPart(const std::uint8_t* p) {
    WaveFormatEx f;
    f.wFormatTag = LoadLe16(p);
    f.nChannels = LoadLe16(p + 2);
    f.nSamplesPerSec = LoadLe32(p + 4);
    f.nAvgBytesPerSec = LoadLe32(p + 8);
    f.nBlockAlign = LoadLe16(p + 12);
    f.wBitsPerSample = LoadLe16(p + 14);
    return f;
}

std::array<std::uint8_t, kFormatRecordBytes> serialize(const WaveFormatEx& f) {
    std::array<std::uint8_t, kFormatRecordBytes> b{};
    StoreLe16(&b[0], f.wFormatTag);
    StoreLe16(&b[2], f.nChannels);
    StoreLe32(&b[4], f.nSamplesPerSec);
    StoreLe32(&b[8], f.nAvgBytesPerSec);
    StoreLe16(&b[12], f.nBlockAlign);
    StoreLe16(&b[14], f.wBitsPerSample);
    StoreLe16(&b[16], f.cbSize);
    return b;
}

// Where the sizes stand in the 44-byte header, and what the RIFF chunk holds
// besides the data: "WAVE", the "fmt " chunk and the data chunk header.
constexpr std::size_t kRiffSizeAt = 4;
constexpr std::size_t kDataSizeAt = 40;
constexpr std::uint32_t kRiffBytesBesideData = 36;
static_assert(kMaxPcmWaveDataBytes + kRiffBytesBesideData == 0xFFFFFFFFu);

std::int32_t toInt32(std::int64_t value, const char* what) {
    if (value < 0 || value > std::numeric_limits<std::int32_t>::max()) throw std::range_error(what);
    return static_cast<std::int32_t>(value);
}

}  // namespace

void WaveStream::readHeader() {
    riff_ = RiffChunk{};
    if (!Descend(file_, riff_, nullptr, DescendMode::Next)) fail("Invalid multimedia file!");
    if (riff_.id != kRiffId || riff_.formType != kWaveForm) fail("Not a wave file!");

    chunk_ = RiffChunk{};
    chunk_.id = kFmtId;
    if (!Descend(file_, chunk_, &riff_, DescendMode::FindChunk)) fail("Couldn't find 'fmt' chunk!");
    readFormat();
    if (!Ascend(file_, chunk_)) fail("Error ascending from 'fmt' chunk!");
    locateData();
}

void WaveStream::readFormat() {
    if (chunk_.size < kPcmFormatBytes) fail("Abnormal 'fmt' size!");
    std::array<std::uint8_t, kPcmFormatBytes> pcm{};
    if (file_.read(pcm.data(), kPcmFormatBytes) != kPcmFormatBytes) fail("Error reading 'fmt' chunk!");
    format_ = parsePcmPart(pcm.data());
    formatExtra_.clear();
    // A PCM record has no extra bytes, whatever its extra-size field says.
    if (format_.wFormatTag != kWaveFormatPcm) readFormatExtra();
    if (format_.wFormatTag == kWaveFormatMpegLayer3) fail("MPEG Layer-3 compression is not supported.");
    // Every frame computation divides by the block alignment.
    if (format_.nBlockAlign == 0) fail("Invalid block alignment!");
}

// The extra size and the extra bytes must lie inside the "fmt " chunk;
// reading on into the next chunk would take its header for format data. A
// 16-byte record (as some programs write for floating-point audio) simply has
// no extra bytes.
void WaveStream::readFormatExtra() {
    if (chunk_.size < kFormatRecordBytes) return;
    std::array<std::uint8_t, 2> length{};
    if (file_.read(length.data(), 2) != 2) fail("Error reading 'waveformatex' length!");
    const std::uint16_t extra = LoadLe16(length.data());
    if (extra > chunk_.size - kFormatRecordBytes) fail("Error reading 'waveformatex'!");
    formatExtra_.resize(extra);
    if (extra > 0 && file_.read(formatExtra_.data(), extra) != extra) fail("Error reading 'waveformatex'!");
    format_.cbSize = extra;
}

void WaveStream::locateData() {
    const std::int64_t behindForm = riff_.dataOffset + 4;
    if (file_.seek(behindForm, RiffFile::Origin::Begin) != behindForm) fail("Error seeking data!");
    chunk_ = RiffChunk{};
    chunk_.id = kDataId;
    if (!Descend(file_, chunk_, &riff_, DescendMode::FindChunk)) fail("Couldn't find 'data' chunk!");

    // A size of 0 or 0xFFFFFFFF, or one beyond the end of the file, comes
    // from a recording that was never finished; its data is what is there.
    const std::int64_t available = std::max<std::int64_t>(fileEnd("Error getting info!") - chunk_.dataOffset, 0);
    const std::int64_t declared = chunk_.size;
    const bool unknown = declared == 0 || declared == 0xFFFFFFFF || declared > available;
    const std::int64_t size = unknown ? available : declared;

    dataStart_ = chunk_.dataOffset;
    dataEnd_ = dataStart_ + size;
    dataOffset_ = toInt32(dataStart_, "WAV data offset out of range");
    frameCount_ = size / format_.nBlockAlign;
}

std::int64_t WaveStream::fileEnd(const char* message) {
    if (file_.seek(0, RiffFile::Origin::End) < 0) fail(message);
    const std::int64_t end = file_.tell();
    if (end < 0) fail(message);
    return end;
}

// The record carries no extra bytes to write behind it, and frames of zero
// bytes cannot be counted.
void detail::CheckWritableFormat(const WaveFormatEx& format) {
    if (format.cbSize != 0) fail("Error writing wave format.");
    if (format.nBlockAlign == 0) fail("Invalid block alignment!");
}

void WaveStream::createHeader(const WaveFormatEx& format) {
    detail::CheckWritableFormat(format);

    riff_ = RiffChunk{};
    riff_.formType = kWaveForm;
    if (!CreateChunk(file_, riff_, CreateMode::Riff)) fail("Error creating chunk.");
    chunk_ = RiffChunk{};
    chunk_.id = kFmtId;
    chunk_.size = kFormatRecordBytes;
    if (!CreateChunk(file_, chunk_, CreateMode::Plain)) fail("Error creating chunk.");
    const auto record = serialize(format);
    if (file_.write(record.data(), kFormatRecordBytes) != kFormatRecordBytes) fail("Error writing wave format.");
    format_ = format;
    if (!Ascend(file_, chunk_)) fail("Cannot ascend chunk.");

    chunk_ = RiffChunk{};
    chunk_.id = kDataId;
    if (!CreateChunk(file_, chunk_, CreateMode::Plain)) fail("Error creating chunk.");
    dataStart_ = chunk_.dataOffset;
}

WaveFormatEx PcmWaveFormat(std::int32_t channels, std::int32_t rate, std::int32_t bits) {
    const auto align = static_cast<std::uint16_t>((channels * bits) / 8);
    WaveFormatEx format;
    format.wFormatTag = kWaveFormatPcm;
    format.nChannels = static_cast<std::uint16_t>(channels);
    format.nSamplesPerSec = static_cast<std::uint32_t>(rate);
    format.nAvgBytesPerSec = static_cast<std::uint32_t>(rate) * align;
    format.nBlockAlign = align;
    format.wBitsPerSample = static_cast<std::uint16_t>(bits);
    return format;
}

PcmWaveHeaderBytes PcmWaveHeader(const WaveFormatEx& format) {
    PcmWaveHeaderBytes header{};
    StoreLe32(&header[0], kRiffId);
    StoreLe32(&header[8], kWaveForm);
    StoreLe32(&header[12], kFmtId);
    StoreLe32(&header[16], static_cast<std::uint32_t>(kPcmFormatBytes));
    const auto record = serialize(format);
    std::copy_n(record.begin(), kPcmFormatBytes, header.begin() + 20);
    StoreLe32(&header[36], kDataId);
    return header;
}

void SetPcmWaveSizes(PcmWaveHeaderBytes& header, std::uint32_t dataBytes) {
    StoreLe32(&header[kRiffSizeAt], dataBytes + kRiffBytesBesideData);
    StoreLe32(&header[kDataSizeAt], dataBytes);
}

}  // namespace moravel
