#include "NoisePrintReader.h"

#include "AudioRange.h"
#include "BlockChain.h"
#include "PlayerBlock.h"

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

namespace moravel {

std::vector<float> ReadNoisePrint(TWaveStream& input, const ChainSettings& settings,
                                  const NoiseProfileOption& profile) {
    const auto rate = static_cast<std::int32_t>(input.Format().nSamplesPerSec);
    const std::int32_t bytes = PlayerBufferBytes(rate);
    const std::int32_t blockSamples = bytes / 2;
    auto engine = std::make_unique<TmyFFT>();
    ChainSettings front = settings;
    front.noisePrint.clear();
    ConfigureChain(*engine, front, rate, bytes);
    StageSwitches stages = SwitchesFor(front);
    stages.cleanup.noiseReductionOn = false;  // the print is of the noise before it is reduced
    // The analysis of block b covers blocks b − 1 and b: both must lie in the stretch.
    const auto first = static_cast<std::int64_t>(std::ceil(profile.start * rate / blockSamples)) + 1;
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
        throw std::runtime_error("--noise-profile: the stretch holds no whole pair of blocks (" +
                                 std::to_string(2 * blockSamples) + " samples, " +
                                 std::to_string(2.0 * blockSamples / rate) + " s at this rate) within the input");
    }
    return {print.begin(), print.end()};
}

}  // namespace moravel
