// WAV images in memory, written and read by the program's own stream, so
// the processing loop can be tested without files.
#pragma once

#include "audio/MemoryRiffFile.h"
#include "cli/ProcessingLoop.h"
#include "audio/waveio.h"

#include <cstdint>
#include <vector>

namespace moravel::testing {

/// A finished mono 16-bit WAV file holding `samples`.
inline std::vector<std::uint8_t> MonoWave16(std::uint32_t rate, const std::vector<std::int16_t>& samples) {
    const WaveFormatEx format = OutputFormat(static_cast<std::int32_t>(rate));
    MemoryRiffFile file;
    WaveStream stream(file, &format);
    stream.Write(samples.data(), static_cast<std::int32_t>(samples.size()));
    stream.Finish();
    return file.bytes();
}

/// The 16-bit samples of a mono 16-bit WAV image.
inline std::vector<std::int16_t> MonoSamples(const std::vector<std::uint8_t>& image) {
    MemoryRiffFile file(image);
    WaveStream stream(file, nullptr);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(stream.FrameCount()));
    samples.resize(static_cast<std::size_t>(stream.Read(samples.data(), stream.FrameCount())));
    return samples;
}

struct Processed {
    std::vector<std::uint8_t> image;   // the output WAV file
    std::int64_t samples = 0;          // ProcessWave's result
    std::vector<std::int64_t> blocks;  // indices passed to the block callback
};

/// Runs the processing loop from one WAV image into another.
inline Processed ProcessImage(const std::vector<std::uint8_t>& input, const ChainSettings& settings = {},
                              LoopThreads threads = LoopThreads::kAuto) {
    MemoryRiffFile in(input);
    WaveStream reader(in, nullptr);
    MemoryRiffFile out;
    const WaveFormatEx format = OutputFormat(static_cast<std::int32_t>(reader.Format().nSamplesPerSec));
    Processed result;
    {
        WaveStream writer(out, &format);
        LoopCallbacks callbacks;
        callbacks.block = [&](std::int64_t index, const Engine&) { result.blocks.push_back(index); };
        const auto engine = std::make_unique<Engine>();
        result.samples = ProcessWave(reader, writer, settings, *engine, callbacks, threads);
        writer.Finish();
    }
    result.image = out.bytes();
    return result;
}

}  // namespace moravel::testing
