#include "RecorderTestSupport.h"

#include "audio/recorder/RecordingSeal.h"
#include "audio/recorder/WaveRecorder.h"

#include <cstdio>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace moravel::testing {

// The recorder's own empty file, the tail written at the end of the data and
// the header's sizes brought up to the file's length as after a crash.
void MakeSparseRecording(const std::string& path, std::int32_t rate, std::int64_t dataBytes,
                         const std::vector<std::int16_t>& tail) {
    if (!WaveRecorder(path, rate).Stop()) throw std::runtime_error("cannot create " + path);
    const Bytes bytes = Samples16(tail);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    const off_t at = off_t(WaveRecorder::kDataOffset + dataBytes) - off_t(bytes.size());
    const bool written = fd >= 0 && ::pwrite(fd, bytes.data(), bytes.size(), at) == ssize_t(bytes.size());
    if (fd >= 0) ::close(fd);
    if (!written || !SealRecording(path, WaveRecorder::kDataOffset).empty())
        throw std::runtime_error("cannot write " + path);
}

Bytes SampleBytes(std::size_t bytes, int seed) {
    Bytes out(bytes);
    for (std::size_t k = 0; k < bytes; ++k) out[k] = std::uint8_t(k * 7 + k / 251 + seed);
    return out;
}

std::string CommandOutput(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return "";
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

long SoxSampleCount(const std::string& path) {
    const std::string out = CommandOutput("soxi -s '" + path + "'");
    return out.empty() ? -1 : std::stol(out);
}

Bytes StreamData(const std::string& path) {
    FileWaveStream stream(path, nullptr);
    const std::int32_t align = stream.Format().nBlockAlign;
    Bytes data(std::size_t(stream.FrameCount()) * std::size_t(align));
    const std::int32_t got = stream.Read(data.data(), stream.FrameCount());
    data.resize(std::size_t(got) * std::size_t(align));
    return data;
}

}  // namespace moravel::testing
