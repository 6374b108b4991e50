#include "WavTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace moravel::testing {

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Le16(std::uint16_t v) { return {std::uint8_t(v), std::uint8_t(v >> 8)}; }

Bytes Le32(std::uint32_t v) { return Cat({Le16(std::uint16_t(v)), Le16(std::uint16_t(v >> 16))}); }

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes ChunkWithSize(const std::string& id, std::uint32_t size, const Bytes& body) {
    return Cat({Text(id), Le32(size), body});
}

Bytes Chunk(const std::string& id, const Bytes& body) {
    const Bytes pad(body.size() % 2, 0);
    return Cat({ChunkWithSize(id, std::uint32_t(body.size()), body), pad});
}

Bytes Wave(const Bytes& chunks) {
    return Cat({Text("RIFF"), Le32(std::uint32_t(chunks.size() + 4)), Text("WAVE"), chunks});
}

Bytes FmtPcmPart(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t blockAlign,
                 std::uint16_t bits) {
    return Cat({Le16(tag), Le16(channels), Le32(rate), Le32(rate * blockAlign), Le16(blockAlign), Le16(bits)});
}

Bytes PcmWave(std::uint16_t channels, std::uint16_t bits, const Bytes& data) {
    const auto align = std::uint16_t(channels * bits / 8);
    return Wave(Cat({Chunk("fmt ", FmtPcmPart(1, channels, 8000, align, bits)), Chunk("data", data)}));
}

Bytes Samples16(const std::vector<std::int16_t>& samples) {
    Bytes out;
    for (std::int16_t s : samples) {
        const Bytes b = Le16(std::uint16_t(s));
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

WaveFormatEx RecorderFormat(std::uint32_t rate) {
    WaveFormatEx f;
    f.wFormatTag = kWaveFormatPcm;
    f.nChannels = 1;
    f.nSamplesPerSec = rate;
    f.nAvgBytesPerSec = 2 * rate;
    f.nBlockAlign = 1;
    f.wBitsPerSample = 16;
    return f;
}

bool FailingRiffFile::hit(FileOp op) {
    if (op != op_ || ++calls_ != failAt_) return false;
    fired_ = true;
    return true;
}

std::int64_t FailingRiffFile::read(void* b, std::int64_t n) {
    return hit(FileOp::Read) ? -1 : MemoryRiffFile::read(b, n);
}
std::int64_t FailingRiffFile::write(const void* b, std::int64_t n) {
    return hit(FileOp::Write) ? -1 : MemoryRiffFile::write(b, n);
}
std::int64_t FailingRiffFile::seek(std::int64_t offset, Origin origin) {
    return hit(FileOp::Seek) ? -1 : MemoryRiffFile::seek(offset, origin);
}
std::int64_t FailingRiffFile::tell() { return hit(FileOp::Tell) ? -1 : MemoryRiffFile::tell(); }
int FailingRiffFile::flush() { return hit(FileOp::Flush) ? -1 : MemoryRiffFile::flush(); }

::testing::AssertionResult ToolInstalled(const std::string& tool) {
    if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << tool << " is not installed; these tests need it (apt-get install " << tool
                                         << ")";
}

::testing::AssertionResult RunCommand(const std::string& command) {
    if (std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "command failed: " << command;
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace moravel::testing
