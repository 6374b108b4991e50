// The batch processor's core: a WAV stream through the processing chain into
// a 16-bit mono WAV stream, block by block, exactly as the player feeds the
// chain. The command and the benchmarks both run this code.
#pragma once

#include "dsp/ChainSettings.h"
#include "dsp/Engine.h"
#include "cli/SampleSink.h"
#include "audio/waveio.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace moravel {

/// A stream failure during processing, telling which side failed so the
/// message can name the right file.
class StreamSideError : public std::runtime_error {
public:
    enum Side { kInput, kOutput };
    StreamSideError(Side side, const std::string& message) : std::runtime_error(message), side_(side) {}
    Side side() const { return side_; }

private:
    Side side_;
};

struct LoopCallbacks {
    /// After each output block was written: its index (0 = the first block
    /// of output) and the engine, whose display values describe that block.
    std::function<void(std::int64_t blockIndex, const Engine& engine)> block;
    /// After each processed block: output samples written so far and the
    /// input's sample count. May throw to stop processing.
    std::function<void(std::int64_t done, std::int64_t total)> progress;
};

/// Throws std::runtime_error with a message for the user unless the chain
/// can play `format`: PCM (or extensible), 1 or 2 channels, 8 or 16 bits, and
/// a rate of 1..kMaxSampleRate Hz.
void CheckProcessable(const WaveFormatEx& format);
constexpr std::uint32_t kMaxSampleRate = 1000000;

/// Samples the stream holds, per channel (for progress; the loop itself
/// stops where the data ends).
std::int64_t InputSampleCount(const WaveStream& input);

/// The output's format: PCM, 1 channel, `sampleRate` Hz, 16 bits, block
/// alignment 2.
WaveFormatEx OutputFormat(std::int32_t sampleRate);

/// How ProcessWave spreads its work. kTwo runs the reading and analysis of
/// the next blocks on a second thread (AnalysisAhead) while the calling
/// thread synthesises and writes; kOne runs everything on the calling
/// thread; kAuto is kTwo where the machine has more than one core. The
/// output, the callbacks and the failures are the same in every mode.
enum class LoopThreads { kAuto, kOne, kTwo };

/// Processes `input` from its current position to its end into `output`
/// (opened for writing with OutputFormat of the input's rate). The engine is
/// configured for the input's rate and the player's block size for it. The
/// output has as many samples as the input and is aligned with it: the
/// engine's one-block delay is taken out by dropping its first block and
/// running one silent block at the end. Returns the samples written.
/// Throws StreamSideError for stream failures and std::runtime_error for an
/// unplayable format (before anything is written). The callbacks run on the
/// calling thread and see `engine`'s display values; with two threads the
/// input is read and analysed on a separate engine, so afterwards `engine`'s
/// InputBlock, History and AGC fields are not those of the last block.
std::int64_t ProcessWave(WaveStream& input, WaveStream& output, const ChainSettings& settings, Engine& engine,
                         const LoopCallbacks& callbacks = {}, LoopThreads threads = LoopThreads::kAuto);

/// The same into any sink: a pipe, or nowhere. The input may be a stream
/// of unknown length (FrameCount 0); the progress callback's total is then
/// the samples read so far.
std::int64_t ProcessWave(WaveStream& input, SampleSink& output, const ChainSettings& settings, Engine& engine,
                         const LoopCallbacks& callbacks = {}, LoopThreads threads = LoopThreads::kAuto);

}  // namespace moravel
