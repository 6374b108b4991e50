#include "audio/transmission/EngineSpectrum.h"

#include <algorithm>

namespace moravel {

BlockSpectrum EngineDisplaySpectrum(const Engine& engine) {
    BlockSpectrum view;
    if (engine.BlockSamples <= 0) return view;
    view.points = engine.DisplaySpectrum;
    view.count = std::min(engine.DisplayCount + 1, Engine::kSmallCapacity);
    view.hzPerPoint = static_cast<double>(engine.Resolution) * engine.SampleRate / engine.BlockSamples;
    return view;
}

}  // namespace moravel
