#include "cli/PipeWaveInput.h"

#include "audio/ByteOrder.h"
#include "cli/PipeIo.h"
#include "audio/WaveHeader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include <unistd.h>

namespace moravel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Chunks before the data (tags, cue points) are kept in the image while
// small; bigger ones are read past, they carry nothing the stream needs.
constexpr std::uint32_t kLargestKeptChunk = 64 * 1024;
constexpr std::size_t kLargestImage = 1024 * 1024;
constexpr std::uint32_t kPlaceholderSize = 0x7FFFF000u;

[[noreturn]] void FailReading() {
    throw WaveStreamError(std::string("Error reading from file. (") + std::strerror(errno) + ")");
}

// Appends up to `count` bytes from `fd` to `image`; true when all came.
bool Take(int fd, Bytes& image, std::int64_t count) {
    const std::size_t start = image.size();
    image.resize(start + static_cast<std::size_t>(count));
    const std::int64_t got = ReadFully(fd, image.data() + start, count);
    if (got < 0) FailReading();
    image.resize(start + static_cast<std::size_t>(got));
    return got == count;
}

bool Skip(int fd, std::int64_t count) {
    Bytes scratch;
    while (count > 0) {
        const std::int64_t piece = std::min<std::int64_t>(count, 64 * 1024);
        if (!Take(fd, scratch, piece)) return false;
        scratch.clear();
        count -= piece;
    }
    return true;
}

std::int64_t DataLimit(std::uint32_t declared) {
    const bool unknown = declared == 0 || declared == 0xFFFFFFFFu || declared >= kPlaceholderSize;
    return unknown ? -1 : std::int64_t{declared};
}

// The header up to and with the data chunk's header, whose size is set to
// 0 in the image (the data is not in it). Stops early, leaving an image the
// stream will refuse with its own message, when the input is no RIFF/WAVE
// file or ends inside the header.
Bytes ReadHead(int fd, std::int64_t& dataLimit) {
    Bytes image;
    if (!Take(fd, image, 12)) return image;
    if (LoadLe32(image.data()) != kRiffId || LoadLe32(image.data() + 8) != FourCC('W', 'A', 'V', 'E')) return image;
    for (;;) {
        const std::size_t at = image.size();
        if (!Take(fd, image, 8)) return image;
        const std::uint32_t id = LoadLe32(&image[at]);
        const std::uint32_t size = LoadLe32(&image[at + 4]);
        if (id == FourCC('d', 'a', 't', 'a')) {
            dataLimit = DataLimit(size);
            StoreLe32(&image[at + 4], 0);
            return image;
        }
        const std::int64_t padded = std::int64_t{size} + (size & 1u);
        if (size <= kLargestKeptChunk && image.size() < kLargestImage) {
            if (!Take(fd, image, padded)) return image;
        } else {
            image.resize(at);
            if (!Skip(fd, padded)) return image;
        }
    }
}

}  // namespace

PipeWaveInput::PipeWaveInput(int fd, std::vector<std::uint8_t> header, std::int64_t dataLimit, bool ownsFd)
    : detail::HeaderImage(std::move(header)),
      WaveStream(image, nullptr),
      fd_(fd),
      ownsFd_(ownsFd),
      bytesLeft_(dataLimit) {}

PipeWaveInput::~PipeWaveInput() {
    if (ownsFd_) ::close(fd_);
}

std::unique_ptr<PipeWaveInput> PipeWaveInput::ReadWave(int fd) {
    std::int64_t dataLimit = -1;
    Bytes head = ReadHead(fd, dataLimit);
    return std::unique_ptr<PipeWaveInput>(new PipeWaveInput(fd, std::move(head), dataLimit, false));
}

std::unique_ptr<PipeWaveInput> PipeWaveInput::Raw(int fd, std::int32_t rate, bool ownsFd) {
    const PcmWaveHeaderBytes header = PcmWaveHeader(PcmWaveFormat(1, rate, 16));
    return std::unique_ptr<PipeWaveInput>(new PipeWaveInput(fd, Bytes(header.begin(), header.end()), -1, ownsFd));
}

std::int32_t PipeWaveInput::Read(void* buffer, std::int32_t count) {
    const std::int64_t align = Format().nBlockAlign;
    std::int64_t wanted = std::int64_t{std::max(count, 0)} * align;
    if (bytesLeft_ >= 0) wanted = std::min(wanted, bytesLeft_ - bytesLeft_ % align);
    const std::int64_t got = ReadFully(fd_, buffer, wanted);
    if (got < 0) FailReading();
    if (bytesLeft_ >= 0) bytesLeft_ -= got;
    if (got < wanted) strayBytes_ = got % align;
    frame_ += got / align;
    return static_cast<std::int32_t>(got / align);
}

std::int64_t PipeWaveInput::Seek(std::int64_t offset, std::int16_t origin) {
    const std::int64_t target = origin == kSeekFromData ? offset : frame_ + offset;
    if (origin == kSeekFromEnd || target < frame_) throw WaveStreamError("Seeking to an invalid location in the file.");
    std::vector<std::uint8_t> scratch(Format().nBlockAlign);
    while (frame_ < target && Read(scratch.data(), 1) == 1) {
    }
    return frame_;
}

std::int32_t PipeWaveInput::Write(const void*, std::int32_t) { throw WaveStreamError("Error writing to file."); }

}  // namespace moravel
