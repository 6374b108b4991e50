// libFuzzer target: arbitrary bytes, held in memory, are opened as a WAV
// file; whatever opens is read to the end, sought, played block by block
// and written back out. Only the stream's own errors and the checked frame
// arithmetic may throw; any other exception, a crash, a sanitizer report or
// a broken invariant (trap) is a bug.
#include "audio/MemoryRiffFile.h"
#include "audio/PlayerBlock.h"
#include "audio/waveio.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

using moravel::MemoryRiffFile;
using moravel::PlayerBlockReader;
using moravel::WaveStream;
using moravel::WaveFormatEx;

void check(bool invariant) {
    if (!invariant) __builtin_trap();
}

// All the data, in reads of a few frames, so that short reads happen too.
std::vector<std::uint8_t> readAll(WaveStream& stream) {
    const std::size_t align = stream.Format().nBlockAlign;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(stream.FrameCount()) * align + align * 7);
    std::int32_t frames = 0;
    for (;;) {
        const std::int32_t got = stream.Read(data.data() + std::size_t(frames) * align, 7);
        check(got >= 0 && got <= 7);
        if (got == 0) break;
        frames += got;
        check(frames <= stream.FrameCount());
    }
    check(frames == stream.FrameCount());
    check(stream.Position() == frames);
    data.resize(std::size_t(frames) * align);
    return data;
}

void seekAround(WaveStream& stream) {
    const std::int32_t count = stream.FrameCount();
    check(stream.Seek(0, moravel::kSeekFromEnd) == count);
    check(stream.Seek(count / 2, moravel::kSeekFromData) == count / 2);
    check(stream.Seek(-(count / 2), moravel::kSeekFromCurrent) == 0);
}

void play(WaveStream& stream) {
    PlayerBlockReader reader;
    std::vector<std::int16_t> block(PlayerBlockReader::kMaxBlockBytes / 2);
    for (int i = 0; i < 64; ++i) {
        const std::int32_t taken = reader.ReadBlock(stream, block.data(), 1024);
        check(taken >= 0 && taken <= 512);
        if (taken == 0) break;
    }
}

// Writing the same frames with the same format must read back unchanged.
void roundTrip(const WaveFormatEx& read, const std::vector<std::uint8_t>& data) {
    WaveFormatEx format = read;
    format.cbSize = 0;
    MemoryRiffFile out;
    {
        WaveStream writer(out, &format);
        const auto frames = std::int32_t(data.size() / format.nBlockAlign);
        check(writer.Write(data.data(), frames) == frames);
        writer.Finish();
    }
    MemoryRiffFile in(out.bytes());
    WaveStream reader(in, nullptr);
    const WaveFormatEx& back = reader.Format();
    check(back.wFormatTag == format.wFormatTag && back.nChannels == format.nChannels &&
          back.nSamplesPerSec == format.nSamplesPerSec && back.nBlockAlign == format.nBlockAlign &&
          back.wBitsPerSample == format.wBitsPerSample);
    check(readAll(reader) == data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    MemoryRiffFile file(std::vector<std::uint8_t>(bytes, bytes + size));
    try {
        WaveStream stream(file, nullptr);
        const std::vector<std::uint8_t> data = readAll(stream);
        seekAround(stream);
        play(stream);
        stream.Finish();
        roundTrip(stream.Format(), data);
    } catch (const moravel::WaveStreamError&) {
    } catch (const std::range_error&) {
    } catch (const std::overflow_error&) {
    }
    return 0;
}
