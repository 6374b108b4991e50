// Writes the seed corpus for waveio_fuzz into the folder given on the
// command line: small files in each playable layout, plus the irregular
// shapes the reader has to cope with (unfinished sizes, trailing chunks).
#include "audio/ByteOrder.h"
#include "audio/MemoryRiffFile.h"
#include "audio/waveio.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using moravel::WaveFormatEx;
using Bytes = std::vector<std::uint8_t>;

Bytes makeWave(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits, std::uint16_t align,
               std::size_t dataBytes) {
    const WaveFormatEx format{tag, channels, 8000, 8000u * align, align, bits, 0};
    Bytes data(dataBytes);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = std::uint8_t(i * 37);
    moravel::MemoryRiffFile file;
    {
        moravel::WaveStream stream(file, &format);
        stream.Write(data.data(), std::int32_t(dataBytes / align));
    }
    return file.bytes();
}

// What a recorder leaves when it never finishes: both sizes still 0.
Bytes unfinished(Bytes wave) {
    moravel::StoreLe32(&wave[4], 0);
    moravel::StoreLe32(&wave[42], 0);
    return wave;
}

Bytes withTrailingList(Bytes wave) {
    const std::string list = "LIST\x08\0\0\0INFOab\0\0";
    wave.insert(wave.end(), list.begin(), list.begin() + 16);
    moravel::StoreLe32(&wave[4], std::uint32_t(wave.size() - 8));
    return wave;
}

void save(const std::filesystem::path& dir, const char* name, const Bytes& bytes) {
    std::ofstream out(dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const Bytes recorder = makeWave(1, 1, 16, 1, 64);
    save(dir, "recorder.wav", recorder);
    save(dir, "mono8.wav", makeWave(1, 1, 8, 1, 33));
    save(dir, "stereo8.wav", makeWave(1, 2, 8, 2, 40));
    save(dir, "stereo16.wav", makeWave(1, 2, 16, 4, 64));
    save(dir, "float.wav", makeWave(3, 1, 32, 4, 32));
    save(dir, "extensible.wav", makeWave(0xFFFE, 2, 16, 4, 32));
    save(dir, "unfinished.wav", unfinished(recorder));
    save(dir, "trailing-list.wav", withTrailingList(makeWave(1, 1, 16, 2, 20)));
    return 0;
}
