#include "cli/PipeWaveOutput.h"

#include "audio/ByteOrder.h"
#include "cli/PipeIo.h"
#include "cli/ReaderGone.h"
#include "audio/WaveHeader.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace moravel {
namespace {

constexpr std::uint32_t kUnknownSize = 0xFFFFFFFFu;

[[noreturn]] void FailWriting() {
    if (errno == EPIPE) throw ReaderGone();
    throw WaveStreamError(std::string("Error writing to file. (") + std::strerror(errno) + ")");
}

std::int64_t RegularFileOffset(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return ::lseek(fd, 0, SEEK_CUR);
}

}  // namespace

PipeWaveOutput::PipeWaveOutput(int fd, std::int32_t rate, bool raw)
    : fd_(fd), raw_(raw), headerAt_(raw ? -1 : RegularFileOffset(fd)) {
    if (raw_) return;
    PcmWaveHeaderBytes header = PcmWaveHeader(PcmWaveFormat(1, rate, 16));
    StoreLe32(&header[4], kUnknownSize);
    StoreLe32(&header[40], kUnknownSize);
    put(header.data(), static_cast<std::int64_t>(header.size()));
}

void PipeWaveOutput::Write(const std::int16_t* samples, std::int32_t count) {
    const std::int64_t bytes = std::int64_t{count} * 2;
    put(samples, bytes);
    dataBytes_ += bytes;
}

void PipeWaveOutput::put(const void* bytes, std::int64_t count) {
    if (!WriteFully(fd_, bytes, count)) FailWriting();
}

void PipeWaveOutput::Finish() {
    if (headerAt_ < 0 || dataBytes_ > kMaxPcmWaveDataBytes) return;
    PcmWaveHeaderBytes sizes{};
    SetPcmWaveSizes(sizes, static_cast<std::uint32_t>(dataBytes_));
    const auto patch = [&](std::size_t at) {
        return ::pwrite(fd_, &sizes[at], 4, static_cast<off_t>(headerAt_ + static_cast<std::int64_t>(at))) == 4;
    };
    if (!patch(4) || !patch(40)) FailWriting();
}

}  // namespace moravel
