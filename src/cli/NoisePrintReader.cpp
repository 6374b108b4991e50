#include "cli/NoisePrintReader.h"

#include "common/AudioRange.h"
#include "dsp/BlockChain.h"
#include "audio/PlayerBlock.h"

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

namespace moravel {

std::vector<float> ReadNoisePrint(WaveStream& input, const ChainSettings& settings,
                                  const NoiseProfileOption& profile) {
    const auto rate = static_cast<std::int32_t>(input.Format().nSamplesPerSec);
    const std::int32_t bytes = PlayerBufferBytes(rate);
    const std::int32_t blockSamples = bytes / 2;
    auto engine = std::make_unique<Engine>();
    ChainSettings front = settings;
    front.noisePrint.clear();
    ConfigureChain(*engine, front, rate, bytes);
    StageSwitches stages = SwitchesFor(front);
    stages.cleanup.noiseReductionOn = false;  // the print is of the noise before it is reduced
    // The noise reduction's frames of block b reach back half a frame into
    // block b − 1: all of that must lie in the stretch.
    const std::int32_t reach = NoiseReduction::FrameFor(blockSamples) / 2;
    const auto first = static_cast<std::int64_t>(std::ceil((profile.start * rate + reach) / blockSamples));
    const auto last = static_cast<std::int64_t>(std::floor(profile.end * rate / blockSamples)) - 1;
    PlayerBlockReader reader;
    for (std::int64_t block = 0; block <= last; ++block) {
        LoadBlock(*engine, nullptr, bytes);
        if (reader.ReadBlock(input, engine->InputBlock, bytes) < blockSamples) break;
        engine->Denoiser.SetLearning(block >= first);
        RunAnalysisStages(*engine, stages);
    }
    engine->Denoiser.SetLearning(false);
    const auto print = engine->Denoiser.Print();
    if (print.empty()) {
        throw std::runtime_error("--noise-profile: the stretch holds no whole block of the input (" +
                                 std::to_string(blockSamples + reach) + " samples at this rate)");
    }
    return {print.begin(), print.end()};
}

}  // namespace moravel
