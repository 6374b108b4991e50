#include "cli/ProcessingLoop.h"

#include "cli/AnalysisAhead.h"
#include "common/AudioRange.h"
#include "dsp/BlockChain.h"
#include "audio/PlayerBlock.h"
#include "cli/WaveStreamSink.h"

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

namespace moravel {
namespace {

std::int32_t ReadInputBlock(PlayerBlockReader& reader, WaveStream& input, Engine& engine, std::int32_t bytes) {
    try {
        return reader.ReadBlock(input, engine.InputBlock, bytes);
    } catch (const WaveStreamError& error) {
        throw StreamSideError(StreamSideError::kInput, error.what());
    }
}

void WriteOutputSamples(SampleSink& output, const Engine& engine, std::int32_t samples) {
    try {
        output.Write(engine.OutputBlock, samples);
    } catch (const WaveStreamError& error) {
        throw StreamSideError(StreamSideError::kOutput, error.what());
    }
}

bool UseSecondThread(LoopThreads threads) {
    if (threads == LoopThreads::kAuto) return std::thread::hardware_concurrency() > 1;
    return threads == LoopThreads::kTwo;
}

}  // namespace

void CheckProcessable(const WaveFormatEx& format) {
    if (!PlayerBlockReader::CanPlay(format)) {
        throw std::runtime_error("cannot process this format (" + std::to_string(format.nChannels) + " channels, " +
                                 std::to_string(format.wBitsPerSample) + " bits, format tag " +
                                 std::to_string(format.wFormatTag) + "); only 8 or 16-bit PCM, mono or stereo");
    }
    if (format.nSamplesPerSec == 0 || format.nSamplesPerSec > kMaxSampleRate) {
        throw std::runtime_error("cannot process a sample rate of " + std::to_string(format.nSamplesPerSec) +
                                 " Hz; the rate must be 1.." + std::to_string(kMaxSampleRate) + " Hz");
    }
}

std::int64_t InputSampleCount(const WaveStream& input) {
    const WaveFormatEx& format = input.Format();
    const std::int64_t bytesPerSample = std::int64_t{format.nChannels} * (format.wBitsPerSample / 8);
    if (bytesPerSample <= 0) return 0;
    return std::int64_t{input.FrameCount()} * format.nBlockAlign / bytesPerSample;
}

WaveFormatEx OutputFormat(std::int32_t sampleRate) { return MonoPcm16Format(sampleRate); }

std::int64_t ProcessWave(WaveStream& input, WaveStream& output, const ChainSettings& settings, Engine& engine,
                         const LoopCallbacks& callbacks, LoopThreads threads) {
    WaveStreamSink sink(output);
    return ProcessWave(input, sink, settings, engine, callbacks, threads);
}

std::int64_t ProcessWave(WaveStream& input, SampleSink& output, const ChainSettings& settings, Engine& engine,
                         const LoopCallbacks& callbacks, LoopThreads threads) {
    CheckProcessable(input.Format());
    const auto rate = static_cast<std::int32_t>(input.Format().nSamplesPerSec);
    const std::int32_t bytes = PlayerBufferBytes(rate);
    const std::int32_t blockSamples = bytes / 2;
    ConfigureChain(engine, settings, rate, bytes);
    const std::int64_t expected = InputSampleCount(input);

    // The front half of every block: the samples (silence once the input
    // has ended), the AGC, the analysis and the noise blanker. The other
    // stages follow on the synthesising thread.
    const StageSwitches stages = SwitchesFor(settings);
    PlayerBlockReader reader;
    bool inputRead = false;
    const AnalysisAhead::FrontStep front = [&](Engine& e) {
        LoadBlock(e, nullptr, bytes);
        const std::int32_t got = inputRead ? 0 : ReadInputBlock(reader, input, e, bytes);
        if (got < blockSamples) inputRead = true;
        RunAnalysisStages(e, stages);
        return got;
    };
    std::unique_ptr<AnalysisAhead> ahead;
    if (UseSecondThread(threads)) {
        auto frontEngine = std::make_unique<Engine>();
        ConfigureChain(*frontEngine, settings, rate, bytes);
        ahead = std::make_unique<AnalysisAhead>(std::move(frontEngine), front);
    }

    std::int64_t samplesIn = 0;
    std::int64_t samplesOut = 0;
    bool inputEnded = false;
    // Block b's output is input block b − 1: the first output block is the
    // engine's fade-in and is dropped; after the input ends, silent blocks
    // push out what is still inside the engine.
    for (std::int64_t block = 0;; ++block) {
        const std::int32_t got = ahead ? ahead->Next(engine) : front(engine);
        if (got < blockSamples) inputEnded = true;
        samplesIn += got;
        RunEditStages(engine, stages);
        FinishBlock(engine);
        if (block > 0) {
            const auto keep = static_cast<std::int32_t>(std::min<std::int64_t>(blockSamples, samplesIn - samplesOut));
            WriteOutputSamples(output, engine, keep);
            samplesOut += keep;
            if (callbacks.block) callbacks.block(block - 1, engine);
        }
        if (callbacks.progress) callbacks.progress(samplesOut, std::max(expected, samplesIn));
        if (inputEnded && samplesOut >= samplesIn) return samplesOut;
    }
}

}  // namespace moravel
